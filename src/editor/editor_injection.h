#pragma once

// What the program installs before it creates an editor document, so that the
// editor builds and runs without the modules and import tools that the layers
// above it provide.
//
//   - The module factory: asked once per entry of the document's module
//     registration table with the list, the keyword and the class name of the
//     module wanted; it answers a new module of that list's base class, or null
//     to leave the entry out. The document sets the module's keyword.
//   - The import entries of requests 63 and 70 to 73, each given the editor
//     and (but TextTo3D) the request's text and answering an int.
//
// An entry that is not installed makes its request answer 0 and do nothing.
// Installed values are program-wide; a document reads them while it is
// constructed (the factory) or when a request arrives (the imports).

#include <functional>
#include <memory>

#include "editor/editor_modules.h"

class CG_GraphicEditor;

namespace zavo {

enum class EditorModuleList { kObject, kLamp, kMaterial, kMapping };

using EditorModuleFactory = std::function<std::unique_ptr<EditorModule>(
    EditorModuleList list, const char* keyword, const char* className)>;

struct EditorImportEntries {
  std::function<int(CG_GraphicEditor&)> TextTo3D;                          // request 63
  std::function<int(CG_GraphicEditor&, const char*)> CaricaFlagPolyline;  // request 70
  std::function<int(CG_GraphicEditor&, const char*)> ImportRaw;           // request 71
  std::function<int(CG_GraphicEditor&, const char*)> ImportRawPoints;     // request 72
  std::function<int(CG_GraphicEditor&, const char*)> ImportRawPoints2D;   // request 73
};

// Installs (an empty function removes) and answers the program's factory.
void SetEditorModuleFactory(EditorModuleFactory factory);
const EditorModuleFactory& GetEditorModuleFactory();
// Installs and answers the import entries.
void SetEditorImportEntries(EditorImportEntries entries);
const EditorImportEntries& GetEditorImportEntries();

}  // namespace zavo
