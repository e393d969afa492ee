#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "prolog_test_support.h"

namespace {

using zavo::test::DataPath;
using zavo::test::Tree;
using zavo::test::Written;

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

}  // namespace
