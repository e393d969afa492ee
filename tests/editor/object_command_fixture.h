#pragma once
// A document over recording fake modules (the "camera" and "arealamp" object
// modules refuse transformations, as the real ones do), with the interface
// fakes and four raster views, for the object commands' tests.

#include <memory>
#include <string>
#include <utility>

#include "document_fixture.h"
#include "editor_fakes.h"

namespace zavo::test {

// An object module that keeps cameras and area lamps out of the transform
// commands.
class TransformRefusingModule : public FakeObjectModule {
public:
  using FakeObjectModule::FakeObjectModule;
  int MayTransform() override { return 0; }
};

// The recording fake factory, with TransformRefusingModule for the camera and
// area lamp modules; the factory from before comes back afterwards (the
// recording factory restores it).
class ScopedObjectCommandFactory {
public:
  ScopedObjectCommandFactory() {
    EditorModuleFactory recording = GetEditorModuleFactory();
    SetEditorModuleFactory([recording](EditorModuleList list, const char* keyword,
                                       const char* className) -> std::unique_ptr<EditorModule> {
      const std::string cls = className != nullptr ? className : "";
      if (cls == "CG_CameraEditorModule" || cls == "CG_AreaLampEditorModule") {
        return std::make_unique<TransformRefusingModule>(cls);
      }
      return recording(list, keyword, className);
    });
  }
  ScopedObjectCommandFactory(const ScopedObjectCommandFactory&) = delete;
  ScopedObjectCommandFactory& operator=(const ScopedObjectCommandFactory&) = delete;

private:
  ScopedFakeModuleFactory recording_;
};

// Installed before the document is built: the document reads the factory.
struct ObjectCommandFactoryHolder {
  ScopedObjectCommandFactory factory;
};

class ObjectCommandTest : protected ObjectCommandFactoryHolder, public DocumentTest {
protected:
  // The first module of the keyword, as the new-object command takes it.
  FakeObjectModule& Module(const char* keyword) {
    auto* module = dynamic_cast<FakeObjectModule*>(editor->FirstObjectModule(keyword));
    if (module == nullptr) ADD_FAILURE() << "no fake object module " << keyword;
    return *module;
  }
  // An object made from builder text, outside the scene, as a module hands it over.
  std::unique_ptr<CG_GraphicObject> Built(const char* name, const char* keyword, const char* lines) {
    return editor->ReadObjectFromSceneText(editor->ObjectBuilderText(name, keyword, lines), name);
  }
};

}  // namespace zavo::test
