#include "foundation/scanner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Scanner = CScanner<ScannerMemo>;

const char* Short(int kind) {
  switch (kind) {
    case 0: return "err";
    case 1: return "id";
    case 2: return "sp";
    case 3: return "int";
    case 4: return "flt";
    case 5: return "sci";
    default: return "?";
  }
}

// The tokens up to the end of the input as "id:x sp:( int:1".
std::string Tokens(ScannerMemo& s) {
  std::string out;
  s.Next();
  for (int guard = 0; s.Kind() != zavo::kTokenError && guard < 1000; ++guard) {
    if (!out.empty()) out += ' ';
    out += std::string(Short(s.Kind())) + ":" + s.Text();
    s.Next();
  }
  return out;
}

TEST(Scanner, DumpOfTheStandardConfiguration) {
  std::istringstream in("a /* x */ b // y\nc -2.5 - 5 +7 2e-3 12ab 1.5.3 x-1 .\n");
  Scanner s(in, zavo::kStandardScannerConfig);
  std::ostringstream os;
  s.Dump(os);
  EXPECT_EQ(os.str(),
            "identifier   a\n"
            "identifier   b\n"
            "identifier   c\n"
            "number_float   -2.5\n"
            "special   -\n"
            "number_integer   5\n"
            "number_integer   +7\n"
            "number_scient   2E-3\n"
            "number_integer   12\n"
            "identifier   ab\n"
            "number_float   1.5\n"
            "number_float   .3\n"
            "identifier   x\n"
            "number_integer   -1\n"
            "special   .\n"
            "\n");
}

TEST(Scanner, EveryTokenKnowsItsStartLine) {
  std::istringstream in("a /* x */ b // y\nc -2.5\n");
  Scanner s(in, zavo::kStandardScannerConfig);
  std::vector<int> lines;
  for (s.Next(); s.Kind() != zavo::kTokenError; s.Next()) {
    lines.push_back(s.TokenLine());
    if (std::string(s.Text()) == "c") {
      EXPECT_EQ(s.Line(), 1);
    }
  }
  EXPECT_EQ(lines, (std::vector<int>{1, 1, 2, 2}));

  // The closing brace is on line 1 although its scan already read the line feed.
  std::istringstream in2("x }\n");
  Scanner t(in2, zavo::kStandardScannerConfig);
  t.Next();
  t.Next();
  EXPECT_EQ(std::string(t.Text()), "}");
  EXPECT_EQ(t.TokenLine(), 1);
  EXPECT_EQ(t.Line() + 1, 2);
}

TEST(Scanner, EdgeCases) {
  const zavo::ScannerConfig& std_ = zavo::kStandardScannerConfig;
  const zavo::ScannerConfig& expr = zavo::kExpressionScannerConfig;
  const zavo::ScannerConfig& pro = zavo::kPrologFileScannerConfig;
  struct Case {
    const zavo::ScannerConfig* config;
    const char* input;
    const char* tokens;
    int error_code;
  } cases[] = {
      {&std_, "a /* x */ b // y\nc", "id:a id:b id:c", 0},
      {&std_, "/* never closed", "", 2},
      {&std_, "/*/ x", "", 2},
      {&std_, "a // no line feed", "id:a", 2},
      {&std_, "/**/x/* */", "id:x", 0},
      {&std_, "a/b", "id:a sp:/ id:b", 0},
      {&std_, "x(1)", "id:x sp:( int:1 sp:)", 0},
      {&std_, "-2.5", "flt:-2.5", 0},
      {&std_, "- 5", "sp:- int:5", 0},
      {&std_, "+7", "int:+7", 0},
      {&std_, "-x", "sp:- id:x", 0},
      {&std_, "3.", "flt:3.", 0},
      {&std_, ".5", "flt:.5", 0},
      {&std_, "-.5 -.x", "flt:-.5 sp:- sp:. id:x", 0},
      {&std_, "7e+2", "sci:7E+2", 0},
      {&std_, "7E2", "sci:7E2", 0},
      {&std_, "7e", "sp:7E", 0},
      {&std_, "7e+ x", "sp:7E sp:+ id:x", 0},
      {&std_, "-1.5e-3x", "sci:-1.5E-3 id:x", 0},
      {&std_, "12ab 1.5.3 x-1", "int:12 id:ab flt:1.5 flt:.3 id:x int:-1", 0},
      {&std_, "x_1 1x", "id:x_1 int:1 id:x", 0},
      {&std_, "a\r\nb\tc\vd\fe", "id:a id:b id:c id:d id:e", 0},
      {&std_, "\x80z\xff", "sp:\x80 id:z sp:\xff", 0},
      {&std_, "% x", "sp:% id:x", 0},
      {&expr, "-2.5 7e3 // c\n", "sp:- flt:2.5 sci:7E3", 0},
      {&pro, "X :- Y.", "id:X id::- id:Y sp:.", 0},
      {&pro, "% remark\nfoo", "id:foo", 0},
      {&pro, "-2.5 +-*/ x_1 [a]", "id:- flt:2.5 id:+-*/ id:x_1 sp:[ id:a sp:]", 0},
      {&pro, "/* c */ a % end", "id:a", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::istringstream in(c.input);
    Scanner s(in, *c.config);
    EXPECT_EQ(Tokens(s), c.tokens);
    EXPECT_EQ(s.ErrorCode(), c.error_code);
    s.Next();  // the end of the input stays the end
    EXPECT_EQ(s.Kind(), zavo::kTokenError);
    EXPECT_EQ(std::string(s.Text()), "");
  }
}

TEST(Scanner, NumberModes) {
  struct Case {
    int mode;
    const char* input;
    const char* tokens;
  } cases[] = {
      {0, "12 x", "sp:1 sp:2 id:x"},
      {1, "+5 -x 42 1.5", "int:+5 sp:- id:x int:42 int:1 sp:. int:5"},
      {2, "1e5 2.5 -3", "int:1 id:e5 flt:2.5 sp:- int:3"},
      {-2, "-2.5e3 +.5", "flt:-2.5 id:e3 flt:+.5"},
      {3, "-2.5e3", "sp:- sci:2.5E3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::istringstream in(c.input);
    Scanner s(in, zavo::kStandardScannerConfig);
    s.SetNumberMode(c.mode);
    EXPECT_EQ(Tokens(s), c.tokens);
  }
}

TEST(Scanner, LookAheadGivesTheSameSequence) {
  const char* text = "a 1\n( -2.5 /* c */ b\n) c 7e x . y z";
  for (const zavo::ScannerConfig* config :
       {&zavo::kStandardScannerConfig, &zavo::kExpressionScannerConfig}) {
    std::istringstream plain_in(text);
    Scanner plain(plain_in, *config);
    std::istringstream ahead_in(text);
    Scanner ahead(ahead_in, *config);
    for (int i = 0; i < 20; ++i) {
      SCOPED_TRACE(i);
      plain.Next();
      ahead.Next();
      const std::string text_here = ahead.Text();
      const int line_here = ahead.TokenLine();
      // Look one and, when the ring allows, several tokens ahead, then come back.
      for (int n = 1; n < ahead.Slots() && n <= 3; ++n) ASSERT_EQ(ahead.Adv(n), 1);
      ASSERT_EQ(ahead.Adv(0), 1);
      EXPECT_EQ(ahead.Kind(), plain.Kind());
      EXPECT_EQ(std::string(ahead.Text()), plain.Text());
      EXPECT_EQ(std::string(ahead.Text()), text_here);
      EXPECT_EQ(ahead.TokenLine(), plain.TokenLine());
      EXPECT_EQ(ahead.TokenLine(), line_here);
    }
  }
}

TEST(Scanner, LookAheadTokensKeepTheirLines) {
  std::istringstream in("a\nb\n\nc");
  Scanner s(in, zavo::kExpressionScannerConfig);
  s.Next();
  ASSERT_EQ(s.Adv(2), 1);
  EXPECT_EQ(std::string(s.Text()), "c");
  EXPECT_EQ(s.TokenLine(), 4);
  ASSERT_EQ(s.Adv(1), 1);
  EXPECT_EQ(std::string(s.Text()), "b");
  EXPECT_EQ(s.TokenLine(), 2);
  ASSERT_EQ(s.Adv(0), 1);
  EXPECT_EQ(std::string(s.Text()), "a");
  EXPECT_EQ(s.TokenLine(), 1);
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "b");
  EXPECT_EQ(s.TokenLine(), 2);
}

TEST(Scanner, AdvBeyondTheRingChangesNothing) {
  std::istringstream in("a b c");
  Scanner s(in, zavo::kStandardScannerConfig);  // 2 slots
  s.Next();
  EXPECT_EQ(s.Adv(2), 0);
  EXPECT_EQ(s.Adv(-1), 0);
  EXPECT_EQ(std::string(s.Text()), "a");
  EXPECT_EQ(s.Kind(), zavo::kTokenIdentifier);
  ASSERT_EQ(s.Adv(1), 1);
  EXPECT_EQ(std::string(s.Text()), "b");
  EXPECT_EQ(s.Adv(2), 0);
  EXPECT_EQ(std::string(s.Text()), "b");  // still the token in view
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "b");
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "c");
}

TEST(Scanner, LongTokenIsConsumedWholeAndMarkedCut) {
  const std::string sixty(60, 'q');
  std::istringstream in(sixty + " next");
  Scanner s(in, zavo::kPrologGoalScannerConfig);  // 2 slots of 50
  s.Next();
  EXPECT_EQ(s.Kind(), zavo::kTokenIdentifier);
  EXPECT_EQ(std::string(s.Text()), std::string(50, 'q'));
  EXPECT_TRUE(s.TokenCut());
  ASSERT_EQ(s.Adv(1), 1);
  EXPECT_EQ(std::string(s.Text()), "next");
  EXPECT_FALSE(s.TokenCut());
  ASSERT_EQ(s.Adv(0), 1);
  EXPECT_TRUE(s.TokenCut());
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "next");
  EXPECT_FALSE(s.TokenCut());
}

TEST(Scanner, StandardReadersEndTheInputAtATokenThatDoesNotFit) {
  struct Case {
    std::string long_token;
    std::string what;
  } cases[] = {
      {std::string(257, 'n'), "a name one character too long"},
      {"1." + std::string(300, '0') + "E5", "a number whose exponent would be lost"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::istringstream in("ok\n  " + c.long_token + " after\n");
    Scanner s(in, zavo::kStandardScannerConfig);
    s.Next();
    EXPECT_EQ(std::string(s.Text()), "ok");
    EXPECT_FALSE(s.TokenCut());
    ASSERT_EQ(s.Adv(1), 1);  // seen through look-ahead as well
    EXPECT_EQ(s.Kind(), zavo::kTokenError);
    EXPECT_TRUE(s.TokenCut());
    for (int i = 0; i < 3; ++i) {
      s.Next();
      EXPECT_EQ(s.Kind(), zavo::kTokenError);
      EXPECT_EQ(std::string(s.Text()), "");
      EXPECT_TRUE(s.TokenCut());
      EXPECT_EQ(s.TokenLine(), 2);
    }
  }
  // 256 characters still fit.
  std::string text(256, 'n');
  text += " x";
  std::istringstream in(text);
  Scanner s(in, zavo::kStandardScannerConfig);
  s.Next();
  EXPECT_EQ(std::string(s.Text()), std::string(256, 'n'));
  EXPECT_FALSE(s.TokenCut());
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "x");
}

TEST(Scanner, ConfigurationsAndRings) {
  struct Case {
    const zavo::ScannerConfig* config;
    int slots, length, mode;
    bool cut_ends_input;
  } cases[] = {
      {&zavo::kStandardScannerConfig, 2, 256, -3, true},
      {&zavo::kExpressionScannerConfig, 10, 100, 3, false},
      {&zavo::kPrologFileScannerConfig, 10, 100, 3, false},
      {&zavo::kPrologGoalScannerConfig, 2, 50, 3, false},
  };
  for (const auto& c : cases) {
    std::istringstream in("x");
    PrologScanner<ScannerMemo> s(in, *c.config);
    EXPECT_EQ(s.Slots(), c.slots);
    EXPECT_EQ(s.TokenLength(), c.length);
    EXPECT_EQ(s.NumberMode(), c.mode);
    EXPECT_EQ(s.CutEndsInput(), c.cut_ends_input);
  }
}

TEST(Scanner, InitMemoReplacesTheRing) {
  std::istringstream in("a b c");
  Scanner s(in, '/', '*', '*', '/', '/', '/', '\n', 0, 1, kIdentifierClassTable, 3);
  s.InitMemo(3, 10);
  s.Next();
  s.InitMemo(2, 1);  // the old ring goes; the input goes on where it was
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "b");
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "c");
  s.Next();
  EXPECT_EQ(s.Kind(), zavo::kTokenError);
}

TEST(Scanner, RawTextsStartAtTheLookAheadAndCountTheirLines) {
  std::istringstream in("a \"one\n two /* x */\n\";  b\n\"open");
  Scanner s(in, zavo::kStandardScannerConfig);
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "a");
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "\"");
  EXPECT_EQ(s.LookAhead(), 'o');
  EXPECT_EQ(&s.InputStream(), &in);
  std::string text;
  ASSERT_EQ(s.ReadRaw('"', text), 1);
  EXPECT_EQ(text, "one\n two /* x */\n");
  EXPECT_EQ(s.Line(), 2);
  s.Next();
  EXPECT_EQ(std::string(s.Text()), ";");
  EXPECT_EQ(s.TokenLine(), 3);
  s.Next();
  EXPECT_EQ(std::string(s.Text()), "b");
  s.Next();
  // A text the input ends: what was read, and 0.
  EXPECT_EQ(s.ReadRaw('"', text), 0);
  EXPECT_EQ(text, "open");
  s.Next();
  EXPECT_EQ(s.Kind(), zavo::kTokenError);
}

TEST(Scanner, RawTextsAfterLookingAheadAreAnInternalError) {
  std::istringstream in("\" a b\"");
  Scanner s(in, zavo::kStandardScannerConfig);
  s.Next();
  s.Adv(1);
  s.Adv(0);
  std::string text;
  EXPECT_EXIT(s.ReadRaw('"', text), ::testing::ExitedWithCode(1), "Runtime Error: ReadRaw");
}

TEST(Scanner, KindNames) {
  const struct {
    int kind;
    const char* name;
  } cases[] = {{-1, "logic_error"}, {0, "error"}, {1, "identifier"}, {2, "special"},
               {3, "number_integer"}, {4, "number_float"}, {5, "number_scient"}};
  for (const auto& c : cases) EXPECT_STREQ(ScannerBase::KindName(c.kind), c.name);
  EXPECT_EQ(ScannerBase::KindName(6), nullptr);
  EXPECT_EQ(ScannerBase::KindName(-2), nullptr);
}

}  // namespace
