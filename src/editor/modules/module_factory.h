#pragma once

// The program's editor-module factory: the modules that exist, made by the
// class name the document's registration table asks for.

#include <memory>

#include "editor/editor_injection.h"

namespace zavo {

// A new module of that class for that list, or null for a class not built
// (or asked for in another list).
std::unique_ptr<EditorModule> MakeEditorModule(EditorModuleList list, const char* keyword, const char* className);

// Installs MakeEditorModule as the program's factory (before documents are
// created).
void InstallEditorModules();

}  // namespace zavo
