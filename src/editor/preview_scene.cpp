#include "editor/preview_scene.h"

#include <fstream>
#include <string>
#include <system_error>

#include "foundation/path_resolver.h"
#include "geometry/bitmap_manager.h"
#include "models/registry.h"
#include "scene/material.h"

namespace zavo {

namespace fs = std::filesystem;

WorkingDirectoryGuard::WorkingDirectoryGuard(const fs::path& dir) {
  std::error_code error;
  previous_ = fs::current_path(error);
  known_ = !error;
  if (!known_) return;
  fs::current_path(dir, error);
  changed_ = !error;
}

WorkingDirectoryGuard::~WorkingDirectoryGuard() {
  std::error_code ignored;
  if (changed_) fs::current_path(previous_, ignored);
}

fs::path AbsolutePath(const char* text) {
  const fs::path path = PathFromName(text != nullptr ? text : "");
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute;
}

namespace {

// A search path for the preview scene: empty stays empty.
std::string SearchPath(const char* text) {
  return text == nullptr || *text == '\0' ? std::string() : AbsolutePath(text).string();
}

}  // namespace

PreviewScene::FilledRegistry::FilledRegistry() { BuildRegistry(modules); }

PreviewScene::PreviewScene(const CG_GraphicScene& editorScene)
    : library_(AbsolutePath(editorScene.GetLibraryDir())),
      interface_(editorScene.GetInterface()),
      scene_(registry_.modules) {
  scene_.SetInterface(&interface_);
  scene_.SetTexturePath(SearchPath(editorScene.GetTexturePath()).c_str());
  scene_.SetModelPath(SearchPath(editorScene.GetModelPath()).c_str());
  scene_.SetLibraryDir(library_.string().c_str());
}

int PreviewScene::Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return in.is_open() && scene_.Get(in) != 0 ? 1 : 0;
}

CG_MaterialPhong* PreviewScene::PreviewMaterial() {
  CG_NamedMaterial* named = scene_.GetMaterials().Find("preview");
  return named != nullptr ? dynamic_cast<CG_MaterialPhong*>(named->model) : nullptr;
}

int PreviewScene::Render(const fs::path& output, int side, BitmapManager& image) {
  scene_.SetDimX(side);
  scene_.SetDimY(side);
  if (scene_.SetOutputImage(output.string().c_str()) == 0) return 0;
  scene_.Render();
  scene_.ClearOutputImage();
  if (scene_.RenderSucceeded() == 0) return 0;
  fs::path file = output;
  file += ".bmp";
  BitmapManager loaded;
  if (loaded.Load(file) == 0) return 0;
  image = loaded;
  return 1;
}

}  // namespace zavo
