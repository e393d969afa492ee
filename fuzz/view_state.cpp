// Reads arbitrary bytes as the view file _viewdt1 of a small document (a
// camera and two boxes). The reader must never crash nor hang: whatever it
// takes, the world boxes stay finite and what the document writes back reads
// again to the same boxes and display settings.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "editor/graphic_editor.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

CG_GraphicEditor& Document() {
  static std::unique_ptr<CG_GraphicEditor> editor = [] {
    auto made = CG_GraphicEditor::Create(0);
    std::istringstream in(
        "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
        "{ object name b2; model { box xmin -1; xmax 1; ymin -2; ymax 2; zmin -3; zmax 3; } }\n.\n");
    made->scene.Get(in);
    for (CG_GraphicObject& object : made->scene.GetObjects()) {
      if (made->FindItem(&object) == nullptr) made->CreateItem(&object);
    }
    return made;
  }();
  return *editor;
}

std::string Settings(const CG_GraphicEditor& editor) {
  std::ostringstream out;
  for (const CG_SceneEditorItem& item : editor.items) {
    out << item.display.style << ' ' << item.display.fastview << ' ' << item.display.centre << '\n';
  }
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CG_GraphicEditor& editor = Document();
  for (auto& box : editor.viewBoxes) {
    const double start[6] = {-10, -10, -10, 10, 10, 10};
    std::copy(start, start + 6, box);
  }
  for (CG_SceneEditorItem& item : editor.items) item.display.Init();

  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  editor.ReadViewState(in);
  for (const auto& box : editor.viewBoxes) {
    for (double value : box) Check(std::isfinite(value));
  }

  // Values near the largest double may round up past it at six digits.
  for (const auto& box : editor.viewBoxes) {
    for (double value : box) {
      if (std::abs(value) > 1e300) return 0;
    }
  }
  double boxes[4][6];
  std::copy(&editor.viewBoxes[0][0], &editor.viewBoxes[0][0] + 24, &boxes[0][0]);
  const std::string settings = Settings(editor);
  std::ostringstream written;
  editor.WriteViewState(written);
  std::istringstream again(written.str());
  Check(editor.ReadViewState(again) == 1);
  Check(Settings(editor) == settings);
  for (int v = 0; v < 4; ++v) {
    for (int k = 0; k < 6; ++k) {
      const double a = boxes[v][k];
      Check(std::abs(editor.viewBoxes[v][k] - a) <= std::abs(a) * 1e-5 + 1e-300);
    }
  }
  return 0;
}
