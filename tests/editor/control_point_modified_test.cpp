// Control-point edits of the selected object through the editor: a key or a
// drag that changed the object marks the document modified, a drag once at
// its release; one that changed nothing leaves the document unmodified.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/modules/control_point_fixture.h"

namespace zavo::test {
namespace {

// Five points, in the Top view at (37, 18), (64, 74), (106, 36), (138, 79)
// and (171, 24).
const std::vector<Point3D> kFive{
    {-6.27, -3.14, 0.3}, {-3.52, 2.45, 0.3}, {0.61, -1.38, 0.3}, {3.83, 2.92, 0.3}, {7.16, -2.57, 0.3}};

// One user action: a key at the pointer, or a left press, move or release.
struct Step {
  enum Kind { kKey, kPress, kMove, kRelease } kind;
  int x;
  int y;
  int key = 0;
  int view = 0;
};

Step KeyAt(int key, int x, int y) { return {Step::kKey, x, y, key}; }
Step Press(int x, int y) { return {Step::kPress, x, y}; }
Step MoveTo(int x, int y) { return {Step::kMove, x, y}; }
Step Release(int x, int y, int view = 0) { return {Step::kRelease, x, y, 0, view}; }

void Perform(ControlPointDocument& doc, const Step& step) {
  EditorDriver driver(*doc.editor);
  switch (step.kind) {
    case Step::kKey:
      doc.PointerAt(step.view, step.x, step.y);
      doc.Key(step.key);
      break;
    case Step::kPress:
      driver.Event(step.view, step.x, step.y, kMouseLeft | kMousePressed, 1);
      break;
    case Step::kMove:
      driver.Move(step.view, step.x, step.y);
      break;
    case Step::kRelease:
      driver.Event(step.view, step.x, step.y, kMouseLeft | kMouseReleased, 1);
      break;
  }
}

// SetModified of an unnamed document shows this once per call.
int MarksOf(const ControlPointDocument& doc) {
  const std::vector<std::string>& messages = doc.fakes.system.messages;
  return static_cast<int>(std::count(messages.begin(), messages.end(), "No name.Cannot undo."));
}

TEST(ControlPointModified, OnlyAnEditThatChangedTheObjectMarksTheDocument) {
  struct Case {
    const char* what;
    bool mesh;  // the quad mesh, else the polyline
    int current;
    std::vector<Step> steps;
    std::vector<int> marksAfter;  // SetModified calls so far, after each step
  };
  const Case cases[] = {
      {"'m' moves the current curve point", false, 2, {KeyAt('m', 157, 38)}, {1}},
      {"'m' without a current point", false, -1, {KeyAt('m', 157, 38)}, {0}},
      {"'m' moves the current mesh vertex", true, 1, {KeyAt('m', 121, 61)}, {1}},
      {"'e' whose edit changes nothing", false, 2, {KeyAt('e', 157, 38)}, {0}},
      {"a key the module ignores", false, 2, {KeyAt('x', 157, 38)}, {0}},
      {"a click that picks a point", false, -1, {Press(37, 18), Release(37, 18)}, {0, 0}},
      {"a drag marks once, at the release",
       false,
       -1,
       {Press(106, 36), Release(106, 36), Press(106, 36), MoveTo(130, 60), MoveTo(157, 38), Release(157, 38)},
       {0, 0, 0, 0, 0, 1}},
      {"a drag ended by a release in another view",
       false,
       2,
       {Press(106, 36), MoveTo(157, 38), Release(57, 41, 1)},
       {0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ControlPointDocument doc;
    if (c.mesh) {
      doc.ReadQuad();
      doc.SelectMesh().current = c.current;
    } else {
      doc.ReadPolyline(kFive);
      doc.SelectCurve("line", *doc.curve).current = c.current;
    }
    ASSERT_EQ(doc.editor->modified, 0);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      Perform(doc, c.steps[i]);
      EXPECT_EQ(MarksOf(doc), c.marksAfter[i]) << "after step " << i;
    }
    EXPECT_EQ(doc.editor->modified, c.marksAfter.back() > 0 ? 1 : 0);
  }
}

}  // namespace
}  // namespace zavo::test
