// TEMP-I43A: stand-ins until the layers land; removed at that merge.
#include "editor/graphic_editor.h"
#include "editor/layers.h"
Layer* CG_GraphicEditor::NewLayer(const char* n) {
  if (FindLayer(n) != nullptr) return nullptr;
  auto* l = new Layer(n);
  layers.Append(l);
  return l;
}
Layer* CG_GraphicEditor::FindLayer(const char* n) const {
  for (Layer& l : layers) if (l.name == n) return &l;
  return nullptr;
}
int CG_GraphicEditor::SetActiveLayer(const char* n) {
  if (Layer* l = FindLayer(n)) activeLayer = l;
  UpdateTitle();
  return 1;
}
int CG_GraphicEditor::LoadLayers() { return 0; }
int CG_GraphicEditor::SaveLayers() { return 0; }
void CG_GraphicEditor::RedrawAll() {}
