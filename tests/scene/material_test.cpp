#include "scene/material.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"
#include "scene/find_by_keyword.h"

namespace {

// Reads a "phong" body (the text after the keyword) into the material.
int ReadBody(const std::string& text, CG_MaterialPhong& m, std::string* rest = nullptr) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  const int ok = CG_MaterialPhong::ReadBody(s, m);
  if (rest) *rest = s.Text();
  return ok;
}

std::string Written(const CG_Material& m) {
  std::ostringstream os;
  m.Write(os);
  return os.str();
}

// The block of a default material, with extra text before the final ";\n\t}\n".
std::string DefaultBlock(const std::string& extra = "") {
  return "\t{ phong \n\n\t\tKs 0.2;\n\t\tKt 0;\n\t\tni 1;\n\t\tKa 0.2;\n\t\tKd 0.6;\n\t\tn 10;"
         "\n\t\tOd (0.5,0.5,0.5);\n\t\tOs (0.5,0.5,0.5)" +
         extra + ";\n\t}\n";
}

void ExpectSameCoefficients(const CG_MaterialPhong& a, const CG_MaterialPhong& b,
                            const std::string& what) {
  EXPECT_EQ(a.Ka, b.Ka) << what;
  EXPECT_EQ(a.Kd, b.Kd) << what;
  EXPECT_EQ(a.Ks, b.Ks) << what;
  EXPECT_EQ(a.Kt, b.Kt) << what;
  EXPECT_EQ(a.Kh, b.Kh) << what;
  EXPECT_EQ(a.ni, b.ni) << what;
  EXPECT_EQ(a.n, b.n) << what;
  EXPECT_EQ(a.Od, b.Od) << what;
  EXPECT_EQ(a.Os, b.Os) << what;
  EXPECT_EQ(a.shadows, b.shadows) << what;
  EXPECT_EQ(a.angles, b.angles) << what;
  EXPECT_EQ(a.anglet, b.anglet) << what;
  EXPECT_EQ(a.doubleside, b.doubleside) << what;
}

TEST(CG_MaterialPhong, DefaultsAndTheDefaultBlock) {
  CG_MaterialPhong m;
  EXPECT_EQ(m.Ks, 0.2);
  EXPECT_EQ(m.Kt, 0);
  EXPECT_EQ(m.ni, 1);
  EXPECT_EQ(m.anglet, 0);
  EXPECT_EQ(m.angles, 0);
  EXPECT_EQ(m.shadows, 1);
  EXPECT_EQ(m.Ka, 0.2);
  EXPECT_EQ(m.Kd, 0.6);
  EXPECT_EQ(m.Kh, 0.2);
  EXPECT_EQ(m.n, 10);
  EXPECT_EQ(m.Od, (Point3D{0.5, 0.5, 0.5}));
  EXPECT_EQ(m.Os, (Point3D{0.5, 0.5, 0.5}));
  EXPECT_EQ(m.doubleside, 1);
  EXPECT_EQ(m.GetColour(), m.Od);
  EXPECT_EQ(Written(m), DefaultBlock());
}

TEST(CG_MaterialPhong, ReadBodyTable) {
  struct Case {
    const char* text;
    int ok;
    std::function<void(CG_MaterialPhong&)> expect;  // applied to a default material
  } cases[] = {
      {"}", 1, [](CG_MaterialPhong&) {}},
      {"Ks 0.5; }", 1, [](CG_MaterialPhong& m) { m.Ks = m.Kh = 0.5; }},
      {"Kh 0.1; Ks 0.5; }", 1, [](CG_MaterialPhong& m) { m.Kh = 0.1; m.Ks = 0.5; }},
      {"Ks 0.5; Kh 0.1; }", 1, [](CG_MaterialPhong& m) { m.Kh = 0.1; m.Ks = 0.5; }},
      {"doubleside 0.3; }", 1, [](CG_MaterialPhong&) {}},
      {"doubleside 0; }", 1, [](CG_MaterialPhong& m) { m.doubleside = 0; }},
      {"doubleside -2E-3; }", 1, [](CG_MaterialPhong&) {}},
      {"n 7.9; }", 1, [](CG_MaterialPhong& m) { m.n = 7; }},
      {"n -2.5; }", 1, [](CG_MaterialPhong& m) { m.n = -2; }},
      {"shadows 0.7; }", 1, [](CG_MaterialPhong& m) { m.shadows = 0; }},
      {"Ka 1; Kd 2; Kt 3; ni 4; angles 5; anglet 6; }", 1,
       [](CG_MaterialPhong& m) { m.Ka = 1; m.Kd = 2; m.Kt = 3; m.ni = 4; m.angles = 5; m.anglet = 6; }},
      {"Od (1,0,0.25); Os ( 0 , 1 , 0 ) ; }", 1,
       [](CG_MaterialPhong& m) { m.Od = {1, 0, 0.25}; m.Os = {0, 1, 0}; }},
      {"Ka 1; Ka 2; }", 1, [](CG_MaterialPhong& m) { m.Ka = 2; }},
      // Failures: values read before the error stay stored.
      {"Ka 0.5; Kq 1; }", 0, [](CG_MaterialPhong& m) { m.Ka = 0.5; }},
      {"ka 1; }", 0, [](CG_MaterialPhong&) {}},
      {"N 1; }", 0, [](CG_MaterialPhong&) {}},
      {"Ka x; }", 0, [](CG_MaterialPhong&) {}},
      {"Ka ; }", 0, [](CG_MaterialPhong&) {}},
      {"Ka 1 }", 0, [](CG_MaterialPhong& m) { m.Ka = 1; }},
      {"Ka 1e999; }", 0, [](CG_MaterialPhong&) {}},
      {"n 1e10; }", 0, [](CG_MaterialPhong&) {}},
      {"Od (1,0,0) }", 0, [](CG_MaterialPhong&) {}},
      {"Os (1,0,0) Ka 1; }", 0, [](CG_MaterialPhong&) {}},
      {"Od (1,0); }", 0, [](CG_MaterialPhong&) {}},
      {"Od 1; }", 0, [](CG_MaterialPhong&) {}},
      {"1; }", 0, [](CG_MaterialPhong&) {}},
      {"; }", 0, [](CG_MaterialPhong&) {}},
      {"Ka 1;", 0, [](CG_MaterialPhong& m) { m.Ka = 1; }},
      {"", 0, [](CG_MaterialPhong&) {}},
  };
  for (const Case& c : cases) {
    CG_MaterialPhong read;
    std::string rest;
    EXPECT_EQ(ReadBody(c.text, read, &rest), c.ok) << c.text;
    CG_MaterialPhong expected;
    c.expect(expected);
    ExpectSameCoefficients(read, expected, c.text);
    if (c.ok) {
      EXPECT_EQ(rest, "") << c.text;  // the "}" was consumed
    }
  }
}

TEST(CG_MaterialPhong, ReadingStopsAfterTheClosingBrace) {
  CG_MaterialPhong m;
  std::string rest;
  EXPECT_EQ(ReadBody("Ka 1; } }", m, &rest), 1);
  EXPECT_EQ(rest, "}");
}

TEST(CG_MaterialPhong, ConditionalKeysAppearExactlyWhenTheyDiffer) {
  struct Case {
    std::function<void(CG_MaterialPhong&)> change;
    std::string block;
  } cases[] = {
      {[](CG_MaterialPhong& m) { m.shadows = 0; }, DefaultBlock(";\n\t\tshadows 0")},
      {[](CG_MaterialPhong& m) { m.shadows = 5; }, DefaultBlock()},
      {[](CG_MaterialPhong& m) { m.Kh = 0.1; }, DefaultBlock(";\n\t\tKh 0.1")},
      {[](CG_MaterialPhong& m) { m.angles = 0.5; }, DefaultBlock(";\n\t\tangles 0.5")},
      {[](CG_MaterialPhong& m) { m.anglet = -1; }, DefaultBlock(";\n\t\tanglet -1")},
      {[](CG_MaterialPhong& m) { m.doubleside = 0; }, DefaultBlock(";\n\t\tdoubleside 0")},
      {[](CG_MaterialPhong& m) {
         m.shadows = 0;
         m.Kh = 3;
         m.angles = 1;
         m.anglet = 2;
         m.doubleside = 0;
       },
       DefaultBlock(";\n\t\tshadows 0;\n\t\tKh 3;\n\t\tangles 1;\n\t\tanglet 2;\n\t\tdoubleside 0")},
  };
  for (const Case& c : cases) {
    CG_MaterialPhong m;
    c.change(m);
    EXPECT_EQ(Written(m), c.block);
  }
  // Kh follows Ks when they are equal.
  CG_MaterialPhong same;
  same.Ks = same.Kh = 0.7;
  EXPECT_EQ(Written(same).find("Kh"), std::string::npos);
}

TEST(CG_MaterialPhong, WrittenBlockReadsBackIntoADefaultMaterial) {
  CG_MaterialPhong m;
  m.Ks = 0.35;
  m.Kt = 0.25;
  m.ni = 1.5;
  m.anglet = 0.125;
  m.angles = 0.0625;
  m.shadows = 0;
  m.Ka = 0.1;
  m.Kd = 0.9;
  m.Kh = 0.05;
  m.n = 42;
  m.Od = {1, 0.25, 0};
  m.Os = {0.5, 0.75, 1};
  m.doubleside = 0;
  const std::string block = Written(m);
  EXPECT_EQ(block,
            "\t{ phong \n\n\t\tKs 0.35;\n\t\tKt 0.25;\n\t\tni 1.5;\n\t\tKa 0.1;\n\t\tKd 0.9;\n\t\tn 42;"
            "\n\t\tOd (1,0.25,0);\n\t\tOs (0.5,0.75,1);\n\t\tshadows 0;\n\t\tKh 0.05;\n\t\tangles 0.0625;"
            "\n\t\tanglet 0.125;\n\t\tdoubleside 0;\n\t}\n");
  // The scene reader stands after "{" and "phong".
  std::istringstream in(block);
  GeoScanner s(in);
  s.Next();
  ASSERT_STREQ(s.Text(), "{");
  s.Next();
  ASSERT_STREQ(s.Text(), "phong");
  s.Next();
  CG_MaterialPhongModule module;
  std::unique_ptr<CG_Material> back(module.Read(s));
  ASSERT_NE(back, nullptr);
  ExpectSameCoefficients(dynamic_cast<CG_MaterialPhong&>(*back), m, block);
  EXPECT_EQ(s.Kind(), zavo::kTokenError);  // at the end: the whole block was read
}

TEST(CG_MaterialPhong, ModuleReturnsNullOnErrors) {
  CG_MaterialPhongModule module;
  EXPECT_STREQ(module.Keyword(), "phong");
  for (const char* text : {"Ka 1; what 2; }", "Od (1,2,3) }", ""}) {
    std::istringstream in(text);
    GeoScanner s(in);
    s.Next();
    EXPECT_EQ(module.Read(s), nullptr) << text;  // and nothing leaks
  }
}

TEST(CG_MaterialPhong, CopyFromCopiesEveryCoefficient) {
  CG_MaterialPhong from;
  from.Ka = 1;
  from.Kd = 2;
  from.Ks = 3;
  from.Kt = 4;
  from.Kh = 5;
  from.ni = 6;
  from.n = 7;
  from.Od = {0.1, 0.2, 0.3};
  from.Os = {0.4, 0.5, 0.6};
  from.shadows = 0;
  from.angles = 8;
  from.anglet = 9;
  from.doubleside = 0;
  CG_MaterialPhong to;
  CG_Material& base = to;
  base.CopyFrom(from);
  ExpectSameCoefficients(to, from, "CopyFrom");
  to.SetColour({1, 1, 1});
  EXPECT_EQ(to.Od, (Point3D{1, 1, 1}));
  EXPECT_EQ(from.Od, (Point3D{0.1, 0.2, 0.3}));
}

class OtherMaterial : public CG_Material {
public:
  explicit OtherMaterial(int* destroyed = nullptr) : destroyed_(destroyed) {}
  ~OtherMaterial() override {
    if (destroyed_) ++*destroyed_;
  }
  void Write(std::ostream& os) const override { os << "\t{ other }\n"; }
  Point3D GetColour() const override { return {}; }
  void SetColour(const Point3D&) override {}
  void CopyFrom(const CG_Material&) override {}

private:
  int* destroyed_;
};

TEST(CG_MaterialPhongDeathTest, CopyFromAnotherModelTypeIsAProgrammingError) {
  EXPECT_EXIT(
      {
        CG_MaterialPhong m;
        OtherMaterial other;
        m.CopyFrom(other);
      },
      ::testing::ExitedWithCode(1), "Runtime Error: CG_MaterialPhong::CopyFrom");
}

TEST(CG_NamedMaterial, BlockAndList) {
  DblList<CG_NamedMaterial> list;
  EXPECT_EQ(list.AddIfNew(new CG_NamedMaterial("steel", new CG_MaterialPhong)), 1);
  int destroyed = 0;
  EXPECT_EQ(list.AddIfNew(new CG_NamedMaterial("glass", new OtherMaterial(&destroyed))), 1);
  // A second "glass" is destroyed with its model; the first stays.
  EXPECT_EQ(list.AddIfNew(new CG_NamedMaterial("glass", new OtherMaterial(&destroyed))), 0);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(list.Find("glass"), list.Nth(1));
  EXPECT_EQ(list.Nth(2), nullptr);
  EXPECT_EQ(list.Find("Glass"), nullptr);
  EXPECT_EQ(list.AddIfNew(new CG_NamedMaterial("Glass", new CG_MaterialPhong)), 1);

  std::ostringstream one;
  list.First()->Write(one);
  EXPECT_EQ(one.str(), "{ material\n\tname steel;\n\tmodel " + DefaultBlock() + "\n}");
  std::ostringstream all;
  list.WriteAll(all);
  EXPECT_EQ(all.str(), "{ material\n\tname steel;\n\tmodel " + DefaultBlock() +
                           "\n}\n{ material\n\tname glass;\n\tmodel \t{ other }\n\n}\n"
                           "{ material\n\tname Glass;\n\tmodel " + DefaultBlock() + "\n}\n");

  CG_NamedMaterial* cursor = nullptr;
  list.ResetIteration(cursor);
  int count = 0;
  while (list.Next(cursor)) ++count;
  EXPECT_EQ(count, 3);

  list.Delete(list.Find("glass"));
  EXPECT_EQ(destroyed, 2);
  list.Clear();
}

// AddOrReplace keeps the listed entry (objects point at it) and gives it the
// new model; the old model and the new record go.
TEST(CG_NamedMaterial, AddOrReplaceKeepsTheEntry) {
  DblList<CG_NamedMaterial> list;
  int destroyed = 0;
  auto* glass = new CG_NamedMaterial("glass", new OtherMaterial(&destroyed));
  EXPECT_EQ(list.AddOrReplace(glass), glass);
  auto* model = new CG_MaterialPhong;
  EXPECT_EQ(list.AddOrReplace(new CG_NamedMaterial("glass", model)), glass);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(glass->model, model);
  EXPECT_EQ(list.Nth(1), nullptr);
  EXPECT_EQ(list.AddOrReplace(nullptr), nullptr);
}

TEST(FindByKeyword, FirstExactMatch) {
  List<CG_MaterialModule> modules;
  auto* first = new CG_MaterialPhongModule;
  auto* second = new CG_MaterialPhongModule;
  modules.Append(first);
  modules.Append(second);
  EXPECT_EQ(FindByKeyword(modules, "phong"), first);
  EXPECT_EQ(FindByKeyword(modules, "Phong"), nullptr);
  EXPECT_EQ(FindByKeyword(modules, "phon"), nullptr);
  EXPECT_EQ(FindByKeyword(modules, nullptr), nullptr);
}

}  // namespace
