#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "prolog_test_support.h"

namespace {

using zavo::test::Ask;
using zavo::test::ConsultText;
using zavo::test::DataPath;
using zavo::test::Tree;
using zavo::test::Written;

struct Case {
  const char* goal;
  const char* answer;
};

std::string Listing(PrologSystem& sys) {
  std::ostringstream os;
  sys.ListRules(os);
  return os.str();
}

TEST(PrologClauseStore, ConsultKeepsTheClausesBeforeTheFirstWrongOne) {
  PrologSystem sys(1000, 1000);
  EXPECT_EQ(sys.Consult(DataPath("interp/prolog/third_wrong.pro")), 1);
  EXPECT_EQ(Listing(sys), "colour(red).\ncolour(green).\n");
}

TEST(PrologClauseStore, EmptyFilesAndCommentsStoreNothing) {
  PrologSystem sys(1000, 1000);
  EXPECT_EQ(sys.Consult(DataPath("interp/prolog/empty.pro")), 1);
  EXPECT_EQ(sys.Consult(DataPath("interp/prolog/comments_only.pro")), 1);
  EXPECT_EQ(sys.rules.Count(), 0);
}

TEST(PrologClauseStore, AMissingFileChangesNothing) {
  PrologSystem sys(1000, 1000);
  zavo::test::TempDir dir;
  EXPECT_EQ(sys.Consult(dir / "absent.pro"), 0);
  EXPECT_EQ(sys.rules.Count(), 0);
}

TEST(PrologClauseStore, ListsEachClauseOnALineOfItsOwn) {
  PrologSystem sys(1000, 1000);
  ASSERT_EQ(sys.Consult(DataPath("interp/prolog/listing.pro"), "listing"), 1);
  EXPECT_EQ(Listing(sys),
            "p(X) :- q(X,Y).\n"
            " :- q(a).\n"
            " ?- p(b).\n"
            "long(X) :- X = [ a , b | T ] ,  not T , ( X , T ; T ).\n");
  int n = 0;
  for (Rule* r = sys.rules.First(); r != nullptr; r = sys.rules.Next(r)) {
    EXPECT_STREQ(r->source.Text(), "listing");
    ++n;
  }
  EXPECT_EQ(n, 4);
  Rule* fact = sys.rules.Next(sys.rules.First());
  EXPECT_EQ(fact->head, fact->term);
  EXPECT_EQ(fact->body, nullptr);
  Rule* query = sys.rules.Next(fact);
  EXPECT_EQ(query->head, nullptr);
  EXPECT_EQ(Tree(sys, query->body), "p(b)");
}

// Consulting a listing gives the same clauses again: clauses that end in
// numbers, operator terms that need their parentheses, lists, and numbers of
// more than six digits.
TEST(PrologClauseStore, AListingConsultsBackAsTheSameClauses) {
  PrologSystem first(1000, 1000);
  ASSERT_EQ(first.Consult(DataPath("interp/prolog/roundtrip.pro")), 1);
  ASSERT_EQ(first.rules.Count(), 15);
  const std::string listing = Listing(first);

  PrologSystem second(1000, 1000);
  std::istringstream in(listing);
  second.Consult(in, nullptr);
  ASSERT_EQ(second.rules.Count(), first.rules.Count()) << listing;
  EXPECT_EQ(Listing(second), listing);
  for (Rule *a = first.rules.First(), *b = second.rules.First(); a != nullptr && b != nullptr;
       a = first.rules.Next(a), b = second.rules.Next(b)) {
    EXPECT_EQ(Tree(second, b->term), Tree(first, a->term));
  }
  EXPECT_NE(listing.find("pi(3.14159265358979)."), std::string::npos) << listing;
  EXPECT_NE(listing.find("q(X) :- p(X) , X > 1.\n"), std::string::npos) << listing;
}

TEST(PrologClauseStore, AClauseWithoutTermListsAsNotDefined) {
  PrologSystem sys(1000, 1000);
  sys.rules.Append(new Rule);
  std::ostringstream os;
  sys.ListRules(os);
  EXPECT_EQ(os.str(), "NOTDEF\n\n");
}

TEST(PrologClauseStore, ListingKeepsTheRegistersAsTheyWere) {
  PrologSystem sys(1000, 1000);
  zavo::test::ConsultText(sys, "p(X).");
  sys.ViewMode = 1;
  ListofNames outer;
  sys.names = &outer;
  EXPECT_EQ(Written(sys, *sys.rules.First()), "p(X).");
  EXPECT_EQ(sys.ViewMode, 1);
  EXPECT_EQ(sys.names, &outer);
  sys.names = nullptr;
}

// A goal tries the clauses of its name and arity and those whose head is a
// variable, in stored order, however the clauses of other names and arities
// lie between them; atoms and compounds of no arguments stay apart.
TEST(PrologClauseStore, GoalsTryTheirClausesInStoredOrder) {
  PrologSystem sys(10000, 10000);
  ConsultText(sys,
              "p(1).\n"
              "p.\n"
              "p(a, b).\n"
              "X :- write(any).\n"
              "p(2).\n"
              "q(1).\n"
              "p(3, c).\n"
              "p(3).\n"
              "p :- write(atom).\n"
              "p(f(Y)) :- write(Y).\n");
  const Case cases[] = {
      {"?- p(A).", "A = 1\nany A = ???\nA = 2\nA = 3\nY_1 A = f(Y_1)\nyes\n"},
      {"?- p.", "any atom yes\n"},
      {"?- p(A, B).", "A = a\nB = b\nany A = ???\nB = ???\nA = 3\nB = c\nyes\n"},
      {"?- p(3).", "any yes\n"},
      {"?- p(f(k)).", "any k yes\n"},
      // The variable head matches q(A) too.
      {"?- q(A), p(A).",
       "any A = 1\nany A = ???\nA = 2\nA = 3\nY_2 A = f(Y_2)\nA = 1\nany A = 1\nyes\n"},
      {"?- r(A).", "any A = ???\nyes\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
  EXPECT_EQ(Listing(sys),
            "p(1).\np.\np(a,b).\nX :- write(any).\np(2).\nq(1).\np(3,c).\np(3).\n"
            "p :- write(atom).\np(f(Y)) :- write(Y).\n");
}

// A goal keeps what it learnt of the clause list from one search to the
// next: clauses consulted after it ran, of its own name and arity or of
// others, and clauses taken out and consulted again are found all the same.
TEST(PrologClauseStore, GoalsSeeClausesConsultedAndRemovedAfterTheyRan) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "q(X) :- p(X).\nr(X) :- p(X, X).\n");
  auto consult = [&sys](const char* text, const char* source) {
    std::istringstream in(text);
    sys.Consult(in, source);
  };
  EXPECT_EQ(Ask(sys, "?- q(A)."), "no\n");
  consult("p(a).", nullptr);
  EXPECT_EQ(Ask(sys, "?- q(A)."), "A = a\nyes\n");
  consult("p(b, b).", "extra");
  EXPECT_EQ(Ask(sys, "?- q(A)."), "A = a\nyes\n");
  EXPECT_EQ(Ask(sys, "?- r(A)."), "A = b\nyes\n");
  sys.RemoveSource("extra");
  EXPECT_EQ(Ask(sys, "?- r(A)."), "no\n");
  EXPECT_EQ(Ask(sys, "?- q(A)."), "A = a\nyes\n");
  consult("p(c, c).", nullptr);
  EXPECT_EQ(Ask(sys, "?- r(A)."), "A = c\nyes\n");
}

}  // namespace
