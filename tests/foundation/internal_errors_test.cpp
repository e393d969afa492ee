// Misuse by a programmer ends the program through the internal-error box.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "foundation/char_string.h"
#include "foundation/scanner.h"
#include "foundation/string_buffer.h"

namespace {

std::string Escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return out;
}

TEST(InternalErrorsDeathTest, MisuseGoesToTheBox) {
  struct Case {
    const char* text;
    std::function<void()> misuse;
  } cases[] = {
      {"StringBuffer::Get", [] { StringBuffer b; b.Alloc(4); b.Get(); }},
      {"StringBuffer::Add", [] { StringBuffer b; b.Alloc(4); b.Close(); b.Add('x'); }},
      {"StringBuffer::Add", [] { StringBuffer b; b.Add('x'); }},
      {"StringBuffer::Free", [] { StringBuffer b; b.Free(); }},
      {"StringBuffer::Close", [] { StringBuffer b; b.Close(); }},
      {"StringBuffer::Get", [] { StringBuffer b; b.Get(); }},
      {"Next", [] {
         std::istringstream in("a");
         CScanner<ScannerMemo> s(in, '/', '*', '*', '/', 0, 0, 0, 0, 1, kIdentifierClassTable, 3);
         s.Next();
       }},
      {"Adv", [] {
         std::istringstream in("a");
         CScanner<ScannerMemo> s(in, '/', '*', '*', '/', 0, 0, 0, 0, 1, kIdentifierClassTable, 3);
         s.Adv(0);
       }},
      {"Not allowed", [] {
         std::istringstream in("a");
         CScanner<ScannerMemo> s(in, zavo::kStandardScannerConfig);
         s.SetNumberMode(-1);
         s.Next();
       }},
      {"charString::operator+", [] {
         charString null;
         std::unique_ptr<char[]> t(null + "x");
       }},
      {"charString::operator+", [] {
         charString s("x");
         std::unique_ptr<char[]> t(s + static_cast<const char*>(nullptr));
       }},
      {"charString::Sub", [] { std::unique_ptr<char[]> t(charString("scene").Sub(2, 6)); }},
      {"charString::Sub", [] { std::unique_ptr<char[]> t(charString("scene").Sub(3, 2)); }},
      {"charString::Sub", [] { std::unique_ptr<char[]> t(charString("scene").Sub(-1, 2)); }},
      {"charString::Sub", [] { std::unique_ptr<char[]> t(charString().Sub(0, 0)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EXIT(c.misuse(), ::testing::ExitedWithCode(1),
                "^Runtime Error: " + Escaped(c.text) + "\n$");
  }
}

}  // namespace
