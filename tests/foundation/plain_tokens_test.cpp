#include "foundation/plain_tokens.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// A stream buffer that hands out its text in small pieces and cannot seek.
class Trickle : public std::streambuf {
public:
  explicit Trickle(std::string text) : text_(std::move(text)) {}

protected:
  int_type underflow() override {
    if (at_ >= text_.size()) return traits_type::eof();
    const std::size_t n = std::min<std::size_t>(3, text_.size() - at_);
    setg(text_.data() + at_, text_.data() + at_, text_.data() + at_ + n);
    at_ += n;
    return traits_type::to_int_type(*gptr());
  }

private:
  std::string text_;
  std::size_t at_ = 0;
};

// The rest of the stream, from wherever it stands, and the stream at its end
// afterwards, whatever kind of stream it is.
TEST(ReadWholeStream, TakesTheRestOfAnyStream) {
  const std::string text = "{ pbrep\n" + std::string(200000, 'x') + "\n.\n";
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("zavo_read_whole_" + std::to_string(::getpid()) + ".txt");
  {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  for (std::size_t skip : {std::size_t{0}, std::size_t{5}, text.size()}) {
    SCOPED_TRACE(skip);
    std::ifstream file(path, std::ios::binary);
    std::istringstream memory(text);
    Trickle trickle(text);
    std::istream piecewise(&trickle);
    for (std::istream* in : {static_cast<std::istream*>(&file), static_cast<std::istream*>(&memory), &piecewise}) {
      for (std::size_t i = 0; i < skip; ++i) in->get();
      EXPECT_EQ(zavo::ReadWholeStream(*in), text.substr(skip));
      EXPECT_TRUE(in->eof());
      EXPECT_TRUE(in->fail());
    }
  }
  std::filesystem::remove(path);
}

}  // namespace
