// Arbitrary bytes as the layers file of a small document: reading never
// fails, every entry refers to an item of the document, and what was read
// writes and reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor/layers_file.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

CG_GraphicEditor& Document() {
  static CG_GraphicEditor* editor = [] {
    auto* e = new CG_GraphicEditor(0);
    std::istringstream in(
        "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
        "{ object name b2; model { box xmin -1; xmax 1; ymin -2; ymax 2; zmin -3; zmax 3; } }\n.\n");
    e->scene.Get(in);
    for (const char* n : {"b1", "b2"}) e->CreateItem(e->scene.FindObject(n));
    return e;
  }();
  return *editor;
}

std::string Written(const DblList<Layer>& layers) {
  std::ostringstream os;
  zavo::WriteLayersText(os, layers);
  return os.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CG_GraphicEditor& editor = Document();
  DblList<Layer> layers;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  zavo::ReadLayersText(in, editor.items, layers);
  for (const Layer& layer : layers) {
    for (const LayerItem& entry : layer.items) {
      bool known = false;
      for (const CG_SceneEditorItem& item : editor.items) known = known || &item == entry.item;
      Check(known);
    }
  }
  const std::string once = Written(layers);
  DblList<Layer> again;
  std::istringstream in2(once);
  zavo::ReadLayersText(in2, editor.items, again);
  Check(Written(again) == once);
  return 0;
}
