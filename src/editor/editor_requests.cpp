// The request dispatcher: one switch over the request code. Each request
// calls the operation that serves it; the result is the operation's unless
// the request has a fixed answer. Any other code does nothing and answers 0.

#include "editor/editor_injection.h"
#include "editor/graphic_editor.h"

namespace {

int Import(const std::function<int(CG_GraphicEditor&, const char*)>& entry, CG_GraphicEditor& editor,
           const char* text) {
  return entry ? entry(editor, text) : 0;
}

}  // namespace

void CG_GraphicEditor::FillView(int view) {
  if (view < 0 || view > 3 || views[view] == nullptr) return;
  int r = 0, g = 0, b = 0;
  GetBackgroundColor(r, g, b);
  views[view]->Fill(r, g, b);
}

int CG_GraphicEditor::RenderRequest() {
  scene.SetOutputImage(name.Text() != nullptr ? name.Text() : "zavo");
  RenderActiveLayer();
  scene.ClearOutputImage();
  return 0;
}

int CG_GraphicEditor::Dispatch(EDCommand& command) {
  const zavo::EditorImportEntries& imports = zavo::GetEditorImportEntries();
  const char* text = command.text;
  switch (command.code) {
    case 1: scene.SetModelPath(text); return 0;
    case 2: scene.SetTexturePath(text); return 0;
    case 3:
      command.value = scene.GetDimX();
      command.value2 = scene.GetDimY();
      return 0;
    case 4: return RenderRequest();
    case 5: return EditPRP();
    case 6: return EditVPN();
    case 7: return EditVRP();
    case 8: return EditVUP();
    case 9: return EditWindow();
    case 10: return NewLamp();
    case 11: return DeleteLamp();
    case 12: return ModifyLamp();
    case 13: return NewMaterial();
    case 14: return DeleteMaterial();
    case 15: return ChangeMaterial();
    case 16: return NewObject();
    case 17: return DeleteObject();
    case 18: return ModifyObject();
    case 19: return RotateObject();
    case 20: return ScaleObject();
    case 21: return TranslateObject();
    case 22: return RenderParamDialog();
    case 23:
      for (int v = 0; v < 4; ++v) {
        if (viewModes[v] >= 2 && viewModes[v] <= 4) FillView(v);
      }
      RedrawParallelViews();
      return 1;
    case 24:
      for (int v = 0; v < 4; ++v) {
        if (viewModes[v] == 1) FillView(v);
      }
      RedrawPreviewViews();
      return 1;
    case 25: return ZoomIn();
    case 26: return ZoomOut();
    case 27: return ModifyCommonCommand();
    case 28: return LampCommonData();
    case 29: return NewCenterMode();
    case 30: AddToLayer(); return 0;
    case 31: CreateLayer(); return 0;
    case 32: DeleteLayer(); return 0;
    case 33: GroupFromLayer(); return 0;
    case 34: return RemoveFromLayer();
    case 35: ChooseLayer(); return 0;
    case 36:
      // A view index outside 0..3 is ignored.
      if (command.value >= 0 && command.value <= 3) {
        FillView(command.value);
        RefreshView(command.value);
      }
      return 0;
    case 37: return LayerFromGroup();
    case 38: return DuplicateCommand();
    case 39: return SpecialObjectCommand();
    case 40: return LampSpecificMenu();
    case 41: return RotateLamp();
    case 42: return ScaleLamp();
    case 43: return TranslateLamp();
    case 44: return ExtraInfoCommand();
    case 45: return LoadSettings();
    case 46: SaveSettings(); return 0;
    case 47:
      command.value = OptionsDialog();
      return command.value;
    case 48: return KeyToSelected(command.value);
    case 49: EditViewGeneral(); return 0;
    case 50: command.value = mouseMode == 0 ? 1 : 0; return command.value;
    case 51: SelectTexture(); return 0;
    case 52: DeleteTexture(); return 0;
    case 53: SelectMappingType(); return 0;
    case 54: DropMapping(); return 0;
    case 55: ModifyMapping(); return 0;
    case 56: EndMappingEdit(); return 0;
    case 57: return BeginMappingEdit();
    case 58: ResetFrame(); return 0;
    case 59: return SetFrame();
    case 60: return AnimationOptions();
    case 61: ExportAnimation(); return 0;
    case 62:
      showAxes = showAxes != 0 ? 0 : 1;
      for (int v = 0; v < 4; ++v) {
        if (viewModes[v] >= 2 && viewModes[v] <= 4) {
          FillView(v);
          RefreshView(v);
        }
      }
      return 0;
    case 63:
      if (imports.TextTo3D) imports.TextTo3D(*this);
      return 0;
    case 64: UpdateTitle(); return 0;
    case 65: return NewScene();
    case 66: return LoadScene(text);
    case 67: return SaveScene();
    case 68: return SaveSceneAs(text);
    case 69: MergeScene(text); return 0;
    case 70: return Import(imports.CaricaFlagPolyline, *this, text);
    case 71: return Import(imports.ImportRaw, *this, text);
    case 72: return Import(imports.ImportRawPoints, *this, text);
    case 73: return Import(imports.ImportRawPoints2D, *this, text);
    case 74: command.value = activeView; return command.value;
    case 75:
      ProjectAllItems();
      for (int v = 0; v < 4; ++v) {
        FillView(v);
        RefreshView(v);
      }
      return 0;
    case 76: command.value = modified; return command.value;
    case 77: animationOn = command.value; return 0;
    case 78:
      // Only a view index or -1 (none): anything else would index past the views.
      if (command.value >= -1 && command.value <= 3) activeView = command.value;
      return 0;
    case 79: return OpenPrologConsole();
    case 80: return StartProlog();
    case 81: return SetLibraryDirectory(text);
    case 82: return MaterialLibraryDialog();
    case 83: return ParamLibraryDialog();
    case 84:
      if (objectEditing == 1) {
        objectEditing = 0;
        Status("Object editing disabled");
      } else {
        objectEditing = 1;
        Status("Object editing enabled");
      }
      return 0;
    case 85: return FieldLibraryDialog();
    case 86: return FitViewToObject();
    default: return 0;
  }
}
