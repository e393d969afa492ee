// One transformation step on an item through a transf wrapper, grid
// snapping, merging a scene file and the redraw from the camera in use.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor_fakes.h"
#include "models/core/transf.h"

namespace zavo::test {
namespace {

constexpr const char* kB1 =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n.\n";
constexpr const char* kWrappedB1 =
    "{ object name b1; model { transf t ( -1 , -2 , -3 ); r ( 0 , 0 , 0.5 ); t ( 1 , 2 , 3 );\n"
    "  { object name inner; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } } } }\n.\n";

struct Step {
  int kind;
  double x, y, z;
};

std::vector<Step> StepsOf(GTransf& transf) {
  CG_TransfDescription description;
  transf.GetTransformList(description);
  std::vector<Step> out;
  for (const t_Data& step : description.steps) out.push_back({step.kind, step.v[0], step.v[1], step.v[2]});
  transf.SetTransformList(description);
  return out;
}

class ItemOperations : public ::testing::Test {
protected:
  ItemOperations() : editor(CG_GraphicEditor::Create(0)), driver(*editor) { fakes.AttachTo(*editor); }

  CG_SceneEditorItem* Read(const char* text) {
    std::istringstream in(text);
    EXPECT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
    CG_SceneEditorItem* item = editor->CreateItem(editor->scene.FindObject("b1"));
    editor->InsertItem(item);
    editor->activeLayer->Add(item);
    return item;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
};

enum Op { kT, kR, kS };

TEST_F(ItemOperations, OneStepThroughTheWrapper) {
  const double cx = 3.1, cy = 1.6, cz = 0.6;
  struct Case {
    const char* what;
    const char* scene;
    int centreFlag;
    std::vector<std::pair<Op, std::array<double, 3>>> ops;
    std::vector<Step> steps;
    std::array<double, 3> centre;
  };
  const Case cases[] = {
      {"rotate twice about the centre", kB1, 1, {{kR, {0.3, 0, 0}}, {kR, {0, 0, 0.7}}},
       {{0, -cx, -cy, -cz}, {1, 0.3, 0, 0}, {1, 0, 0, 0.7}, {0, cx, cy, cz}}, {cx, cy, cz}},
      {"translate about the origin", kB1, 0, {{kT, {1.5, -2, 0.25}}}, {{0, 1.5, -2, 0.25}}, {0, 0, 0}},
      {"translate about the centre", kB1, 1, {{kT, {1, 1, 1}}},
       {{0, -cx, -cy, -cz}, {0, cx, cy, cz}, {0, 1, 1, 1}}, {cx + 1, cy + 1, cz + 1}},
      {"about the origin, steps before the first translate", kB1, 0,
       {{kR, {0, 0, 0.5}}, {kS, {2, 2, 2}}, {kT, {1, 0, 0}}, {kR, {0.1, 0, 0}}},
       {{1, 0, 0, 0.5}, {2, 2, 2, 2}, {1, 0.1, 0, 0}, {0, 1, 0, 0}}, {0, 0, 0}},
      {"scale of a wrapped object about its centre", kWrappedB1, 1, {{kS, {2, 3, 4}}},
       {{0, -1, -2, -3}, {1, 0, 0, 0.5}, {2, 2, 3, 4}, {0, 1, 2, 3}}, {std::nan(""), 0, 0}},
      {"scale of a wrapped object about the origin", kWrappedB1, 0, {{kS, {2, 3, 4}}},
       {{2, 2, 3, 4}, {0, -1, -2, -3}, {1, 0, 0, 0.5}, {0, 1, 2, 3}}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor = CG_GraphicEditor::Create(0);
    fakes.AttachTo(*editor);
    CG_SceneEditorItem* item = Read(c.scene);
    item->display.style = 2;
    item->display.fastview = 5;
    item->display.centre = c.centreFlag;
    item->displayExtra = 7;
    editor->InsertItem(item);
    editor->NewLayer("walls")->Add(item);
    editor->selection.Append(new CG_EObjectSelection(item));
    for (const auto& [op, v] : c.ops) {
      item = op == kT ? editor->TranslateItem(item, v[0], v[1], v[2])
           : op == kR ? editor->RotateItem(item, v[0], v[1], v[2])
                      : editor->ScaleItem(item, v[0], v[1], v[2]);
      ASSERT_NE(item, nullptr);
    }
    // One object "b1", a transf around the box, never a transf in a transf.
    ASSERT_EQ(Count(editor->scene.GetObjects()), 2);
    auto* transf = dynamic_cast<GTransf*>(editor->scene.FindObject("b1"));
    ASSERT_NE(transf, nullptr);
    Seq<CG_GraphicObject*> children;
    transf->GetChildren(children);
    ASSERT_EQ(children.Count(), 1u);
    EXPECT_EQ(dynamic_cast<GTransf*>(children[0]), nullptr);
    const std::vector<Step> steps = StepsOf(*transf);
    ASSERT_EQ(steps.size(), c.steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
      EXPECT_EQ(steps[i].kind, c.steps[i].kind) << i;
      EXPECT_NEAR(steps[i].x, c.steps[i].x, 1e-12) << i;
      EXPECT_NEAR(steps[i].y, c.steps[i].y, 1e-12) << i;
      EXPECT_NEAR(steps[i].z, c.steps[i].z, 1e-12) << i;
    }
    // The new item: the settings, a centre of its own, every reference.
    EXPECT_EQ(item->object, transf);
    EXPECT_EQ(editor->FindItem(transf), item);
    EXPECT_EQ(Count(editor->items), 2);
    EXPECT_EQ(item->display.style, 2);
    EXPECT_EQ(item->display.fastview, 5);
    EXPECT_EQ(item->display.centre, c.centreFlag);
    EXPECT_EQ(item->displayExtra, 7);
    if (!std::isnan(c.centre[0])) {
      EXPECT_NEAR(item->centre.x, c.centre[0], 1e-9);
      EXPECT_NEAR(item->centre.y, c.centre[1], 1e-9);
      EXPECT_NEAR(item->centre.z, c.centre[2], 1e-9);
    }
    EXPECT_TRUE(editor->FindLayer("default")->Holds(item));
    EXPECT_EQ(editor->FindLayer("walls")->items.First()->item, item);
    EXPECT_EQ(Count(editor->FindLayer("walls")->items), 1);
    EXPECT_EQ(dynamic_cast<CG_EObjectSelection*>(editor->selection.First())->item, item);
  }
}

TEST_F(ItemOperations, ARotationMovesTheVerticesAboutTheCentre) {
  CG_SceneEditorItem* item = Read(kB1);
  item = editor->RotateItem(item, 0, 0, std::acos(-1.0));  // half a turn about z through the centre
  ASSERT_NE(item, nullptr);
  // The box maps onto itself; its corner (0.6, 0.6, 0.1) goes to (5.6, 2.6, 0.1).
  bool found = false;
  for (int k = 0; k < item->object->VertexCount(); ++k) {
    Point3D p;
    item->object->Vertex(k, p);
    found = found || (std::abs(p.x - 5.6) < 1e-9 && std::abs(p.y - 2.6) < 1e-9 && std::abs(p.z - 0.1) < 1e-9);
    EXPECT_GE(p.x, 0.6 - 1e-9);
    EXPECT_LE(p.x, 5.6 + 1e-9);
  }
  EXPECT_TRUE(found);
}

TEST_F(ItemOperations, AScaleByZeroLeavesTheStepsAsTheyWere) {
  CG_SceneEditorItem* item = Read(kB1);
  for (const std::array<double, 3>& v : std::vector<std::array<double, 3>>{
           {0, 1, 1}, {1.5, 0, 2}, {std::nan(""), 1, 1}, {1, std::numeric_limits<double>::infinity(), 1}}) {
    item = editor->ScaleItem(item, v[0], v[1], v[2]);
    ASSERT_NE(item, nullptr);
  }
  item = editor->RotateItem(item, std::nan(""), 0, 0);
  auto* transf = dynamic_cast<GTransf*>(item->object);
  ASSERT_NE(transf, nullptr);
  EXPECT_EQ(StepsOf(*transf).size(), 2u);  // the wrapping pair only
  EXPECT_GT(transf->VertexCount(), 0);
  EXPECT_NEAR(item->centre.x, 3.1, 1e-12);
}

TEST_F(ItemOperations, SnapToGrid) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    int useGrid;
    double dim;
    Point3D in, out;
  };
  const Case cases[] = {
      {1, 0.1, {-0.05, 0.25, 1.27}, {-0.1, 0.2, 1.2}},  // always downwards
      {1, 0.25, {-0.3, 0.74, 2.0}, {-0.5, 0.5, 2.0}},
      {0, 0.1, {-0.05, 0.25, 1.27}, {-0.05, 0.25, 1.27}},
      {1, 0.0, {-0.05, 0.25, 1.27}, {-0.05, 0.25, 1.27}},  // no grid: unchanged, never NaN
      {1, nan, {-0.05, 0.25, 1.27}, {-0.05, 0.25, 1.27}},
      {1, inf, {-0.05, 0.25, 1.27}, {-0.05, 0.25, 1.27}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.useGrid << " " << c.dim);
    editor->options.UseGrid = c.useGrid;
    editor->options.GridDim = c.dim;
    Point3D p = c.in;
    editor->SnapToGrid(p);
    EXPECT_NEAR(p.x, c.out.x, 1e-12);
    EXPECT_NEAR(p.y, c.out.y, 1e-12);
    EXPECT_NEAR(p.z, c.out.z, 1e-12);
  }
}

TEST_F(ItemOperations, MergeAddsItemsOnceAndMarksTheDocument) {
  TempDir dir;
  const std::string parts = (dir / "parts.qz").string();
  WriteFile(parts,
            "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
            "{ object name b2; model { box xmin -1; xmax 1; ymin -2; ymax 2; zmin -3; zmax 3; } }\n.\n");
  RecordingWireFrameImage top(120, 80);
  editor->SetView(0, &top, 2);

  // A missing file: nothing added, nothing shown, not modified.
  EXPECT_EQ(driver.Request(69, (dir / "none.qz").string().c_str()).result, 0);
  EXPECT_EQ(Count(editor->scene.GetObjects()), 1);
  EXPECT_TRUE(fakes.system.messages.empty());
  EXPECT_EQ(editor->modified, 0);
  EXPECT_TRUE(top.calls.empty());

  driver.Request(69, parts.c_str());
  CG_SceneEditorItem* b1 = editor->FindItem(editor->scene.FindObject("b1"));
  CG_SceneEditorItem* b2 = editor->FindItem(editor->scene.FindObject("b2"));
  ASSERT_NE(b1, nullptr);
  ASSERT_NE(b2, nullptr);
  EXPECT_NEAR(b1->centre.x, 3.1, 1e-12);
  EXPECT_NEAR(b1->centre.y, 1.6, 1e-12);
  EXPECT_NEAR(b2->centre.z, 0.0, 1e-12);
  std::vector<CG_SceneEditorItem*> entries;
  for (LayerItem& entry : editor->activeLayer->items) entries.push_back(entry.item);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1], b1);
  EXPECT_EQ(entries[2], b2);
  EXPECT_EQ(editor->modified, 1);
  ASSERT_FALSE(top.calls.empty());
  EXPECT_EQ(top.calls.front(), "Clear");

  // The same file again: no second item, no second entry.
  driver.Request(69, parts.c_str());
  EXPECT_EQ(Count(editor->items), 3);
  EXPECT_EQ(Count(editor->activeLayer->items), 3);
}

TEST_F(ItemOperations, AMergeThatFailsHalfWayKeepsWhatItRead) {
  TempDir dir;
  WriteFile(dir / "bad.qz",
            "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
            "{ nonsense }\n.\n");
  driver.Request(69, (dir / "bad.qz").string().c_str());
  EXPECT_NE(editor->FindItem(editor->scene.FindObject("b1")), nullptr);
  EXPECT_EQ(editor->modified, 1);
  // No error of its own: only the change's note that an unnamed scene keeps no undo history.
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"No name.Cannot undo."}));
}

TEST_F(ItemOperations, RedrawAllNeedsACameraInUse) {
  RecordingWireFrameImage preview(100, 60);
  RecordingWireFrameImage top(100, 60);
  editor->SetView(0, &top, 2);
  editor->SetView(3, &preview, 1);
  editor->RedrawAll();
  ASSERT_FALSE(preview.calls.empty());
  EXPECT_EQ(preview.calls.front(), "Fill 255 255 255");
  EXPECT_TRUE(top.calls.empty());  // only the Preview views

  preview.calls.clear();
  editor->SetCameraInUse(nullptr);
  editor->RedrawAll();
  EXPECT_TRUE(preview.calls.empty());
}

}  // namespace
}  // namespace zavo::test
