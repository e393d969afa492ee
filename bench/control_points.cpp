// Control-point editing in four 800 x 600 views (Top, Side, Front, Preview):
// one drag step of a point of a selected 1000-point polyline (erase, move,
// project, draw, the markers of every point included), one 'm' step of a
// point of a selected boundary mesh of 20 000 vertices (erase, move, update
// the mesh, build its item again, draw), and one pick among that mesh's
// points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "bench_scenes.h"
#include "editor/graphic_editor.h"
#include "editor/modules/curve_module.h"
#include "editor/modules/patch_model_module.h"
#include "editor/views/raster_image.h"
#include "models/core/brep.h"

namespace {

class MeshModule : public CG_GenericPModelEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor&, CG_GraphicObject&, int) override { return nullptr; }
  int CanEditControls() override { return 1; }
  CG_PatchModelBased* ControlPoints(CG_GraphicObject& object) override { return dynamic_cast<GBRep*>(&object); }
  int ShowAllControls() override { return 0; }
};

class CurveModule : public CG_GenericCurveEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor&, CG_GraphicObject&, int) override { return nullptr; }
  int MinControlCount(CG_GraphicObject&) override { return 2; }
};

// A wavy open polyline of 1000 points across the window.
std::string Polyline() {
  std::ostringstream text;
  text << "{ object name line; model { polyline open 1;";
  for (int i = 0; i < 1000; ++i) {
    text << " p ( " << -9.5 + 19.0 * i / 999 << " , " << 2.3 * std::sin(0.071 * i) << " , 0.37 );";
  }
  text << " } }\n.\n";
  return text.str();
}

// A triangle grid of 200 x 100 vertices over x -9..9, y -4.5..4.5.
std::string Mesh() {
  constexpr int nx = 200, ny = 100;
  std::ostringstream text;
  text << "{ object name mesh; model { brep model { pbrep\nvertices " << nx * ny;
  for (int j = 0; j < ny; ++j) {
    for (int i = 0; i < nx; ++i) {
      text << "  " << -9.0 + 18.0 * i / (nx - 1) << ' ' << -4.5 + 9.0 * j / (ny - 1) << ' '
           << 0.3 * std::sin(0.13 * i + 0.07 * j);
    }
  }
  text << "\nfaces " << 2 * (nx - 1) * (ny - 1) << '\n';
  for (int j = 0; j + 1 < ny; ++j) {
    for (int i = 0; i + 1 < nx; ++i) {
      const int a = j * nx + i, b = a + 1, c = a + nx + 1, d = a + nx;
      text << "{ 1 { 3 " << a << ' ' << b << ' ' << c << " } } { 1 { 3 " << a << ' ' << c << ' ' << d << " } }\n";
    }
  }
  text << "} } }\n.\n";
  return text.str();
}

// A document with the four views, the test modules and one selected object.
class Document {
public:
  explicit Document(const std::string& text, CG_ObjectEditorModule* module, const char* keyword)
      : editor(CG_GraphicEditor::Create(0)) {
    editor->SetView(0, &top, 2);
    editor->SetView(1, &side, 3);
    editor->SetView(2, &front, 4);
    editor->SetView(3, &preview, 1);
    module->keyword = keyword;
    editor->objectModules.Append(module);
    std::istringstream in(text);
    ok = editor->scene.Get(in) == 1;
    zavo::bench::AddTwoLamps(editor->scene);
    editor->CreateItems();
    editor->ProjectAllItems();
    object = editor->scene.GetObjects().First();
    while (object != nullptr && object->Keyword() != std::string(keyword)) {
      object = List<CG_GraphicObject>::Next(object);
    }
    ok = ok && object != nullptr;
    if (!ok) return;
    item = editor->FindItem(object);
    auto* record = new CG_EObjectSelection(item);
    status = module->NewSelectionStatus().release();
    record->status = status;
    editor->selection.Append(record);
    editor->DrawItem(item);
  }

  zavo::RasterWireFrameImage top{800, 600}, side{800, 600}, front{800, 600}, preview{800, 600};
  std::unique_ptr<CG_GraphicEditor> editor;
  bool ok = false;
  CG_GraphicObject* object = nullptr;
  CG_SceneEditorItem* item = nullptr;
  CG_ESelectionStatus* status = nullptr;
};

void BM_DragPolylinePoint(benchmark::State& state) {
  auto* module = new CurveModule;
  Document doc(Polyline(), module, "polyline");
  if (!doc.ok) state.SkipWithError("scene text not read");
  auto* status = dynamic_cast<CG_EGenericCurveSelectionStatus*>(doc.status);
  status->current = 500;
  status->canMove = 1;
  int k = 0;
  for (auto _ : state) {
    const int x = 300 + (k % 2) * 200, y = 250 + (k % 3) * 40;
    benchmark::DoNotOptimize(
        module->Mouse(*doc.editor, doc.item, *doc.object, status, 0, x, y, kMouseLeft + kMouseRight, nullptr));
    ++k;
  }
}

BENCHMARK(BM_DragPolylinePoint)->Unit(benchmark::kMicrosecond);

void BM_MoveMeshPoint(benchmark::State& state) {
  auto* module = new MeshModule;
  Document doc(Mesh(), module, "brep");
  if (!doc.ok) state.SkipWithError("scene text not read");
  auto* status = dynamic_cast<CG_EGenericPModelSelectionStatus*>(doc.status);
  status->current = 10150;
  CG_SceneEditorItem* item = doc.item;
  int k = 0;
  for (auto _ : state) {
    doc.editor->lastMouseView = 0;
    doc.editor->lastMouseX = 300 + (k % 2) * 200;
    doc.editor->lastMouseY = 250 + (k % 3) * 40;
    benchmark::DoNotOptimize(module->Key(*doc.editor, item, *doc.object, status, 'm', nullptr));
    item = doc.editor->FindItem(doc.object);  // built again by the step
    ++k;
  }
}

BENCHMARK(BM_MoveMeshPoint)->Unit(benchmark::kMicrosecond);

void BM_PickMeshPoint(benchmark::State& state) {
  auto* module = new MeshModule;
  Document doc(Mesh(), module, "brep");
  if (!doc.ok) state.SkipWithError("scene text not read");
  auto* status = dynamic_cast<CG_EGenericPModelSelectionStatus*>(doc.status);
  // A click on the last point, the current one: every point is tested.
  const int last = 200 * 100 - 1;
  status->current = last;
  Point3D p;
  dynamic_cast<GBRep*>(doc.object)->GetPoint(last, p);
  int x = 0, y = 0;
  doc.editor->WorldToPixel(0, p, x, y);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        module->Mouse(*doc.editor, doc.item, *doc.object, status, 0, x, y, kMouseLeft + kMousePressed, nullptr));
  }
  if (status->current != last) state.SkipWithError("the click missed the current point");
}

BENCHMARK(BM_PickMeshPoint)->Unit(benchmark::kMicrosecond);

}  // namespace
