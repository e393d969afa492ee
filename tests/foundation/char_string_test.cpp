#include "foundation/char_string.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

// Texts handed to the caller are released with delete[].
std::string Take(char* p) {
  std::unique_ptr<char[]> owner(p);
  return p ? std::string(p) : std::string("<null>");
}

TEST(CharString, NullIsItsOwnState) {
  charString null;
  charString empty("");
  charString other;
  EXPECT_EQ(null.Text(), nullptr);
  EXPECT_TRUE(null == other);
  EXPECT_FALSE(null == empty);
  EXPECT_EQ(null != other, 0);
  EXPECT_EQ(null != empty, 1);
  charString text("abc");
  text = static_cast<const char*>(nullptr);
  EXPECT_EQ(text.Text(), nullptr);
  EXPECT_EQ(null.Dup(), nullptr);
}

TEST(CharString, ComparisonsWithPlainStrings) {
  // not-equal is three-valued: 0, 1 when one side is null, else -1/+1 by the
  // first differing byte compared as unsigned.
  struct Case {
    const char* a;
    const char* b;
    bool eq;
    int ne;
    bool lt, le, gt, ge;
  } cases[] = {
      {nullptr, nullptr, true, 0, false, true, false, true},
      {nullptr, "", false, 1, true, true, false, false},
      {nullptr, "a", false, 1, true, true, false, false},
      {"a", nullptr, false, 1, false, false, true, true},
      {"ab", "abc", false, -1, true, true, false, false},
      {"abc", "ab", false, 1, false, false, true, true},
      {"ab", "ab", true, 0, false, true, false, true},
      {"b", "a", false, 1, false, false, true, true},
      {"\x80", "z", false, 1, false, false, true, true},
      {"z", "\xff", false, -1, true, true, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a ? c.a : "<null>") + " vs " + (c.b ? c.b : "<null>"));
    charString a(c.a);
    EXPECT_EQ(a == c.b, c.eq);
    EXPECT_EQ(a != c.b, c.ne);
    EXPECT_EQ(a < c.b, c.lt);
    EXPECT_EQ(a <= c.b, c.le);
    EXPECT_EQ(a > c.b, c.gt);
    EXPECT_EQ(a >= c.b, c.ge);
    // Two strings compare the same way, and a plain string on the left is
    // compared by text, never by pointer.
    charString b(c.b);
    EXPECT_EQ(a == b, c.eq);
    EXPECT_EQ(a != b, c.ne);
    EXPECT_EQ(a < b, c.lt);
    EXPECT_EQ(a >= b, c.ge);
    if (c.b) {
      EXPECT_EQ(c.b == a, c.eq);
      EXPECT_EQ(c.b > a, c.lt);
      EXPECT_EQ(c.b <= a, c.ge);
    }
  }
}

TEST(CharString, AssignmentCopies) {
  charString s("scene");
  s = s.Text();  // its own text
  EXPECT_TRUE(s == "scene");
  charString& same = s;
  s = same;
  EXPECT_TRUE(s == "scene");

  char source[] = "lamp";
  s = source;
  source[0] = 'd';
  EXPECT_TRUE(s == "lamp");

  charString copy(s);
  EXPECT_NE(copy.Text(), s.Text());
  EXPECT_TRUE(copy == "lamp");
}

TEST(CharString, TakeFlagAdoptsThePointer) {
  char* p = new char[4]{'a', 'b', 'c', '\0'};
  charString s(p, 1);
  EXPECT_EQ(s.Text(), p);
  charString copied(p, 0);
  EXPECT_NE(copied.Text(), p);
  EXPECT_TRUE(copied == "abc");
  charString null(nullptr, 1);
  EXPECT_EQ(null.Text(), nullptr);
}

TEST(CharString, DupConcatenateAndSub) {
  charString s("scene");
  EXPECT_EQ(Take(s.Dup()), "scene");
  EXPECT_EQ(Take(s + ".qz"), "scene.qz");
  EXPECT_EQ(Take(s + charString("")), "scene");
  EXPECT_EQ(Take(s.Sub(1, 3)), "ce");
  EXPECT_EQ(Take(s.Sub(2, 2)), "");
  EXPECT_EQ(Take(s.Sub(0, 5)), "scene");
  EXPECT_EQ(Take(s.Sub(5, 5)), "");
}

TEST(CharString, WritesItsTextAndNothingForNull) {
  std::ostringstream os;
  os << charString("a") << '|' << charString() << '|';
  EXPECT_EQ(os.str(), "a||");
}

}  // namespace
