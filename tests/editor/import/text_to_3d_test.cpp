// Request 63: text in a chosen font turned into curve objects, with a
// scripted font chooser; a real font (DejaVu Sans, found through fontconfig)
// and a scripted one.

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "editor/import/glyph_font.h"
#include "editor/import/text_to_3d.h"
#include "editor/text_tool_shell.h"
#include "import_fixture.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/polyline.h"

namespace zavo::test {
namespace {

// The shell's chooser answers from a script: 1 (the font given), 0 (cancel)
// or -1 (the chooser fails); stop boxes are recorded.
class ScriptedTextShell : public TextToolShell {
public:
  int ChooseFont(TextFont& font) override {
    started.push_back(font.face);
    if (answer == 1) font = chosen;
    return answer;
  }
  void StopBox(const char* text, const char* caption) override {
    boxes.push_back(std::string(caption) + ": " + text);
  }
  int ConvertText() const override { return convertText; }
  int TextQuality() const override { return textQuality; }

  int answer = 1;
  TextFont chosen{"DejaVu Sans", 40.0, 400, false};
  int convertText = 0, textQuality = 4;
  std::vector<std::string> started, boxes;
};

// A font of two made-up glyphs: "a" a curved contour, "b" a straight one.
class ScriptedFont : public GlyphFont {
public:
  bool HasQuadraticOutlines() const override { return true; }
  bool Glyph(char32_t code, GlyphOutline& outline) override {
    const auto fx = [](int x, int y) {
      return GlyphPointFx{GlyphFixed{0, static_cast<std::int16_t>(x)}, GlyphFixed{0, static_cast<std::int16_t>(y)}};
    };
    if (code == U'a') outline = GlyphOutline{17, {GlyphContour{fx(3, 0), {{2, {fx(14, 0), fx(14, 9), fx(3, 9)}}}}}};
    else if (code == U'b') outline = GlyphOutline{13, {GlyphContour{fx(2, 0), {{1, {fx(11, 0), fx(11, 21)}}}}}};
    else return false;
    return true;
  }
};

struct Shape {
  std::string keyword;
  int open = -1;
  std::vector<Point3D> points;  // polyline points or curve controls
};

class TextTo3DTest : public ImportDocument {
protected:
  TextTo3DTest() { editor->textToolShell = &shell; }

  // The text typed into "Enter text", then request 63 (which answers 0).
  void Type(const std::string& text) {
    fakes.dialog.Answer({{{"Text", text}}, {}, true});
    EXPECT_EQ(driver.Request(63).result, 0);
  }

  // The curve objects of the scene by name (fresh names rise in creation order).
  std::map<std::string, Shape> Shapes() const {
    std::map<std::string, Shape> shapes;
    for (CG_GraphicObject& object : editor->scene.GetObjects()) {
      Shape shape;
      if (auto* line = dynamic_cast<CG_Polyline*>(&object)) {
        CG_PolylineDescription d;
        line->GetDescription(d);
        shape = Shape{"polyline", d.open, {d.points.Data(), d.points.Data() + d.points.Count()}};
      } else if (auto* curve = dynamic_cast<CG_NURBSCurve*>(&object)) {
        CG_NURBSCurveDescription d;
        curve->GetDescription(d);
        shape = Shape{"NURBScurve", d.open, {d.controls.Data(), d.controls.Data() + d.controls.Count()}};
      } else {
        continue;
      }
      shapes[object.name.Text()] = shape;
    }
    return shapes;
  }

  std::unique_ptr<GlyphFont> RealFont() const { return OpenGlyphFont(shell.chosen); }

  ScriptedTextShell shell;
};

#define REQUIRE_REAL_FONT()                                                    \
  if (RealFont() == nullptr) GTEST_SKIP() << "no DejaVu Sans through fontconfig"

std::vector<Point3D> RecordPoints(const GlyphContour& contour) {
  std::vector<Point3D> points{Point3D(FixedToDouble(contour.start.x), FixedToDouble(contour.start.y), 0)};
  for (const GlyphCurve& curve : contour.curves)
    for (const GlyphPointFx& p : curve.points) points.emplace_back(FixedToDouble(p.x), FixedToDouble(p.y), 0);
  return points;
}

// b is a moved on by dx, within the tolerance.
void ExpectSamePoints(const std::vector<Point3D>& a, const std::vector<Point3D>& b, double dx = 0,
                      double tolerance = 1e-12) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_NEAR(a[i].x + dx, b[i].x, tolerance) << i;
    EXPECT_NEAR(a[i].y, b[i].y, tolerance) << i;
    EXPECT_EQ(b[i].z, 0.0) << i;
  }
}

TEST_F(TextTo3DTest, StraightLetterIsOneClosedPolylineOfItsOutlinePoints) {
  REQUIRE_REAL_FONT();
  GlyphOutline l;
  ASSERT_TRUE(RealFont()->Glyph(U'l', l));
  ASSERT_EQ(l.contours.size(), 1U);
  Type("l");
  const auto shapes = Shapes();
  ASSERT_EQ(shapes.size(), 1U);
  const Shape& shape = shapes.begin()->second;
  EXPECT_EQ(shape.keyword, "polyline");
  EXPECT_EQ(shape.open, 0);
  ExpectSamePoints(RecordPoints(l.contours[0]), shape.points);
  EXPECT_EQ(editor->modified, 1);
  EXPECT_EQ(shell.started, (std::vector<std::string>{"fixedsys"}));
}

TEST_F(TextTo3DTest, RoundLetterGivesOneClosedQuadraticCurvePerContour) {
  REQUIRE_REAL_FONT();
  Type("o");
  const auto shapes = Shapes();
  ASSERT_EQ(shapes.size(), 2U);
  for (const auto& [name, shape] : shapes) {
    SCOPED_TRACE(name);
    EXPECT_EQ(name.rfind("obj", 0), 0U);
    EXPECT_EQ(shape.keyword, "NURBScurve");
    EXPECT_EQ(shape.open, 0);
    std::ostringstream text;
    editor->scene.FindObject(name.c_str())->Write(text);
    EXPECT_NE(text.str().find("order 3;"), std::string::npos);
    EXPECT_NE(text.str().find("div 5;"), std::string::npos);
    EXPECT_NE(text.str().find("material standard;"), std::string::npos);
    EXPECT_NE(editor->FindItem(editor->scene.FindObject(name.c_str())), nullptr);
  }
}

TEST_F(TextTo3DTest, SecondLetterIsMovedOnByTheFirstAdvanceAndBlanksOnlyMoveOn) {
  REQUIRE_REAL_FONT();
  GlyphOutline l, blank;
  ASSERT_TRUE(RealFont()->Glyph(U'l', l));
  ASSERT_TRUE(RealFont()->Glyph(U' ', blank));
  ASSERT_GT(l.advance, 0);
  ASSERT_TRUE(blank.contours.empty());
  Type("ll l");
  const auto shapes = Shapes();
  ASSERT_EQ(shapes.size(), 3U);
  std::vector<const Shape*> inOrder;
  for (const auto& entry : shapes) inOrder.push_back(&entry.second);  // fresh names rise
  ExpectSamePoints(inOrder[0]->points, inOrder[1]->points, l.advance);
  ExpectSamePoints(inOrder[0]->points, inOrder[2]->points, 2 * l.advance + blank.advance);
}

TEST_F(TextTo3DTest, ConvertTextSamplesCurvesIntoOpenPolylinesAndKeepsStraightContours) {
  REQUIRE_REAL_FONT();
  Type("o");  // the curves themselves, for reference
  std::vector<std::vector<Point3D>> expected;
  for (auto& [name, shape] : Shapes()) {
    auto* curve = dynamic_cast<CG_NURBSCurve*>(editor->scene.FindObject(name.c_str()));
    CG_NURBSCurveDescription d;
    curve->GetDescription(d);
    d.div = 8;
    curve->SetDescription(d);
    std::vector<Point3D> vertices(static_cast<std::size_t>(curve->VertexCount()));
    for (std::size_t i = 0; i < vertices.size(); ++i) curve->Vertex(static_cast<int>(i), vertices[i]);
    expected.push_back(vertices);
  }
  shell.convertText = 1;
  shell.textQuality = 8;
  const std::size_t before = Shapes().size();
  Type("ol");
  const auto shapes = Shapes();
  ASSERT_EQ(shapes.size(), before + 3);
  std::vector<const Shape*> added;
  for (const auto& entry : shapes)
    if (entry.second.keyword == "polyline") added.push_back(&entry.second);
  ASSERT_EQ(added.size(), 3U);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(added[i]->open, 1);
    ExpectSamePoints(expected[i], added[i]->points);
  }
  EXPECT_EQ(added[2]->open, 0);
}

TEST_F(TextTo3DTest, NothingIsAddedWithoutAText) {
  struct Case {
    const char* what;
    bool ok;
    const char* text;
  };
  const Case cases[] = {{"cancel", false, "l"}, {"empty text", true, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.dialog.Answer({{{"Text", c.text}}, {}, c.ok});
    EXPECT_EQ(driver.Request(63).result, 0);
    EXPECT_TRUE(Shapes().empty());
    EXPECT_EQ(editor->modified, 0);
  }
  EXPECT_EQ(fakes.dialog.calls.back().title, "Enter text");
}

TEST_F(TextTo3DTest, ChooserCancelOrErrorKeepsTheInitialFont) {
  REQUIRE_REAL_FONT();
  shell.answer = 0;
  Type("l");
  EXPECT_TRUE(shell.boxes.empty());
  shell.answer = -1;
  Type("l");
  EXPECT_EQ(shell.boxes, (std::vector<std::string>{"man: Error in font dialog box!"}));
  EXPECT_EQ(Shapes().size(), 2U);
}

TEST_F(TextTo3DTest, FontWithCubicOutlinesIsRefused) {
  shell.chosen = TextFont{"Nimbus Sans", 40.0, 400, false};
  std::unique_ptr<GlyphFont> font = RealFont();
  if (font != nullptr && font->HasQuadraticOutlines()) GTEST_SKIP() << "Nimbus Sans resolves to a TrueType font";
  Type("l");
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"The font Nimbus Sans has no TrueType outlines."}));
  EXPECT_TRUE(fakes.dialog.calls.empty());
  EXPECT_TRUE(Shapes().empty());
}

TEST_F(TextTo3DTest, LogKeepsTheLastCharacterAndUnknownCharactersAddNothing) {
  ScriptedFont font;
  EXPECT_EQ(AddTextCurves(*editor, font, U"a?b", 0, 4), 2);
  EXPECT_EQ(Read("text.log"),
            "header\nonlypolyline=1\nfirst point=( 2 , 0 , 0 )\nCURVE Polyline\np=( 11 , 0 , 0 )\n"
            "p=( 11 , 21 , 0 )\n");
  const auto shapes = Shapes();
  ASSERT_EQ(shapes.size(), 2U);
  // "b" stands after the advance of "a" (17); "?" has no glyph.
  ExpectSamePoints({{2, 0, 0}, {11, 0, 0}, {11, 21, 0}}, std::prev(shapes.end())->second.points, 17);
}

TEST_F(TextTo3DTest, SceneWithTextSavesAndLoadsAgain) {
  REQUIRE_REAL_FONT();
  Type("ol");
  const auto shapes = Shapes();
  ASSERT_EQ(driver.Request(68, "lettering").result, 1);
  ASSERT_EQ(driver.Request(65).result, 1);
  ASSERT_TRUE(Shapes().empty());
  ASSERT_EQ(driver.Request(66, "lettering").result, 1);
  const auto loaded = Shapes();
  ASSERT_EQ(loaded.size(), shapes.size());
  for (const auto& [name, shape] : shapes) {
    SCOPED_TRACE(name);
    ASSERT_EQ(loaded.count(name), 1U);
    EXPECT_EQ(loaded.at(name).keyword, shape.keyword);
    EXPECT_EQ(loaded.at(name).open, shape.open);
    // Six significant digits in the scene file.
    ExpectSamePoints(shape.points, loaded.at(name).points, 0, 1e-4);
  }
}

}  // namespace
}  // namespace zavo::test
