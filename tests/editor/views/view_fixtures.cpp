#include "view_fixtures.h"

#include <cmath>

#include "editor/layers.h"
#include "scene/view_reference.h"

namespace zavo::test {

std::unique_ptr<TestShape> MakeCurveShape(const char* name, int n, double r, bool closed) {
  auto shape = std::make_unique<TestShape>(name);
  const double pi = std::acos(-1.0);
  for (int k = 0; k < n; ++k) {
    const double a = 2 * pi * k / n;
    shape->points.push_back({r * std::cos(a), r * std::sin(a), 0.0});
  }
  shape->curve = true;
  shape->open = !closed;
  return shape;
}

RecordingWireFrameImage& ViewTest::SetView(int view, int mode, int width, int height) {
  surfaces[view] = std::make_unique<RecordingWireFrameImage>(width, height);
  editor->SetView(view, surfaces[view].get(), mode);
  return *surfaces[view];
}

CG_SceneEditorItem* ViewTest::Add(std::unique_ptr<CG_GraphicObject> object) {
  CG_GraphicObject* raw = object.get();
  EXPECT_EQ(editor->scene.AddObject(std::move(object)), 1);
  // New items join the active layer, as the editor's own commands do.
  CG_SceneEditorItem* item = editor->CreateItem(raw);
  if (item != nullptr && editor->activeLayer != nullptr) editor->activeLayer->Add(item);
  return item;
}

void ViewTest::Read(const std::string& text) {
  std::istringstream in(text + "\n.\n");
  ASSERT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
  for (CG_GraphicObject& object : editor->scene.GetObjects()) {
    if (editor->FindItem(&object) != nullptr) continue;
    CG_SceneEditorItem* item = editor->CreateItem(&object);
    if (item != nullptr && editor->activeLayer != nullptr) editor->activeLayer->Add(item);
  }
}

CG_SceneEditorItem* ViewTest::ItemOf(const char* name) {
  return editor->FindItem(editor->scene.FindObject(name));
}

std::vector<std::string> ViewTest::Segments(const CG_SceneEditorItem& item, int view, long part) {
  std::vector<std::string> out;
  if (item.segments[view].Count() <= static_cast<std::uint32_t>(part)) return out;
  const SegmentList& list = item.segments[view][static_cast<std::uint32_t>(part)];
  for (long k = 0; k < list.Size(); ++k) {
    const mvert& s = list[k];
    out.push_back(std::to_string(s.x1) + " " + std::to_string(s.y1) + " " + std::to_string(s.x2) + " " +
                  std::to_string(s.y2));
  }
  return out;
}

void ViewTest::LookDownZ(int dimx, int dimy) {
  const CG_ViewReference view({0, 0, 0}, {0, 0, 10}, {0, 0, 1}, {0, 1, 0}, 1, -1, 1, -1, 1, 1, -100, 0, 0);
  editor->scene.SetViewReference(view);
  editor->SetCameraInUse(nullptr);
  editor->scene.GetParam().dimx = dimx;
  editor->scene.GetParam().dimy = dimy;
}

}  // namespace zavo::test
