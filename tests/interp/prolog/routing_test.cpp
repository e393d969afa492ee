#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "interp/prolog/term_access.h"
#include "prolog_test_support.h"

namespace {

using zavo::test::RecordingHost;

TEST(PrologRouting, WithoutHostOrWithAQuietHostOutputStaysOnTheStream) {
  for (int withHost = 0; withHost < 2; ++withHost) {
    SCOPED_TRACE(withHost);
    PrologSystem sys(1000, 1000);
    RecordingHost quiet(1);
    if (withHost) sys.host = &quiet;
    zavo::test::ConsultText(sys, "p(X) :- q(X, [a, b]).");
    std::ostringstream os;
    sys.ListRules(os);
    sys.Emit(os, "text");
    EXPECT_EQ(os.str(), "p(X) :- q(X,[ a , b ]).\ntext");
    EXPECT_TRUE(quiet.outputs.empty());
  }
}

TEST(PrologRouting, ATalkingHostGetsEverythingButTheLog) {
  PrologSystem sys(1000, 1000);
  RecordingHost talking(0);
  sys.host = &talking;
  std::ostringstream log;
  sys.log = &log;
  zavo::test::ConsultText(sys, "p(X) :- q(X, [a, b]).");
  std::ostringstream os;
  sys.ListRules(os);
  EXPECT_EQ(os.str(), "");
  // The term in one piece, then "." and the line end.
  EXPECT_EQ(talking.outputs,
            (std::vector<std::string>{"p(X) :- q(X,[ a , b ])", ".", "\n"}));
  sys.Emit(log, "trace");
  sys.names = &sys.rules.First()->names;
  sys.Emit(log, *sys.rules.First()->head);
  sys.names = nullptr;
  EXPECT_EQ(log.str(), "tracep(X)");
  EXPECT_EQ(talking.outputs.size(), 3u);
}

TEST(PrologRouting, ALongTermReachesTheHostWhole) {
  PrologSystem sys(1000, 1000);
  RecordingHost talking(0);
  sys.host = &talking;
  std::string list = "[";
  std::string printed = "[ ";
  for (int i = 0; i < 99; ++i) {
    std::string item = "item" + std::to_string(i);
    list += (i ? ", " : "") + item;
    printed += (i ? " , " : "") + item;
  }
  list += "].";
  printed += " ]";
  auto rule = zavo::test::ReadRule(sys, list);
  ASSERT_NE(rule, nullptr);
  std::ostringstream os;
  sys.Emit(os, *rule->term);
  ASSERT_EQ(talking.outputs.size(), 1u);
  EXPECT_GT(printed.size(), 300u);
  EXPECT_EQ(talking.outputs[0], printed);
  EXPECT_EQ(os.str(), "");
}

std::string kept;
int Keep(PrologSystem& sys, Seq<pObj*>& args) {
  kept = zavo::TermText(sys, args[0], sys.LeftPos);
  return 1;
}

// A predicate's own text of a term never reaches a talking host.
TEST(PrologRouting, TheTextOfATermStaysWithThePredicate) {
  PrologSystem sys(1000, 1000);
  RecordingHost talking(0);
  sys.host = &talking;
  sys.DefinePredicate("keep", Keep);
  zavo::test::Ask(sys, "?- X = 2.5, keep(f(X, [b])).");
  EXPECT_EQ(kept, "f(2.5,[ b ])");
  EXPECT_EQ(talking.Joined(), "X = 2.5\nyes\n");
  EXPECT_EQ(sys.host, &talking);
}

TEST(PrologRouting, TwoSystemsShareNothing) {
  PrologSystem a(1000, 1000);
  PrologSystem b(1000, 1000);
  zavo::test::ConsultText(a, "p.");
  a.comma->active = 0;
  a.definitions.Get("only_in_a");
  EXPECT_EQ(b.rules.Count(), 0);
  EXPECT_EQ(b.comma->active, 1);
  EXPECT_EQ(b.definitions.Find("only_in_a"), nullptr);
  EXPECT_NE(a.definitions.Get("p"), b.definitions.Get("p"));
  a.comma->active = 1;
}

}  // namespace
