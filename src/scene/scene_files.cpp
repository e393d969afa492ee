// Finding the model side files and texture images that a scene names, and
// writing the scene text.

#include <filesystem>
#include <fstream>
#include <locale>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "foundation/path_resolver.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

// Whether the path is a file that opens for reading.
bool Opens(const fs::path& file) {
  std::error_code error;
  if (fs::is_directory(file, error)) return false;
  std::ifstream in(file, std::ios::binary);
  return in.is_open();
}

// The path as found without its last extensionLength characters (".ext").
charString WithoutExtension(const fs::path& found, std::size_t extensionLength) {
  std::string text = found.string();
  text.resize(text.size() - extensionLength);
  return charString(text.c_str());
}

// "<name>.<extension>" in the working directory, then in the directory; each
// first as written, then matched without regard to case.
charString FindFile(const char* name, const char* extension, const char* directory) {
  if (name == nullptr || extension == nullptr || name[0] == '\0') return charString();
  const std::string file = std::string(name) + "." + extension;
  const std::size_t suffix = std::string(extension).size() + 1;
  std::optional<fs::path> folder;
  if (directory != nullptr && directory[0] != '\0') folder = zavo::PathFromName(directory);

  const fs::path here = zavo::PathFromName(file);
  if (Opens(here)) return WithoutExtension(here, suffix);
  if (folder && Opens(*folder / here)) return WithoutExtension(*folder / here, suffix);

  if (const auto found = zavo::ResolvePath(here); found && Opens(*found)) {
    return WithoutExtension(*found, suffix);
  }
  if (folder) {
    if (const auto found = zavo::ResolvePath(*folder / here); found && Opens(*found)) {
      return WithoutExtension(*found, suffix);
    }
  }
  return charString();
}

}  // namespace

charString CG_GraphicScene::FindModelFile(const char* name, const char* extension) const {
  return FindFile(name, extension, modelPath_.Text());
}

charString CG_GraphicScene::FindTextureFile(const char* name, const char* extension) const {
  return FindFile(name, extension, texturePath_.Text());
}

std::ostream& CG_GraphicScene::Write(std::ostream& os) const {
  // Numbers are written the same whatever locale the stream was given.
  const std::locale old = os.imbue(std::locale::classic());
  param_.Write(os);
  os << "\n";
  textures_.WriteAll(os);
  os << "\n";
  materials_.WriteAll(os);
  os << "\n";
  for (const CG_LightSource& lamp : lamps_) {
    lamp.Write(os);
    os << "\n";
  }
  for (const CG_GraphicObject& object : objects_) {
    object.Write(os);
    os << "\n";
  }
  os << ".\n";
  os.flush();
  os.imbue(old);
  return os;
}
