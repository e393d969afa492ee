// The ray-traced preview of a library material: the material read into a
// scene of its own together with a preview scene that shows it under the
// name "preview".

#include <stdlib.h>

#include <string>
#include <system_error>

#include "editor/graphic_editor.h"
#include "editor/preview_scene.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kPreviewError = "Error in preview";

// A directory of this process only, made on first use under the system's
// temporary directory and removed (once empty) when the program ends. Empty
// when it cannot be made.
class ProcessScratchDirectory {
public:
  ProcessScratchDirectory() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) return;
    std::string pattern = (base / "zavo-preview-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ProcessScratchDirectory() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove(path_, ignored);
  }
  const fs::path& path() const { return path_; }

private:
  fs::path path_;
};

const fs::path& ScratchDirectory() {
  static const ProcessScratchDirectory directory;
  return directory.path();
}

// The preview in its own scene; the image when the render left one. Runs
// with the preview folder as working directory.
int RenderPreview(zavo::PreviewScene& preview, const char* materialName, const std::string& previewType,
                  int side, BitmapManager& image) {
  if (preview.Read(preview.Library() / "material" / (std::string(materialName) + ".qz")) == 0) return 0;
  for (CG_NamedMaterial& material : preview.Scene().GetMaterials()) {
    if (material.name == materialName) material.name = "preview";
  }
  if (preview.Read(preview.Folder() / (previewType + ".qz")) == 0) return 0;
  const fs::path& scratch = ScratchDirectory();
  if (scratch.empty()) return 0;
  const fs::path output = scratch / "preview";
  const int rendered = preview.Render(output, side, image);
  fs::path file = output;
  file += ".bmp";
  std::error_code ignored;
  fs::remove(file, ignored);
  return rendered;
}

}  // namespace

int CG_GraphicEditor::MakeMaterialPreview(BitmapManager& image, const char* materialName) {
  if (materialName == nullptr) return 0;
  const std::string previewType = options.PreviewType.Text() != nullptr ? options.PreviewType.Text() : "";
  BitmapManager rendered;
  int ok = 0;
  try {
    zavo::PreviewScene preview(scene);
    const zavo::WorkingDirectoryGuard inPreviewFolder(preview.Folder());
    ok = RenderPreview(preview, materialName, previewType, PreviewPixels(), rendered);
  } catch (...) {
    ok = 0;
  }
  if (ok == 0) {
    Message(kPreviewError);
    return 0;
  }
  image = rendered;
  return 1;
}
