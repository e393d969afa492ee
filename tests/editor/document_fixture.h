#pragma once
// A document with the interface fakes and four raster views, working in its
// own temporary directory, and the scene texts its tests read.

#include <memory>
#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor/views/raster_image.h"
#include "editor_fakes.h"

namespace zavo::test {

// b1 and b2: two boxes with a shared edge-free layout a user would draw.
inline constexpr const char* kPartsScene =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name b2; model { box xmin -1; xmax 1; ymin -2; ymax 2; zmin -3; zmax 3; } }\n"
    ".\n";

// "spin": an anim of a unit cube sliding along x, 1.6 a frame from frame 0
// to 4 (at x 3.2 at frame 2); "k5": a box that stands still.
inline constexpr const char* kAnimScene =
    "{ object name spin; model { anim\n"
    "  { object name spinbox; model { box xmin -0.5; xmax 0.5; ymin -0.5; ymax 0.5; zmin -0.5; zmax 0.5; } }\n"
    "  from 0; to 4;\n"
    "  move { object name spinpath; model { polyline p ( 0 , 0 , 0 ); p ( 6.4 , 0 , 0 ); } }\n"
    "} }\n"
    "{ object name k5; model { box xmin 2.2; xmax 3.7; ymin -1.3; ymax 0.9; zmin 0; zmax 1.6; } }\n"
    ".\n";

class DocumentTest : public ::testing::Test {
protected:
  DocumentTest() : cwd(dir.path()), editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->SetView(0, &top, 2);
    editor->SetView(1, &side, 3);
    editor->SetView(2, &front, 4);
    editor->SetView(3, &preview, 1);
  }

  // The scene text read into the document; items (in the active layer) for
  // the new objects.
  void Read(const char* text) {
    ASSERT_EQ(ReadWithItems(*editor, text), 1) << editor->scene.GetErrorMessage();
  }
  std::string SceneText() const {
    std::ostringstream out;
    editor->scene.Write(out);
    return out.str();
  }
  CG_SceneEditorItem* Item(const char* name) { return editor->FindItem(editor->scene.FindObject(name)); }
  // The object and its item (with its layer entries) leave the document.
  void Drop(const char* name) {
    editor->RemoveItem(Item(name));
    editor->scene.RemoveObject(editor->scene.FindObject(name));
  }
  std::string LastMessage() const {
    return fakes.system.messages.empty() ? std::string() : fakes.system.messages.back();
  }
  std::string LastTitle() const { return fakes.winSupp.titles.empty() ? std::string() : fakes.winSupp.titles.back(); }
  bool LastTitleEndsWith(const std::string& end) const {
    const std::string title = LastTitle();
    return title.size() >= end.size() && title.compare(title.size() - end.size(), end.size(), end) == 0;
  }

  TempDir dir;
  ScopedCwd cwd;
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
  RasterWireFrameImage top{120, 80};
  RasterWireFrameImage side{120, 80};
  RasterWireFrameImage front{120, 80};
  RasterWireFrameImage preview{120, 80};
};

}  // namespace zavo::test
