// Request 47: the "Editor options" dialog over the option record and the
// scene's library directory.

#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"

namespace {

constexpr const char* kShowModes[3] = {"simple", "interactive", "tinteractive"};

// The show mode of a text among the list's entries; -1 for another text.
int ShowModeOf(const ListBox_obj& list) {
  for (std::uint32_t i = 0; i < list.entries.Count(); ++i) {
    if (list.selected.Text() != nullptr && list.entries[i] == list.selected.Text()) return static_cast<int>(i);
  }
  return -1;
}

Color_obj& AddColour(gcg_list& controls, const char* label, const double (&colour)[3]) {
  return zavo::AddControl<Color_obj>(controls, label, colour[0], colour[1], colour[2]);
}

void TakeColour(const Color_obj& control, double (&colour)[3]) {
  colour[0] = control.r;
  colour[1] = control.g;
  colour[2] = control.b;
}

}  // namespace

int CG_GraphicEditor::OptionsDialog() {
  using zavo::AddControl;
  CG_GraphicEditorOptions& o = options;
  const bool test = o.Test != 0;
  gcg_list controls;
  auto& useColor = AddControl<Check_obj>(controls, "UseColor", o.UseColor);
  auto& directBox = AddControl<Check_obj>(controls, "DirectBox", o.DirectDraw);
  auto& background = AddColour(controls, "Background", o.Background);
  auto& selectedObject = AddColour(controls, "SelectedObject", o.SelectedObject);
  const int shownModes = test ? 3 : 2;
  const char* preset = o.ShowMode >= 0 && o.ShowMode < shownModes ? kShowModes[o.ShowMode] : nullptr;
  auto& showMode = zavo::AddListBox(controls, "ShowMode", {kShowModes[0], kShowModes[1], kShowModes[2]}, preset);
  showMode.entries.Resize(static_cast<std::uint32_t>(shownModes));  // "tinteractive" only in test mode
  auto& useGrid = AddControl<Check_obj>(controls, "UseGrid", o.UseGrid);
  auto& gridDim = zavo::AddRealEdit(controls, "GridDim", o.GridDim);
  auto& undo = AddControl<LogicalSet_obj>(controls, "Undo");
  auto& useUndo = AddControl<Check_obj>(undo.children, "UseUndo", o.UseUndo);
  auto& undoFreq = zavo::AddIntEdit(undo.children, "UndoFreq", o.UndoFreq);
  auto& invertY = AddControl<Check_obj>(undo.children, "InvertY", o.InvertY);
  auto& libraryDir = AddControl<Edit_obj>(controls, "LibraryDir", scene.GetLibraryDir());
  auto& previewType = AddControl<ListBox_obj>(controls, "PreviewType");
  previewType.entries = zavo::LibraryEntries(zavo::LibraryFolder(scene.GetLibraryDir(), "mpreview"));
  previewType.selected = o.PreviewType;
  Edit_obj* previewSize = test ? &zavo::AddIntEdit(controls, "PreviewSize", o.PreviewSize) : nullptr;

  if (ShowDialog("Editor options", controls) == 0) return 0;
  o.UseColor = useColor.state;
  o.DirectDraw = directBox.state;
  if (const int mode = ShowModeOf(showMode); mode >= 0) o.ShowMode = mode;
  TakeColour(background, o.Background);
  TakeColour(selectedObject, o.SelectedObject);
  o.UseGrid = useGrid.state;
  o.InvertY = invertY.state;
  o.GridDim = zavo::TextToReal(gridDim.text);
  o.UseUndo = useUndo.state;
  o.UndoFreq = zavo::TextToInt(undoFreq.text);
  if (zavo::HasText(libraryDir.text)) scene.SetLibraryDir(libraryDir.text);
  if (zavo::HasText(previewType.selected)) o.PreviewType = previewType.selected;
  if (previewSize != nullptr) o.PreviewSize = zavo::TextToInt(previewSize->text);
  return 1;
}
