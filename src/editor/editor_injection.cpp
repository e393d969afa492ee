#include "editor/editor_injection.h"

namespace zavo {
namespace {

EditorModuleFactory& Factory() {
  static EditorModuleFactory factory;
  return factory;
}

EditorImportEntries& Imports() {
  static EditorImportEntries entries;
  return entries;
}

}  // namespace

void SetEditorModuleFactory(EditorModuleFactory factory) { Factory() = std::move(factory); }
const EditorModuleFactory& GetEditorModuleFactory() { return Factory(); }
void SetEditorImportEntries(EditorImportEntries entries) { Imports() = std::move(entries); }
const EditorImportEntries& GetEditorImportEntries() { return Imports(); }

}  // namespace zavo
