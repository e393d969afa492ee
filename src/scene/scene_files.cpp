// Finding the model side files and texture images that a scene names, and
// writing the scene text.

#include <filesystem>
#include <fstream>
#include <locale>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
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

// "<stem>.<extension>" with the stem spelled exactly and the extension in
// any case ("Wheel.BRP" for "Wheel" and "brp"): the file as written, else
// the first such entry of its directory in byte order.
std::optional<fs::path> WithAnyCaseExtension(const fs::path& stemPath, const std::string& extension) {
  const fs::path exact = fs::path(stemPath.string() + "." + extension);
  if (Opens(exact)) return exact;
  const std::string stem = stemPath.filename().string();
  if (stem.empty()) return std::nullopt;
  const fs::path dir = stemPath.parent_path();
  std::error_code error;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, error);
  if (error) return std::nullopt;
  std::optional<std::string> best;
  for (const fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    const std::string found = it->path().filename().string();
    const bool same = found.size() == stem.size() + 1 + extension.size() && found.compare(0, stem.size(), stem) == 0 &&
                      found[stem.size()] == '.' &&
                      zavo::SameIgnoringAsciiCase(std::string_view(found).substr(stem.size() + 1), extension);
    if (same && (!best || found < *best) && Opens(dir / found)) best = found;
  }
  if (!best) return std::nullopt;
  return dir / *best;
}

// "<name>.<extension>" in the working directory, then in the directory:
// first with the name exactly and the extension in any case, then the
// whole file name matched without regard to case.
charString FindFile(const char* name, const char* extension, const char* directory) {
  if (name == nullptr || extension == nullptr || name[0] == '\0') return charString();
  const std::string ext = extension;
  const std::size_t suffix = ext.size() + 1;
  std::optional<fs::path> folder;
  if (directory != nullptr && directory[0] != '\0') folder = zavo::PathFromName(directory);

  const fs::path stem = zavo::PathFromName(name);
  if (const auto found = WithAnyCaseExtension(stem, ext)) return WithoutExtension(*found, suffix);
  if (folder) {
    if (const auto found = WithAnyCaseExtension(*folder / stem, ext)) return WithoutExtension(*found, suffix);
  }

  const fs::path here = zavo::PathFromName(std::string(name) + "." + ext);
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
