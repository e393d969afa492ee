#pragma once

// A headless document with the import tools installed, working in a
// temporary directory of its own.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/temp_dir.h"
#include "editor/editor_injection.h"
#include "editor/graphic_editor.h"
#include "editor/import/import_entries.h"
#include "editor_fakes.h"

namespace zavo::test {

class ImportDocument : public ::testing::Test {
protected:
  ImportDocument() : cwd(dir.path()), editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->options.UseUndo = 0;  // an unnamed document would say it cannot undo
    InstallImportEntries();
  }
  ~ImportDocument() override { SetEditorImportEntries({}); }

  std::string Read(const std::string& name) const { return ReadFile(dir / name); }
  void Write(const std::string& name, const std::string& text) const { WriteFile(dir / name, text); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir / name); }

  TempDir dir;
  ScopedCwd cwd;
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
};

}  // namespace zavo::test
