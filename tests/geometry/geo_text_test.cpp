#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"
#include "geometry/geo_text.h"
#include "geometry/bounding_module.h"
#include "geometry/point_stream.h"

namespace {

// A scanner over a text, standing on its first token.
struct Scan {
  std::istringstream in;
  GeoScanner s;
  explicit Scan(const std::string& text) : in(text), s(in) { s.Next(); }
  std::string Text() const { return s.Text(); }
};

TEST(GeoText, PointWritersAndReaders) {
  std::ostringstream os;
  WritePoint3D({1, 2.5, 0}, os);
  EXPECT_EQ(os.str(), "( 1 , 2.5 , 0 )");
  Scan in(os.str() + " next");
  Point3D p{9, 9, 9};
  ASSERT_EQ(ReadPoint3D(p, in.s), 1);
  EXPECT_EQ(p, (Point3D{1, 2.5, 0}));
  EXPECT_EQ(in.Text(), "next");

  std::ostringstream os2;
  WritePoint2D({-3, 1e-7}, os2);
  EXPECT_EQ(os2.str(), "( -3 , 1e-07 )");
  Scan in2(os2.str());
  Point2D q;
  ASSERT_EQ(ReadPoint2D(q, in2.s), 1);
  EXPECT_EQ(q, (Point2D{-3, 1e-7}));
  EXPECT_EQ(in2.s.Kind(), zavo::kTokenError);
}

// Every reader stops at the first token that does not fit, answers 0, leaves
// what it read so far in the target and the scanner on that token.
TEST(GeoText, PointReadersStopAtTheFirstMisfit) {
  const struct {
    const char* text;
    Point3D partly;
    const char* stoppedAt;
  } cases[] = {
      {"( 1 , 2 )", {1, 2, 9}, ")"},
      {"( 1 , 2 , x )", {1, 2, 9}, "x"},
      {"( 1 ; 2 , 3 )", {1, 9, 9}, ";"},
      {"[ 1 , 2 , 3 ]", {9, 9, 9}, "["},
      {"( 1 , 2 , 3 ]", {1, 2, 3}, "]"},
      {"( 1 , 2 , 3", {1, 2, 3}, ""},
      {"(1,2,-)", {1, 2, 9}, "-"},
      {"( 1 , 2 , 1e999 )", {1, 2, 9}, "1E999"},  // too large for a double
      {"( 1 , 2 , 7e )", {1, 2, 9}, "7E"},        // not a number token
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Scan in(c.text);
    Point3D p{9, 9, 9};
    EXPECT_EQ(ReadPoint3D(p, in.s), 0);
    EXPECT_EQ(p, c.partly);
    EXPECT_EQ(in.Text(), c.stoppedAt);
  }
}

TEST(GeoText, NumberRecord6) {
  std::ostringstream os;
  WriteNumberRecord6(os, 0, 1.5, -2, 3, 4, 1234567);
  EXPECT_EQ(os.str(), "[ 0 , 1.5 , -2 , 3 , 4 , 1.23457e+06 ]");

  const struct {
    const char* text;
    int ok;
    GEO_Box box;
  } cases[] = {
      {"[ 1 , 0 , 2 , 3 , 4 , 5 ]", 1, {0, 1, 2, 3, 4, 5}},       // normalised
      {"[ 0 , 1.5 , -2 , 3 , 4 , 1.23457e+06 ]", 1, {0, 1.5, -2, 3, 4, 1234570}},
      {"[ 1 , 2 , abc , 3 , 4 , 5 ]", 1, {1, 2, 0, 3, 4, 5}},     // any token, as a real
      {"[ 1 , 2 , 3 , 4 , 5 ]", 0, {7, 7, 7, 7, 7, 7}},
      {"[ 1 , 2 , 3 , 4 , 5 , 6 )", 0, {7, 7, 7, 7, 7, 7}},
      {"[ 1 , 2 , 3 , 4 , 5 , 1e999 ]", 0, {7, 7, 7, 7, 7, 7}},
      {"[ 1 , 2 , 3 , 4 , 5 ,", 0, {7, 7, 7, 7, 7, 7}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Scan in(c.text);
    GEO_Box b{7, 7, 7, 7, 7, 7};
    EXPECT_EQ(ReadNumberRecord6(in.s, b), c.ok);
    EXPECT_EQ(b, c.box);
  }
}

TEST(GeoText, VectorsAndMatrices) {
  std::ostringstream empty;
  EXPECT_EQ(WriteVector(empty, Vector<double>()), 1);
  EXPECT_EQ(empty.str(), "(  )");

  Vector<double> v(3);
  v[0] = 1;
  v[1] = -0.5;
  v[2] = 12.345678;
  std::ostringstream vs;
  WriteVector(vs, v);
  EXPECT_EQ(vs.str(), "( 1 , -0.5 , 12.3457 )");
  Vector<double> back(3);
  Scan in(vs.str());
  ASSERT_EQ(ReadVector(in.s, back), 1);
  EXPECT_EQ(back[2], 12.3457);
  // Exactly the present size: a longer text stops at the fourth value.
  Scan longer("( 1 , 2 , 3 , 4 )");
  EXPECT_EQ(ReadVector(longer.s, back), 0);
  EXPECT_EQ(longer.Text(), ",");
  Vector<double> none;
  Scan emptyIn("(  )");
  EXPECT_EQ(ReadVector(emptyIn.s, none), 1);

  Matrix<double> m(2, 2);
  m(0, 0) = 1;
  m(0, 1) = 2;
  m(1, 0) = 3;
  m(1, 1) = 4;
  std::ostringstream ms;
  EXPECT_EQ(WriteMatrix(ms, m), 1);
  EXPECT_EQ(ms.str(), "[ 1 , 2 ;\n3 , 4 ]");
  Matrix<double> read(2, 2);
  read.Zero();
  Scan min(ms.str() + " x");
  ASSERT_EQ(ReadMatrix(min.s, read), 1);
  EXPECT_TRUE(read == m);
  EXPECT_EQ(min.Text(), "x");

  const struct {
    const char* text;
    const char* stoppedAt;
  } bad[] = {
      {"[ 1 , 2 , 3 ;\n4 , 5 ]", ","},   // three columns for two
      {"[ 1 , 2 ]", "]"},               // one row for two
      {"[ 1 , 2 ; 3 , x ]", "x"},
      {"( 1 , 2 ; 3 , 4 )", "("},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.text);
    Matrix<double> target(2, 2);
    Scan s(b.text);
    EXPECT_EQ(ReadMatrix(s.s, target), 0);
    EXPECT_EQ(s.Text(), b.stoppedAt);
  }
}

TEST(GeoText, BoundBlocksRoundTrip) {
  List<BoundingObjectModule> modules;
  BoundingObjectModule::CreateDefaultList(modules);
  ASSERT_NE(modules.First(), nullptr);
  EXPECT_TRUE(modules.First()->keyword == "box");
  EXPECT_EQ(modules.Nth(1), nullptr);

  const BoundingBox box(GEO_Box{-1, 2, 0.5, 1.5, 1e-7, 1.2345678});
  std::ostringstream os;
  WriteBound(os, box);
  EXPECT_EQ(os.str(),
            "{ bound\n"
            "\tmodel \t{ box\n"
            "\t\txmin -1;\n"
            "\t\txmax 2;\n"
            "\t\tymin 0.5;\n"
            "\t\tymax 1.5;\n"
            "\t\tzmin 1e-07;\n"
            "\t\tzmax 1.23457;\n"
            "\t}\n"
            "}\n");
  Scan in(os.str() + "after");
  std::unique_ptr<BoundingObject> volume;
  ASSERT_EQ(ReadBound(modules, in.s, volume), 1);
  EXPECT_EQ(volume->GetBox(), (GEO_Box{-1, 2, 0.5, 1.5, 1e-7, 1.23457}));
  EXPECT_EQ(in.Text(), "after");
}

// A bound block around a box body, for the cases below.
std::string Bound(const std::string& body) { return "{ bound model { box " + body + " }"; }

TEST(GeoText, BoundAndBoxBodies) {
  List<BoundingObjectModule> modules;
  BoundingObjectModule::CreateDefaultList(modules);
  const struct {
    std::string text;
    int ok;
    GEO_Box box;
  } cases[] = {
      {Bound("xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; zmax 5; }"), 1, {0, 1, 2, 3, 4, 5}},
      {Bound("zmax 5; ymin 2; xmin 0; zmin 4; xmax 1; ymax 3; }"), 1, {0, 1, 2, 3, 4, 5}},   // any order
      {Bound("xmin 9; xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; zmax 5; }"), 1, {0, 1, 2, 3, 4, 5}},
      {Bound("xmin 2; xmax 1; ymin 2; ymax 3; zmin 4; zmax 5; }"), 1, {1, 2, 2, 3, 4, 5}},   // normalised
      {Bound("xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; }"), 0, {}},                          // five keys
      {Bound("xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; wmax 5; }"), 0, {}},                  // unknown key
      {Bound("xmin 0; xmax one; ymin 2; ymax 3; zmin 4; zmax 5; }"), 0, {}},                // not a number
      {Bound("xmin 0; xmax 1 ymin 2; ymax 3; zmin 4; zmax 5; }"), 0, {}},                   // no ";"
      {Bound("xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; zmax 5;"), 0, {}},                    // body not closed
      {"{ bound model { box xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; zmax 5; }", 0, {}},     // bound not closed
      {"{ bound model { sphere xmin 0; }", 0, {}},                                          // no such module
      {"{ bound { box }", 0, {}},
      {"{ bounds model { box }", 0, {}},
      {"bound model", 0, {}},
      {"", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Scan in(c.text);
    std::unique_ptr<BoundingObject> volume;
    ASSERT_EQ(ReadBound(modules, in.s, volume), c.ok);
    if (c.ok) {
      EXPECT_EQ(volume->GetBox(), c.box);
      EXPECT_EQ(in.s.Kind(), zavo::kTokenError);
    } else {
      EXPECT_EQ(volume, nullptr);
    }
  }
}

// A module that reads an empty body, to show the first keyword match wins.
class Marker : public BoundingObjectModule {
public:
  Marker(const char* keyword, double size) : BoundingObjectModule(keyword), size_(size) {}
  std::unique_ptr<BoundingObject> Read(ScannerMemo& scanner) const override {
    if (!zavo::IsToken(scanner, '}')) return nullptr;
    scanner.Next();
    return std::make_unique<BoundingBox>(GEO_Box{0, size_, 0, size_, 0, size_});
  }

private:
  double size_;
};

TEST(GeoText, ReadModelTakesTheFirstMatchingModule) {
  List<BoundingObjectModule> modules;
  BoundingObjectModule::Append(modules, std::make_unique<Marker>("cell", 1));
  BoundingObjectModule::Append(modules, std::make_unique<Marker>("cell", 2));
  BoundingObjectModule::Append(modules, std::make_unique<Marker>("Cell", 3));
  for (const auto& [keyword, size] : {std::pair{"cell", 1.0}, std::pair{"Cell", 3.0}}) {
    Scan in(std::string("model { ") + keyword + " } }");
    const std::unique_ptr<BoundingObject> v = BoundingObjectModule::ReadModel(modules, in.s);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->GetBox().xmax, size);
  }
  Scan in("model { CELL } }");
  EXPECT_EQ(BoundingObjectModule::ReadModel(modules, in.s), nullptr);
  EXPECT_EQ(in.Text(), "CELL");
}

TEST(PointShort, WritesWithoutBlanksAndReadsWithAnySpacing) {
  std::ostringstream os;
  WritePoint3DShort({1, 0.5, -2}, os);
  EXPECT_EQ(os.str(), "(1,0.5,-2)");
  EXPECT_EQ(os.str().size(), 10u);
  for (const char* text : {"(1,0.5,-2)", " ( 1 , 0.5 , -2 ) ", "(\n1\t,0.5 /* c */ ,-2)"}) {
    SCOPED_TRACE(text);
    Scan in(text);
    Point3D p;
    ASSERT_EQ(ReadPoint3DShort(p, in.s), 1);
    EXPECT_EQ(p, (Point3D{1, 0.5, -2}));
    EXPECT_EQ(in.s.Kind(), zavo::kTokenError);
  }
  Scan two("(4,5)");
  Point3D p{9, 9, 9};
  EXPECT_EQ(ReadPoint3DShort(p, two.s), 0);
  EXPECT_EQ(p, (Point3D{4, 5, 9}));
  EXPECT_EQ(two.Text(), ")");
}

}  // namespace
