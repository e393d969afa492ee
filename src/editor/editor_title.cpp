// The window title: the document, the active layer and, while frames are
// shown, the current frame.

#include <string>

#include "editor/graphic_editor.h"
#include "editor/layers.h"

int CG_GraphicEditor::UpdateTitle() {
  std::string title = "ZI Rizeda - ";
  if (named == 1 && name.Text() != nullptr) {
    title += name.Text();
    title += ".qz";
  } else {
    title += "No name";
  }
  if (activeLayer != nullptr) {
    title += " [ ";
    title += activeLayer->name.Text() != nullptr ? activeLayer->name.Text() : "";
    title += " ] ";
  }
  if (animationOn != 0) title += " { " + std::to_string(currentFrame) + " } ";
  SetTitle(title.c_str());
  return 0;
}
