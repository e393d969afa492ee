// Scans arbitrary bytes to the end in every tokenizer configuration, once with
// Next alone and once with look-ahead calls mixed in, and checks that looking
// ahead never changes what is seen. The first byte steers the look-ahead calls
// and the extra configuration; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/scanner.h"

namespace {

struct Token {
  int kind;
  std::string text;
  int line;
  bool cut;
  bool operator==(const Token&) const = default;
};

Token Current(const ScannerMemo& s) { return {s.Kind(), s.Text(), s.TokenLine(), s.TokenCut()}; }

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

struct Variant {
  zavo::ScannerConfig config;
  int slots;
  int length;
};

std::vector<Token> ScanPlain(const std::string& text, const Variant& v) {
  std::istringstream in(text);
  CScanner<ScannerMemo> s(in, v.config);
  s.InitMemo(v.slots, v.length);
  std::vector<Token> tokens;
  for (;;) {
    s.Next();
    tokens.push_back(Current(s));
    Check(ScannerBase::KindName(s.Kind()) != nullptr);
    if (s.Kind() == zavo::kTokenError) break;
    Check(tokens.size() <= text.size() + 1);  // every token consumes input
  }
  return tokens;
}

void ScanWithLookAhead(const std::string& text, const Variant& v, const std::vector<Token>& plain,
                       std::uint32_t seed) {
  std::istringstream in(text);
  CScanner<ScannerMemo> s(in, v.config);
  s.InitMemo(v.slots, v.length);
  const std::size_t last = plain.size() - 1;  // the end, which repeats
  std::uint32_t r = seed * 2654435761u + 1;
  auto random = [&r] {
    r ^= r << 13;
    r ^= r >> 17;
    r ^= r << 5;
    return r;
  };
  for (std::size_t i = 0; i <= last + 1; ++i) {
    s.Next();
    Check(Current(s) == plain[i < last ? i : last]);
    const int looks = static_cast<int>(random() % 3);
    for (int k = 0; k < looks; ++k) {
      const int n = static_cast<int>(random() % (v.slots + 1));
      if (n > v.slots - 1) {
        const Token before = Current(s);
        Check(s.Adv(n) == 0);
        Check(Current(s) == before);
        continue;
      }
      Check(s.Adv(n) == 1);
      const std::size_t j = i + static_cast<std::size_t>(n);
      Check(Current(s) == plain[j < last ? j : last]);
    }
    if (looks) Check(s.Adv(0) == 1 && Current(s) == plain[i < last ? i : last]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  static const int kModes[] = {0, 1, 2, 3, -2, -3};
  zavo::ScannerConfig other = zavo::kPrologFileScannerConfig;
  other.numberMode = kModes[control % 6];
  other.identifierClasses = 1 + (control / 6) % 4;
  other.cutEndsInput = (control & 0x80) != 0;

  const Variant variants[] = {
      {zavo::kStandardScannerConfig, 2, 256},
      {zavo::kExpressionScannerConfig, 10, 100},
      {zavo::kPrologFileScannerConfig, 10, 100},
      {zavo::kPrologGoalScannerConfig, 2, 50},
      {zavo::kStandardScannerConfig, 2, 4},  // a tiny ring
      {other, 3, 8},
  };
  std::uint32_t seed = control;
  for (const Variant& v : variants) {
    const std::vector<Token> plain = ScanPlain(text, v);
    ScanWithLookAhead(text, v, plain, ++seed);
  }
  return 0;
}
