// The editor options in the settings (requests 45 and 46).

#include <string>

#include "editor/graphic_editor.h"
#include "editor/number_prefix.h"
#include "editor/text_routines.h"
#include "foundation/number_text.h"

namespace {

constexpr const char* kPreview = "Editor.Preview";
constexpr const char* kView = "Editor.View";
constexpr const char* kEditor = "Editor";
constexpr const char* kDir = "Dir";
constexpr const char* kColourKeys[2][3] = {{"Backgroundr", "Backgroundg", "Backgroundb"},
                                           {"SelectedObjectr", "SelectedObjectg", "SelectedObjectb"}};

class SettingsReader {
public:
  explicit SettingsReader(CG_WinSupp& support) : support_(support) {}

  const char* Text(const char* section, const char* key, const char* defaultText) {
    value_ = nullptr;
    support_.ReadSetting(section, key, defaultText, value_);
    return value_.Text() != nullptr ? value_.Text() : "";
  }
  int Int(const char* section, const char* key, const char* defaultText) {
    return zavo::IntPrefix(Text(section, key, defaultText));
  }
  double Real(const char* section, const char* key, const char* defaultText) {
    return zavo::RealPrefix(Text(section, key, defaultText));
  }

private:
  CG_WinSupp& support_;
  charString value_;
};

void WriteInt(CG_WinSupp& support, const char* section, const char* key, int value) {
  support.WriteSetting(section, key, std::to_string(value).c_str());
}

void WriteReal(CG_WinSupp& support, const char* section, const char* key, double value) {
  support.WriteSetting(section, key, zavo::RealToText(value).Text());
}

}  // namespace

int CG_GraphicEditor::LoadSettings() {
  if (winSupp == nullptr) return 0;
  SettingsReader read(*winSupp);
  CG_GraphicEditorOptions& o = options;
  o.PreviewSize = read.Int(kPreview, "Size", "50");
  o.PreviewType = read.Text(kPreview, "Type", "fast");
  o.KeepEdge = read.Int(kView, "KeepEdge", "1");
  o.UseColor = read.Int(kView, "UseColor", "1");
  o.DirectDraw = read.Int(kView, "DirectDraw", "0");
  o.ShowMode = read.Int(kView, "ShowMode", "1");
  for (int i = 0; i < 3; ++i) o.Background[i] = read.Real(kView, kColourKeys[0][i], "1");
  const char* selectedDefaults[3] = {"0", "1", "0"};
  for (int i = 0; i < 3; ++i) o.SelectedObject[i] = read.Real(kView, kColourKeys[1][i], selectedDefaults[i]);
  o.UseGrid = read.Int(kEditor, "UseGrid", "0");
  o.InvertY = read.Int(kEditor, "InvertY", "0");
  o.GridDim = read.Real(kEditor, "GridDim", "0.1");
  o.UseUndo = read.Int(kEditor, "UseUndo", "1");
  o.UndoFreq = zavo::SaturateToInt(read.Real(kEditor, "UndoFreq", "1"));
  scene.SetLibraryDir(read.Text(kDir, "LibraryDir", "."));
  return 0;
}

int CG_GraphicEditor::SaveSettings() {
  if (winSupp == nullptr) return 0;
  CG_WinSupp& s = *winSupp;
  const CG_GraphicEditorOptions& o = options;
  WriteInt(s, kPreview, "Size", o.PreviewSize);
  s.WriteSetting(kPreview, "Type", o.PreviewType.Text() != nullptr ? o.PreviewType.Text() : "");
  WriteInt(s, kView, "KeepEdge", o.KeepEdge);
  WriteInt(s, kView, "UseColor", o.UseColor);
  WriteInt(s, kView, "DirectDraw", o.DirectDraw);
  WriteInt(s, kView, "ShowMode", o.ShowMode);
  for (int i = 0; i < 3; ++i) WriteReal(s, kView, kColourKeys[0][i], o.Background[i]);
  for (int i = 0; i < 3; ++i) WriteReal(s, kView, kColourKeys[1][i], o.SelectedObject[i]);
  WriteInt(s, kEditor, "UseGrid", o.UseGrid);
  WriteReal(s, kEditor, "GridDim", o.GridDim);
  WriteInt(s, kEditor, "UseUndo", o.UseUndo);
  WriteInt(s, kEditor, "UndoFreq", o.UndoFreq);
  WriteInt(s, kEditor, "InvertY", o.InvertY);
  const char* library = scene.GetLibraryDir();
  s.WriteSetting(kDir, "LibraryDir", library != nullptr ? library : "");
  return 0;
}
