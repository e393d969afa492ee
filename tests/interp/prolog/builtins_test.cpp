#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "prolog_test_support.h"

namespace {

using zavo::test::Ask;
using zavo::test::ConsultText;
using zavo::test::RecordingHost;
using zavo::test::TempDir;
using zavo::test::WriteFile;

struct Case {
  const char* goal;
  const char* answer;
};

TEST(PrologBuiltins, OutputAndFailure) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "p(X, Y) :- write(a, X, f(Y)).");
  const Case cases[] = {
      {"?- X = 1, Y = b, write(a, X, f(Y)).", "a 1 f(b) X = 1\nY = b\nyes\n"},
      {"?- p(1, b).", "a 1 f(b) yes\n"},
      {"?- write(X, [a | T]).", "X_0 [ a | T_0 ] X = ???\nT = ???\nyes\n"},
      {"?- write.", "yes\n"},
      {"?- nl, nl(x).", "\n\nyes\n"},
      {"?- fail.", "no\n"},
      {"?- write(a), fail.", "a no\n"},
      {"?- mem.", "no\n"},
      {"?- mem(x), write(never).", "no\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

class ConsultTest : public ::testing::Test {
protected:
  void SetUp() override {
    WriteFile(dir_ / "lib.pro", "item(a).\nitem(b).\n");
    sys_.host = &host_;
  }
  void TearDown() override { sys_.host = nullptr; }

  TempDir dir_;
  RecordingHost host_{1, dir_.path()};
  PrologSystem sys_{1000, 1000};
};

TEST_F(ConsultTest, ConsultAddsAndReconsultReplaces) {
  EXPECT_EQ(Ask(sys_, "?- consult(lib)."), "yes\n");
  EXPECT_EQ(Ask(sys_, "?- item(X)."), "X = a\nX = b\nyes\n");
  EXPECT_EQ(Ask(sys_, "?- consult(lib)."), "yes\n");
  EXPECT_EQ(Ask(sys_, "?- item(X)."), "X = a\nX = b\nX = a\nX = b\nyes\n");
  for (const Rule* r = sys_.rules.First(); r != nullptr; r = sys_.rules.Next(r)) {
    EXPECT_STREQ(r->source.Text(), "lib");
  }

  ConsultText(sys_, "item(own).");
  WriteFile(dir_ / "lib.pro", "item(c).\n");
  EXPECT_EQ(Ask(sys_, "?- reconsult(lib)."), "yes\n");
  EXPECT_EQ(Ask(sys_, "?- item(X)."), "X = own\nX = c\nyes\n");

  // The old clauses go also when the file is gone.
  std::filesystem::remove(dir_ / "lib.pro");
  EXPECT_EQ(Ask(sys_, "?- reconsult(lib)."), "no\n");
  EXPECT_EQ(Ask(sys_, "?- item(X)."), "X = own\nyes\n");
  EXPECT_EQ(Ask(sys_, "?- consult(lib)."), "no\n");
  // A quiet host gets only the messages meant for it.
  EXPECT_EQ(host_.outputs, (std::vector<std::string>{
                               "name = lib\n", "name = lib\n", "name = lib\n", "name = lib\n",
                               "name = lib\n"}));
}

TEST_F(ConsultTest, MessagesGoToTheHost) {
  RecordingHost talking(0, dir_.path());
  sys_.host = &talking;
  EXPECT_EQ(Ask(sys_, "?- consult(lib)."), "");
  EXPECT_EQ(Ask(sys_, "?- consult(a, b)."), "");
  EXPECT_EQ(Ask(sys_, "?- consult(3)."), "");
  EXPECT_EQ(Ask(sys_, "?- reconsult(X)."), "");
  EXPECT_EQ(talking.outputs,
            (std::vector<std::string>{"%consult 1\n", "name = lib\n", "yes\n",
                                      "%consult 2\n", "consult: size must be 1.\n", "no\n",
                                      "%consult 1\n", "consult: arg must be a functor.\n", "no\n",
                                      "%consult 1\n", "consult: arg must be a functor.\n", "no\n"}));
  sys_.host = &host_;
  EXPECT_EQ(Ask(sys_, "?- consult(a, b)."), "no\n");
  EXPECT_EQ(host_.outputs, (std::vector<std::string>{"consult: size must be 1.\n"}));
}

TEST_F(ConsultTest, WithoutHostTheWorkingDirectoryIsTheLibrary) {
  sys_.host = nullptr;
  zavo::test::ScopedCwd cwd(dir_.path());
  EXPECT_EQ(Ask(sys_, "?- consult(lib), item(X)."),
            "%consult 1\nname = lib\nX = a\nX = b\nyes\n");
  EXPECT_EQ(Ask(sys_, "?- consult(f(x))."), "%consult 1\nname = f\nno\n");
}

// Clauses consulted while a goal still has alternatives are found by it
// when they come after the clause it used last, as in the stored list.
TEST_F(ConsultTest, ClausesConsultedDuringASearchAreFoundInStoredOrder) {
  WriteFile(dir_ / "more.pro", "item(c).\nother(x).\nitem(d).\n");
  EXPECT_EQ(Ask(sys_, "?- consult(lib)."), "yes\n");
  EXPECT_EQ(Ask(sys_, "?- item(X), write(X), X = a, consult(more), fail."), "a b c d no\n");
  EXPECT_EQ(Ask(sys_, "?- item(X), write(X), fail."), "a b c d no\n");
  // The last clause of a name was used: the search had run out.
  EXPECT_EQ(Ask(sys_, "?- item(X), X = d, consult(more), fail."), "no\n");
  EXPECT_EQ(Ask(sys_, "?- item(X), write(X), fail."), "a b c d c d no\n");
}

// A clause that reconsults its own file goes on running; the old clauses are
// no longer found and are destroyed once the search is over.
TEST_F(ConsultTest, ReconsultDuringASearchKeepsRunningClausesAlive) {
  WriteFile(dir_ / "self.pro",
            "s :- reconsult(self), write(s1), t.\n"
            "t :- write(t1).\n");
  EXPECT_EQ(Ask(sys_, "?- consult(self)."), "yes\n");
  ASSERT_EQ(sys_.rules.Count(), 2);
  const Rule* old = sys_.rules.First();
  EXPECT_EQ(Ask(sys_, "?- s, !."), "s1 t1 yes\n");
  EXPECT_EQ(sys_.rules.Count(), 2);
  EXPECT_NE(sys_.rules.First(), old);
  std::ostringstream os;
  sys_.ListRules(os);
  EXPECT_EQ(os.str(), "s :- reconsult(self) , write(s1) , t.\nt :- write(t1).\n");
}

TEST(PrologBuiltins, ListWritesEveryClause) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "p(X) :- q(X, Y). q(1, [a, b]).");
  EXPECT_EQ(Ask(sys, "?- list."), "p(X) :- q(X,Y).\nq(1,[ a , b ]).\nyes\n");
}

TEST(PrologBuiltins, DebugTracesEveryStep) {
  PrologSystem sys(1000, 1000);
  std::ostringstream log;
  sys.log = &log;
  ConsultText(sys, "colour(red). colour(green). p(C) :- colour(C), C = green.");
  EXPECT_EQ(Ask(sys, "?- spy."), "yes\n");
  EXPECT_EQ(log.str(), "");
  EXPECT_EQ(Ask(sys, "?- debug."), "yes\n");
  EXPECT_EQ(Ask(sys, "?- p(C)."), "C = green\nyes\n");
  const std::string trace = log.str();
  for (const char* word :
       {"Forward to 0\n", "Forward( 0 )\n", "RightPos ", "LeftPos ", "run predicat\n",
        "successo\n", "Backtracking to ", "Analizing: p(C_0)\n", "Esito ricerca ",
        "Analizing  [,] colour(C_1) , C_1 = green\n : colour(C_1)\n", "nothing to do\n",
        "ValueStack  ", "Esito ricerca NULL\n"}) {
    SCOPED_TRACE(word);
    EXPECT_NE(trace.find(word), std::string::npos);
  }
  log.str("");
  EXPECT_EQ(Ask(sys, "?- G = colour(C), G, C = C."),
            "G = colour(red)\nC = red\nG = colour(green)\nC = green\nyes\n");
  EXPECT_NE(log.str().find("variable case\n"), std::string::npos);
  EXPECT_NE(log.str().find("Variable colour(C_0)\n"), std::string::npos);
  EXPECT_NE(log.str().find("!!Backtracking on a variable!!"), std::string::npos);

  std::string spy = Ask(sys, "?- spy.");
  EXPECT_EQ(spy.rfind("SPY\nValueStack  1\n0>  ?- spy.\n", 0), 0u);
  EXPECT_EQ(spy.substr(spy.size() - 4), "yes\n");

  EXPECT_EQ(Ask(sys, "?- undebug."), "yes\n");
  log.str("");
  EXPECT_EQ(Ask(sys, "?- colour(C), !."), "C = red\nyes\n");
  EXPECT_EQ(Ask(sys, "?- spy."), "yes\n");
  EXPECT_EQ(log.str(), "");
}

TEST(PrologBuiltins, TheCutIsTracedWhenPerformed) {
  PrologSystem sys(1000, 1000);
  std::ostringstream log;
  sys.log = &log;
  sys.debug = 1;
  ConsultText(sys, "colour(red). colour(green).");
  EXPECT_EQ(Ask(sys, "?- colour(C), !."), "C = red\nyes\n");
  EXPECT_NE(log.str().find("performing cut from 2 to 0\n"), std::string::npos);
}

}  // namespace
