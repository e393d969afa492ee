// The ray-traced preview of a library material: the material read into a
// scene of its own together with a preview scene that shows it under the
// name "preview".

#include <stdlib.h>

#include <fstream>
#include <string>
#include <system_error>

#include "editor/graphic_editor.h"
#include "foundation/path_resolver.h"
#include "models/registry.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kPreviewError = "Error in preview";

// Changes the working directory and restores the previous one when it goes
// away, whichever way the preview ends.
class WorkingDirectoryGuard {
public:
  explicit WorkingDirectoryGuard(const fs::path& dir) : previous_(fs::current_path(error_)) {
    std::error_code ignored;
    if (!error_) fs::current_path(dir, ignored);
  }
  ~WorkingDirectoryGuard() {
    std::error_code ignored;
    if (!error_) fs::current_path(previous_, ignored);
  }
  WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
  WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

private:
  std::error_code error_;
  fs::path previous_;
};

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

// The path of a text (with "\" read as "/") made absolute, so that it keeps
// its meaning in another working directory.
fs::path AbsolutePath(const char* text) {
  const fs::path path = zavo::PathFromName(text != nullptr ? text : "");
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute;
}

// A search path for the preview scene: empty stays empty.
charString SearchPath(const char* text) {
  return text == nullptr || *text == '\0' ? charString(text) : charString(AbsolutePath(text).string().c_str());
}

// Reads a scene file into the scene: 1 on success.
int ReadInto(CG_GraphicScene& scene, const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return in.is_open() && scene.Get(in) != 0 ? 1 : 0;
}

// The preview in its own scene; the image when the render left one. Runs
// with the preview folder as working directory.
int RenderPreview(CG_GraphicScene& scene, const fs::path& materialFile, const fs::path& previewFile,
                  const char* materialName, int side, BitmapManager& image) {
  if (ReadInto(scene, materialFile) == 0) return 0;
  for (CG_NamedMaterial& material : scene.GetMaterials()) {
    if (material.name == materialName) material.name = "preview";
  }
  if (ReadInto(scene, previewFile) == 0) return 0;
  const fs::path& scratch = ScratchDirectory();
  if (scratch.empty()) return 0;
  const fs::path output = scratch / "preview";
  scene.SetDimX(side);
  scene.SetDimY(side);
  if (scene.SetOutputImage(output.string().c_str()) == 0) return 0;
  scene.Render();
  scene.ClearOutputImage();
  fs::path file = output;
  file += ".bmp";
  const int loaded = image.Load(file);
  std::error_code ignored;
  fs::remove(file, ignored);
  return loaded;
}

}  // namespace

int CG_GraphicEditor::MakeMaterialPreview(BitmapManager& image, const char* materialName) {
  if (materialName == nullptr) return 0;
  const fs::path library = AbsolutePath(scene.GetLibraryDir());
  const fs::path previewFolder = library / "mpreview";
  const std::string previewType = options.PreviewType.Text() != nullptr ? options.PreviewType.Text() : "";
  BitmapManager rendered;
  int ok = 0;
  try {
    CG_ModelRegistry previewRegistry;
    BuildRegistry(previewRegistry);
    CG_GraphicScene preview(previewRegistry);
    preview.SetTexturePath(SearchPath(scene.GetTexturePath()));
    preview.SetModelPath(SearchPath(scene.GetModelPath()));
    preview.SetLibraryDir(library.string().c_str());
    const WorkingDirectoryGuard inPreviewFolder(previewFolder);
    ok = RenderPreview(preview, library / "material" / (std::string(materialName) + ".qz"),
                       previewFolder / (previewType + ".qz"), materialName, PreviewPixels(), rendered);
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
