#pragma once

// A quick lane for reading machine-written number files (caches, meshes): a
// cursor over the whole text that takes only the plainest tokens, each ended
// by white space or the end of the text: numbers of the form
// -?D+(.D*)?([Ee][+-]?D+)? (D a digit) and one-character marks such as "[".
// On such text the standard scanner (signed numbers with exponent) makes the
// very same tokens, and the numbers convert through NumberTextToDouble as the
// scanner's readers convert them, so the values are the same bit for bit.
// Anything else (comments, identifiers, a "+" in front, marks touching their
// neighbours, over-long tokens) makes the cursor fail; the caller then reads
// the text again with the scanner, which decides every such case.

#include <charconv>
#include <istream>
#include <system_error>
#include <string>
#include <string_view>

#include "foundation/number_text.h"

namespace zavo {

class PlainTokens {
public:
  explicit PlainTokens(std::string_view text) : text_(text) {}

  // A number token as a double.
  bool Number(double& value) {
    const std::string_view token = Token();
    if (token.empty() || !IsPlainNumber(token)) return false;
    // The plain form has no "+" in front: from_chars reads it as the readers
    // do; what it cannot read at once (out of range) takes their own path.
    double v = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
    if (ec != std::errc() || end != token.data() + token.size()) return NumberTextToDouble(token, value);
    value = v;
    return true;
  }

  // A number token truncated toward zero into an int (TruncateToInt).
  bool Integer(int& value) {
    const std::size_t mark = at_;
    const std::string_view token = Token();
    // Up to nine digits: the value itself, exactly.
    const bool negative = !token.empty() && token[0] == '-';
    const std::size_t digits = token.size() - (negative ? 1 : 0);
    if (digits >= 1 && digits <= 9) {
      int v = 0;
      std::size_t i = negative ? 1 : 0;
      for (; i < token.size() && IsDigit(token[i]); ++i) v = v * 10 + (token[i] - '0');
      if (i == token.size()) {
        value = negative ? -v : v;
        return true;
      }
    }
    at_ = mark;
    double x = 0;
    return Number(x) && TruncateToInt(x, value);
  }

  // The one-character token c.
  bool Mark(char c) {
    const std::string_view token = Token();
    return token.size() == 1 && token[0] == c;
  }

  // The token word, made of letters only (an identifier of the scanner).
  bool Word(std::string_view word) { return Token() == word; }

  // Takes a "*" standing in front of the next token or alone (the scanner
  // makes it a token of its own either way); false when there is none.
  bool Star() {
    SkipBlanks();
    if (at_ >= text_.size() || text_[at_] != '*') return false;
    ++at_;
    return true;
  }

private:
  // Longer tokens are left to the scanner (it cuts them at its slot length).
  static constexpr std::size_t kLongest = 64;

  static bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  void SkipBlanks() {
    while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
  }

  // The next run of characters up to white space; empty at the end or when
  // the run is too long.
  std::string_view Token() {
    SkipBlanks();
    const std::size_t start = at_;
    while (at_ < text_.size() && !IsBlank(text_[at_])) ++at_;
    if (at_ - start > kLongest) return {};
    return text_.substr(start, at_ - start);
  }

  static bool IsPlainNumber(std::string_view t) {
    std::size_t i = 0;
    if (t[i] == '-') ++i;
    const std::size_t digits = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    if (i == digits) return false;
    if (i < t.size() && t[i] == '.') {
      ++i;
      while (i < t.size() && IsDigit(t[i])) ++i;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
      ++i;
      if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
      const std::size_t expDigits = i;
      while (i < t.size() && IsDigit(t[i])) ++i;
      if (i == expDigits) return false;
    }
    return i == t.size();
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// The rest of the stream as one text (empty when it cannot be read).
inline std::string ReadWholeStream(std::istream& in) {
  std::string text;
  // A stream that can tell its length (a file) is read with one call straight
  // into the text; the block loop takes whatever is left, and leaves the
  // stream's state as it always did (at its end).
  std::streambuf* const buffer = in.rdbuf();
  if (in.good() && buffer != nullptr) {
    const std::streampos here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    const std::streampos end = here == std::streampos(-1) ? here : buffer->pubseekoff(0, std::ios::end, std::ios::in);
    if (end != std::streampos(-1) && buffer->pubseekpos(here, std::ios::in) == here && end > here) {
      text.resize(static_cast<std::size_t>(end - here));
      const std::streamsize got = buffer->sgetn(text.data(), static_cast<std::streamsize>(text.size()));
      text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    }
  }
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) text.append(block, static_cast<std::size_t>(in.gcount()));
  return text;
}

}  // namespace zavo
