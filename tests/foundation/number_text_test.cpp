#include "foundation/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <climits>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "foundation/scanner.h"

namespace {

using zavo::kTokenFloat;
using zavo::kTokenIdentifier;
using zavo::kTokenInteger;
using zavo::kTokenScient;
using zavo::kTokenSpecial;

TEST(NumberText, NumberTokensConvert) {
  struct Case {
    int kind;
    const char* text;
    double value;
  } cases[] = {
      {kTokenInteger, "+7", 7},        {kTokenInteger, "12", 12},
      {kTokenInteger, "-1", -1},       {kTokenFloat, "-.5", -0.5},
      {kTokenFloat, "5.", 5},          {kTokenFloat, ".5", 0.5},
      {kTokenFloat, "+.25", 0.25},     {kTokenScient, "2E-3", 0.002},
      {kTokenScient, "7E+2", 700},     {kTokenScient, "1.5e3", 1500},
      {kTokenScient, "1E-999", 0},     {kTokenScient, "-1E-999", 0},
      {kTokenFloat, "1.7976931348623157e308", 1.7976931348623157e308},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    double strict = -99, lenient = -99;
    EXPECT_TRUE(zavo::TokenToDouble(c.kind, c.text, strict));
    EXPECT_TRUE(zavo::TokenToDoubleOrZero(c.kind, c.text, lenient));
    EXPECT_EQ(strict, c.value);
    EXPECT_EQ(lenient, c.value);
  }
  double v = 0;
  ASSERT_TRUE(zavo::TokenToDouble(kTokenScient, "-1E-999", v));
  EXPECT_TRUE(std::signbit(v));
}

TEST(NumberText, OnlyNumberTokensAreNumbers) {
  const std::string huge = "1" + std::string(400, '0');
  struct Case {
    int kind;
    const char* text;
    bool strict_ok;
    bool lenient_ok;
    double lenient_value;
  } cases[] = {
      {kTokenIdentifier, "nan", false, true, 0},
      {kTokenIdentifier, "inf", false, true, 0},
      {kTokenIdentifier, "infinity", false, true, 0},
      {kTokenSpecial, "7E", false, true, 0},  // an exponent letter with no exponent
      {kTokenSpecial, "-", false, true, 0},
      {0, "", false, true, 0},
      {kTokenScient, "1E999", false, false, 0},    // overflows a double
      {kTokenScient, "-1E999", false, false, 0},
      {kTokenInteger, huge.c_str(), false, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    double strict = -99, lenient = -99;
    EXPECT_EQ(zavo::TokenToDouble(c.kind, c.text, strict), c.strict_ok);
    EXPECT_EQ(strict, -99);  // untouched on failure
    EXPECT_EQ(zavo::TokenToDoubleOrZero(c.kind, c.text, lenient), c.lenient_ok);
    if (c.lenient_ok) {
      EXPECT_EQ(lenient, c.lenient_value);
    }
  }
}

TEST(NumberText, TextMustBeOneWholeNumber) {
  const char* bad[] = {"", "+", "-", ".", "E5", "1E", "1E+", "1.5.3", "+-1", " 1",
                       "1 ", "0x10", "nan", "inf", "1,5", "1e5x"};
  for (const char* t : bad) {
    SCOPED_TRACE(t);
    double v = -99;
    EXPECT_FALSE(zavo::NumberTextToDouble(t, v));
    EXPECT_EQ(v, -99);
  }
}

// The reading every number text had before it took the common case at once:
// the whole syntax checked first, then from_chars, an underflow giving 0 with
// its sign and an overflow a failure.
bool CheckedReading(std::string_view t, double& value) {
  const auto digits = [&t](std::size_t i) {
    std::size_t j = i;
    while (j < t.size() && t[j] >= '0' && t[j] <= '9') ++j;
    return j;
  };
  // The decimal exponent of the leading non-zero digit tells an overflow
  // from an underflow.
  long long leading = LLONG_MIN;
  std::size_t i = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  const std::size_t intEnd = digits(i);
  for (std::size_t k = i; k < intEnd && leading == LLONG_MIN; ++k) {
    if (t[k] != '0') leading = static_cast<long long>(intEnd - k) - 1;
  }
  std::size_t mantissaDigits = intEnd - i;
  i = intEnd;
  if (i < t.size() && t[i] == '.') {
    const std::size_t fracEnd = digits(i + 1);
    for (std::size_t k = i + 1; k < fracEnd && leading == LLONG_MIN; ++k) {
      if (t[k] != '0') leading = -static_cast<long long>(k - i);
    }
    mantissaDigits += fracEnd - i - 1;
    i = fracEnd;
  }
  if (mantissaDigits == 0) return false;
  long long exponent = 0;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t expEnd = digits(i);
    if (expEnd == i) return false;
    for (std::size_t k = i; k < expEnd; ++k) {
      if (exponent < 1000000000LL) exponent = exponent * 10 + (t[k] - '0');
    }
    if (negative) exponent = -exponent;
    i = expEnd;
  }
  if (i != t.size()) return false;
  const std::string_view body = t[0] == '+' ? t.substr(1) : t;
  double v = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::general);
  if (end != body.data() + body.size()) return false;
  if (ec == std::errc::result_out_of_range) {
    if (leading != LLONG_MIN && leading + exponent > 0) return false;  // too large
    v = body.front() == '-' ? -0.0 : 0.0;                               // too small
  } else if (ec != std::errc()) {
    return false;
  }
  value = v;
  return true;
}

TEST(NumberText, EveryTextReadsAsTheCheckedReadingDid) {
  const std::string manyDigits = "3." + std::string(300, '9');
  const std::string longInteger = std::string(308, '9');
  const std::string tooLong = "1" + std::string(309, '0');
  const std::string tinyMany = "0." + std::string(330, '0') + "1";
  const char* texts[] = {
      "0", "-0", "+0", "0.0", "-0.0", "000123", "1.", "-1.", "+1.", ".5", "-.5", "+.5", "1.e5", "1.E+5",
      "2e-3", "2E-3", "7E+2", "-7e2", "1.5e3", "1e0", "1e-0", "1e+0", "0e999", "0.000e-999",
      "0.1", "0.2", "0.3", "3.14159265358979323846264338327950288419716939937510",
      "9007199254740993", "9007199254740992.5", "18446744073709551616", "123456789012345678901234567890",
      "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308", "-1.7976931348623157e308",
      "2.2250738585072011e-308", "2.2250738585072014e-308", "4.9e-324", "2.4703282292062328e-324",
      "2.4703282292062327e-324", "1e-320", "-1e-320", "1e-400", "-1e-400", "1E-999", "1e999", "-1e999",
      "1e2147483648", "1e-2147483649", "1e99999999999999999999",
      "", "+", "-", ".", "-.", "+.", "e5", ".e5", "1e", "1e+", "1e-", "1.5.3", "+-1", "-+1", "--1",
      "++1", " 1", "1 ", "0x10", "0x1p3", "nan", "-nan", "inf", "-inf", "+inf", "infinity", "1,5",
      "1e5x", "1f", "1_0", "1..", "..1",
  };
  std::vector<std::string> all(std::begin(texts), std::end(texts));
  for (const std::string& extra : {manyDigits, longInteger, tooLong, tinyMany}) {
    all.push_back(extra);
    all.push_back("-" + extra);
  }
  for (const std::string& t : all) {
    SCOPED_TRACE(t);
    double expected = -99;
    double got = -99;
    const bool expectedOk = CheckedReading(t, expected);
    EXPECT_EQ(zavo::NumberTextToDouble(t, got), expectedOk);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected));
  }
}

TEST(NumberText, ScannerTokens) {
  std::istringstream in("3.5 -7.9 x 1E999 7e 2147483648 -2147483648.7");
  CScanner<ScannerMemo> s(in, zavo::kStandardScannerConfig);
  double d = 0;
  int i = 0;
  s.Next();
  EXPECT_TRUE(zavo::TokenToDouble(s, d));
  EXPECT_EQ(d, 3.5);
  s.Next();
  EXPECT_TRUE(zavo::TokenToInt(s, i));
  EXPECT_EQ(i, -7);
  s.Next();  // x
  EXPECT_FALSE(zavo::TokenToDouble(s, d));
  EXPECT_TRUE(zavo::TokenToDoubleOrZero(s, d));
  EXPECT_EQ(d, 0);
  EXPECT_FALSE(zavo::TokenToInt(s, i));
  s.Next();  // 1E999
  EXPECT_FALSE(zavo::TokenToDoubleOrZero(s, d));
  s.Next();  // 7E, a special
  EXPECT_FALSE(zavo::TokenToInt(s, i));
  s.Next();  // one above INT_MAX
  EXPECT_FALSE(zavo::TokenToInt(s, i));
  s.Next();
  EXPECT_TRUE(zavo::TokenToInt(s, i));
  EXPECT_EQ(i, INT_MIN);

  // A number cut to the slot length never converts.
  std::istringstream cut_in("1." + std::string(60, '5') + " 2");
  CScanner<ScannerMemo> cut(cut_in, zavo::kPrologGoalScannerConfig);
  cut.Next();
  ASSERT_TRUE(cut.TokenCut());
  EXPECT_FALSE(zavo::TokenToDouble(cut, d));
  EXPECT_FALSE(zavo::TokenToDoubleOrZero(cut, d));
  cut.Next();
  EXPECT_TRUE(zavo::TokenToDouble(cut, d));
  EXPECT_EQ(d, 2);
}

TEST(NumberText, TruncateToInt) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double x;
    bool ok;
    int value;
  } cases[] = {
      {7.9, true, 7},           {-7.9, true, -7},
      {0.5, true, 0},           {-0.5, true, 0},
      {2147483647.9, true, INT_MAX}, {-2147483648.9, true, INT_MIN},
      {2147483648.0, false, 0}, {-2147483649.0, false, 0},
      {1e300, false, 0},        {nan, false, 0},
      {inf, false, 0},          {-inf, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    int v = 12345;
    EXPECT_EQ(zavo::TruncateToInt(c.x, v), c.ok);
    EXPECT_EQ(v, c.ok ? c.value : 12345);
  }
}

TEST(NumberText, SaturateToInt) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double x;
    int value;
  } cases[] = {
      {nan, 0},          {-nan, 0},         {inf, INT_MAX},  {-inf, INT_MIN},
      {1e300, INT_MAX},  {-1e300, INT_MIN}, {3.99, 3},       {-3.99, -3},
      {2147483647.5, INT_MAX}, {-2147483648.5, INT_MIN}, {0.0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(zavo::SaturateToInt(c.x), c.value);
  }
}

// Restores the global locales when the test ends.
class GlobalLocale {
public:
  GlobalLocale() : cpp_(std::locale()), c_(std::setlocale(LC_ALL, nullptr)) {}
  ~GlobalLocale() {
    std::locale::global(cpp_);
    std::setlocale(LC_ALL, c_.c_str());
  }

private:
  std::locale cpp_;
  std::string c_;
};

TEST(NumberText, SameResultsUnderADecimalCommaLocale) {
  GlobalLocale restore;
  bool found = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "it_IT.UTF-8",
                           "es_ES.UTF-8", "nl_NL.UTF-8", "ru_RU.UTF-8", "de_DE", "fr_FR"}) {
    try {
      std::locale l(name);
      if (std::use_facet<std::numpunct<char>>(l).decimal_point() != ',') continue;
      std::locale::global(l);
      if (!std::setlocale(LC_ALL, name)) continue;
      found = true;
      break;
    } catch (const std::runtime_error&) {
    }
  }
  if (!found) GTEST_SKIP() << "no locale with a decimal comma on this machine";

  double v = 0;
  ASSERT_TRUE(zavo::TokenToDouble(kTokenFloat, "-2.5", v));
  EXPECT_EQ(v, -2.5);
  ASSERT_TRUE(zavo::TokenToDouble(kTokenScient, "2E-3", v));
  EXPECT_EQ(v, 0.002);
  EXPECT_FALSE(zavo::NumberTextToDouble("2,5", v));
  std::istringstream in("1.25 -7.5");
  CScanner<ScannerMemo> s(in, zavo::kStandardScannerConfig);
  s.Next();
  ASSERT_TRUE(zavo::TokenToDouble(s, v));
  EXPECT_EQ(v, 1.25);
  s.Next();
  int i = 0;
  ASSERT_TRUE(zavo::TokenToInt(s, i));
  EXPECT_EQ(i, -7);
}

}  // namespace
