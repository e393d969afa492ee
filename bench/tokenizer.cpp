// Speed of the standard tokenizer configuration on a generated pbrep-like text
// of about 10 MB: tokens per second and MB (10^6 bytes) per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

#include "foundation/scanner.h"

namespace {

// Reads a string in place, so that the measurement holds no copy.
class StringReader : public std::streambuf {
public:
  explicit StringReader(const std::string& s) {
    char* p = const_cast<char*>(s.data());
    setg(p, p, p + s.size());
  }
};

std::string PbrepLikeText(std::size_t bytes) {
  std::ostringstream os;
  std::uint32_t r = 12345;
  auto next = [&r] {
    r = r * 1103515245u + 12345u;
    return (r >> 8) & 0xffff;
  };
  const int vertices = static_cast<int>(bytes / 60);
  os << "{ pbrep\n// generated mesh\n\tvertices " << vertices << "\n";
  for (int i = 0; i < vertices && os.tellp() < static_cast<std::streamoff>(bytes / 2); ++i) {
    os << '\t' << (static_cast<int>(next()) - 32768) / 97.0 << ' ' << next() / 1024.0 << ' '
       << (static_cast<int>(next()) - 32768) * 1e-7 << '\n';
  }
  os << "\tfaces\n";
  while (os.tellp() < static_cast<std::streamoff>(bytes)) {
    os << "\t{ " << next() % vertices << "* " << next() % vertices << ' ' << next() % vertices
       << " } /* face */\n";
  }
  os << "}\n.\n";
  return os.str();
}

const std::string& Text() {
  static const std::string text = PbrepLikeText(10 * 1000 * 1000);
  return text;
}

void BM_StandardTokenizer(benchmark::State& state) {
  const std::string& text = Text();
  std::int64_t tokens = 0;
  for (auto _ : state) {
    StringReader reader(text);
    std::istream in(&reader);
    CScanner<ScannerMemo> s(in, zavo::kStandardScannerConfig);
    std::int64_t n = 0;
    for (s.Next(); s.Kind() != zavo::kTokenError; s.Next()) ++n;
    benchmark::DoNotOptimize(n);
    tokens += n;
  }
  const double bytes = static_cast<double>(text.size()) * static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["tokens/s"] = benchmark::Counter(static_cast<double>(tokens), benchmark::Counter::kIsRate);
  state.counters["MB/s"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
  state.counters["tokens"] = static_cast<double>(tokens / state.iterations());
}
BENCHMARK(BM_StandardTokenizer)->Unit(benchmark::kMillisecond);

}  // namespace
