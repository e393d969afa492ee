#pragma once
// A document built with the program's real module factory, the editor's fakes
// attached and four views (Top, Side, Front, Preview) of 200 x 100 pixels.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/modules/module_factory.h"
#include "editor/views/raster_image.h"
#include "editor_fakes.h"
#include "geometry/point3d.h"

namespace zavo::test {

// Installs the real factory; the previous one comes back afterwards.
class ScopedRealModuleFactory {
public:
  ScopedRealModuleFactory() : previous_(GetEditorModuleFactory()) { InstallEditorModules(); }
  ~ScopedRealModuleFactory() { SetEditorModuleFactory(previous_); }
  ScopedRealModuleFactory(const ScopedRealModuleFactory&) = delete;
  ScopedRealModuleFactory& operator=(const ScopedRealModuleFactory&) = delete;

private:
  EditorModuleFactory previous_;
};

class ModuleDocument {
public:
  explicit ModuleDocument(int test = 0) : editor(CG_GraphicEditor::Create(test)) {
    fakes.AttachTo(*editor);
    editor->SetView(0, &top, 2);
    editor->SetView(1, &side, 3);
    editor->SetView(2, &front, 4);
    editor->SetView(3, &preview, 1);
  }

  // The stored world box of a view.
  void SetBox(int view, const Point3D& a, const Point3D& b) {
    const double values[6] = {a.x, a.y, a.z, b.x, b.y, b.z};
    for (int i = 0; i < 6; ++i) editor->viewBoxes[view][i] = values[i];
  }

  CG_ObjectEditorModule& Object(const char* keyword) {
    CG_ObjectEditorModule* module = editor->FirstObjectModule(keyword);
    if (module == nullptr) ADD_FAILURE() << "no object module " << keyword;
    return *module;
  }
  CG_LampEditorModule& Lamp(const char* keyword) {
    CG_LampEditorModule* module = editor->FindLampModule(keyword);
    if (module == nullptr) ADD_FAILURE() << "no lamp module " << keyword;
    return *module;
  }

  // Answers the next dialog with OK and these field values.
  void Answer(std::vector<std::pair<std::string, std::string>> values) {
    fakes.dialog.Answer(FakeDialog::Script{std::move(values), {}, true});
  }

  ScopedRealModuleFactory factory;  // before the document: it reads the factory
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  RasterWireFrameImage top{200, 100}, side{200, 100}, front{200, 100}, preview{200, 100};
};

}  // namespace zavo::test
