// Request 44: an item's drawing style and fastview value.

#include <string_view>

#include "editor/graphic_editor.h"
#include "editor/number_prefix.h"
#include "editor/text_routines.h"
#include "foundation/runtime_error_box.h"

namespace {

// The style values by their names in the dialog: 0 "normal", 1 "box",
// 2 "fastview".
const char* StyleName(int style) {
  switch (style) {
    case 1: return "box";
    case 2: return "fastview";
    default: return "normal";
  }
}

}  // namespace

int CG_GraphicEditor::ExtraInfoCommand() { return OnChosenObject(&CG_GraphicEditor::ModifyExtraInfo); }

int CG_GraphicEditor::ModifyExtraInfo(const char* objectName) {
  CG_GraphicObject* object = scene.FindObject(objectName);
  if (object == nullptr) RuntimeErrorBox("non qui");
  CG_SceneEditorItem* item = FindItem(object);
  if (object->Keyword() == nullptr) {
    Message("cannot get module name.");
    CommandCancelled();
    return 0;
  }
  // An object the views do not show has no settings to change.
  if (item == nullptr) {
    CommandCancelled();
    return 0;
  }

  gcg_list controls;
  auto* style = new ListBox_obj("style");
  style->entries.SetSize(3);
  style->entries[0] = "normal";
  style->entries[1] = "fastview";
  style->entries[2] = "box";
  style->selected = StyleName(item->display.style);
  controls.Append(style);
  auto* fastview = new Edit_obj("fastview", zavo::IntToText(item->display.fastview));
  controls.Append(fastview);
  if (ShowDialog("Modifing extra info", controls) == 0) {
    CommandCancelled();
    return 0;
  }

  IntTriple display = item->display;
  if (style->selected == "normal") {
    display.style = 0;
  } else if (style->selected == "fastview") {
    display.style = 2;
  } else if (style->selected == "box") {
    display.style = 1;
  }
  const std::string_view text = fastview->text.Text() != nullptr ? fastview->text.Text() : "";
  if (!text.empty()) display.fastview = zavo::IntPrefix(text);

  EraseItem(item);
  item->display = display;
  InsertItem(item);
  ProjectItem(item);
  DrawItem(item);
  SetModified();
  return 1;
}
