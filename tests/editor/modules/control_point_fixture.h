#pragma once
// A document for the control-point modules: the module document's four views
// of 200 x 100 pixels, small test modules over the real model types (a
// boundary-mesh module "brep", a polyline module "polyline" and an area-lamp
// module "arealamp", appended last so that the editor finds them), and the
// readers of what the views show.
//
// The plane views show the cube -10..10 fitted to their proportions (with
// InvertY off):
//   Top (view 0):   x -10..10, y -5..5: column 10 x + 100, row 10 y + 50;
//   Side (view 1):  y -10..10, z -5..5: column 10 y + 100, row 50 - 10 z;
//   Front (view 2): x -10..10, z -5..5: column 10 x + 100, row 50 - 10 z.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/layers.h"
#include "editor/modules/curve_module.h"
#include "editor/modules/patch_model_module.h"
#include "models/core/brep.h"
#include "module_fixture.h"

namespace zavo::test {

class TestMeshModule : public CG_GenericPModelEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor&, CG_GraphicObject&, int) override { return nullptr; }
  int CanEditControls() override { return canEdit; }
  CG_PatchModelBased* ControlPoints(CG_GraphicObject& object) override { return dynamic_cast<GBRep*>(&object); }
  int ShowAllControls() override { return showAll; }

  int canEdit = 1;
  int showAll = 1;
};

class TestCurveModule : public CG_GenericCurveEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor&, CG_GraphicObject&, int) override { return nullptr; }
  int MinControlCount(CG_GraphicObject&) override { return minimum; }
  void EditControl(CG_GraphicEditor&, CG_GraphicObject&, int index) override { edited.push_back(index); }

  int minimum = 2;
  std::vector<int> edited;
};

// A quad of four vertices, p0 and p1 on the side x < 0; in the Top view at
// (73, 67), (86, 25), (131, 27), (142, 69).
inline const char kQuadMesh[] =
    "{ pbrep\nvertices 4  -2.63 1.74 0.43  -1.36 -2.45 0.43  3.12 -2.23 0.43  4.27 1.96 0.43\n"
    "faces 1\n{ 1 { 4 0 1 2 3 } }\n}\n";

class ControlPointDocument : public ModuleDocument {
public:
  ControlPointDocument() {
    for (int view = 0; view < 4; ++view) SetBox(view, {-10, -10, -10}, {10, 10, 10});
    mesh = Add<TestMeshModule>("brep");
    curve = Add<TestCurveModule>("polyline");
    lamp = Add<TestCurveModule>("arealamp");
    editor->activeView = 0;
  }

  // Reads objects into the scene and gives each new one an item in the
  // active layer.
  void Read(const std::string& text) {
    ASSERT_EQ(ReadWithItems(*editor, text + ".\n"), 1) << editor->scene.GetErrorMessage();
  }
  // The mesh "quad" (kQuadMesh, inline), inside a transf "moved" with the
  // step when one is given.
  void ReadQuad(const char* wrapperStep = nullptr) {
    std::ostringstream text;
    text << "{ object name quad; model { brep model " << kQuadMesh << " } }\n";
    Read(Wrapped(text.str(), wrapperStep));
  }
  // An open polyline "line" through the points, wrapped as the quad.
  void ReadPolyline(const std::vector<Point3D>& points, const char* wrapperStep = nullptr) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << "{ object name line; model { polyline open 1;";
    for (const Point3D& p : points) text << " p ( " << p.x << " , " << p.y << " , " << p.z << " );";
    text << " } }\n";
    Read(Wrapped(text.str(), wrapperStep));
  }
  static std::string Wrapped(const std::string& block, const char* step) {
    if (step == nullptr) return block;
    std::ostringstream text;
    text << "{ object name moved; model { transf " << step << "\n" << block << "} }\n";
    return text.str();
  }

  CG_SceneEditorItem* Item(const char* name) { return editor->FindItem(editor->scene.FindObject(name)); }
  // The object inside a possible transf.
  CG_GraphicObject& Inner(const char* name) {
    CG_GraphicObject* object = editor->scene.FindObject(name);
    CG_GraphicObject* wrapper = nullptr;
    editor->FindObject(object, object, wrapper);
    return *object;
  }
  // Selects the scene object as a click does: a record with its module's
  // new status. The status.
  template <class Status>
  Status& Select(const char* name, CG_ObjectEditorModule& module) {
    auto* record = new CG_EObjectSelection(Item(name));
    record->status = module.NewSelectionStatus().release();
    editor->selection.Append(record);
    return *dynamic_cast<Status*>(record->status);
  }
  CG_EGenericPModelSelectionStatus& SelectMesh(const char* name = "quad") {
    return Select<CG_EGenericPModelSelectionStatus>(name, *mesh);
  }
  CG_EGenericCurveSelectionStatus& SelectCurve(const char* name, CG_ObjectEditorModule& module) {
    return Select<CG_EGenericCurveSelectionStatus>(name, module);
  }
  CG_SceneEditorItem* SelectedItem() {
    auto* record = dynamic_cast<CG_EObjectSelection*>(editor->selection.First());
    return record != nullptr ? record->item : nullptr;
  }

  // Every view white again.
  void Whiten() {
    for (RasterWireFrameImage* view : {&top, &side, &front, &preview}) view->Fill(255, 255, 255);
  }
  // The pointer as the editor last recorded it.
  void PointerAt(int view, int x, int y) {
    editor->lastMouseView = view;
    editor->lastMouseX = x;
    editor->lastMouseY = y;
  }
  // A key through request 48.
  void Key(int character) { EditorDriver(*editor).Request(48, nullptr, character); }

  std::vector<Point3D> MeshPoints(const char* name = "quad") {
    std::vector<Point3D> out;
    CG_PatchModelBased* points = dynamic_cast<GBRep*>(&Inner(name));
    for (int i = 0; points != nullptr && i < points->ControlCount(); ++i) {
      Point3D p;
      points->GetControl(i, p);
      out.push_back(p);
    }
    return out;
  }
  std::vector<Point3D> CurvePoints(const char* name = "line") {
    std::vector<Point3D> out;
    CG_GraphicObject& object = Inner(name);
    for (int i = 0; i < object.ControlCount(); ++i) {
      Point3D p;
      object.GetControl(i, p);
      out.push_back(p);
    }
    return out;
  }
  std::string LastStatus() const {
    return fakes.system.statuses.empty() ? std::string() : fakes.system.statuses.back();
  }

  TestMeshModule* mesh = nullptr;
  TestCurveModule* curve = nullptr;
  TestCurveModule* lamp = nullptr;

private:
  template <class Module>
  Module* Add(const char* keyword) {
    auto* module = new Module;
    module->keyword = keyword;
    editor->objectModules.Append(module);
    return module;
  }
};

inline constexpr RasterPixel kWhite{255, 255, 255};
inline constexpr RasterPixel kNoMarker{-1, -1, -1};

// The colour of the square marker about (x, y) (outline of half side 3):
// the one colour of every outline pixel inside the image, its centre
// another; kNoMarker otherwise.
inline RasterPixel MarkerAt(const RasterWireFrameImage& image, int x, int y) {
  RasterPixel colour = kNoMarker;
  for (int i = -3; i <= 3; ++i) {
    const int outline[4][2] = {{x + i, y - 3}, {x + i, y + 3}, {x - 3, y + i}, {x + 3, y + i}};
    for (const auto& p : outline) {
      if (p[0] < 0 || p[1] < 0 || p[0] >= image.Width() || p[1] >= image.Height()) continue;
      const RasterPixel here = image.Pixel(p[0], p[1]);
      if (colour == kNoMarker) colour = here;
      if (!(here == colour)) return kNoMarker;
    }
  }
  if (colour == kWhite || image.Pixel(x, y) == colour) return kNoMarker;
  return colour;
}

// The number of pixels of the image that are not white.
inline int InkedPixels(const RasterWireFrameImage& image) {
  int n = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) n += image.Pixel(x, y) == kWhite ? 0 : 1;
  }
  return n;
}

}  // namespace zavo::test
