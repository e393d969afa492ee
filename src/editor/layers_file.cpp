// Reading and writing the layers file of a document.

#include "editor/layers_file.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>
#include <system_error>

#include "editor/graphic_editor.h"
#include "foundation/atomic_file.h"

namespace zavo {

namespace {

// A count word: a decimal integer (negative counts as 0); false when the
// word is not one.
bool ParseCount(const std::string& word, long long& count) {
  if (word.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(word.c_str(), &end, 10);
  if (end == word.c_str() || *end != '\0') return false;
  if (errno == ERANGE) return value > 0 ? (count = value, true) : (count = 0, true);
  count = value < 0 ? 0 : value;
  return true;
}

CG_SceneEditorItem* FirstItemNamed(const DblList<CG_SceneEditorItem>& items, const std::string& name) {
  for (CG_SceneEditorItem& item : items) {
    if (item.object != nullptr && item.object->name == name.c_str()) return &item;
  }
  return nullptr;
}

// The next word; false at the end of the text or at a word holding a NUL
// byte, which no name can hold: the data is damaged from there on.
bool NextWord(std::istream& in, std::string& word) {
  if (!(in >> word)) return false;
  return word.find('\0') == std::string::npos;
}

std::filesystem::path LayersFile(const char* documentName) { return EditorFolder(documentName) / "layers"; }

}  // namespace

std::filesystem::path EditorFolder(const char* documentName) {
  return std::filesystem::path(std::string(documentName != nullptr ? documentName : "") + ".qzd") / "editor";
}

bool MakeEditorFolder(const char* documentName) {
  std::error_code error;
  const std::filesystem::path folder = EditorFolder(documentName);
  std::filesystem::create_directories(folder, error);
  return !error && std::filesystem::is_directory(folder, error);
}

void WriteLayersText(std::ostream& os, const DblList<Layer>& layers) {
  long count = 0;
  for (const Layer& layer : layers) {
    (void)layer;
    ++count;
  }
  os << count << '\n';
  for (const Layer& layer : layers) {
    os << (layer.name.Text() != nullptr ? layer.name.Text() : "") << '\n';
    long entries = 0;
    for (const LayerItem& entry : layer.items) {
      (void)entry;
      ++entries;
    }
    os << entries << '\n';
    for (const LayerItem& entry : layer.items) {
      const char* objectName = entry.item != nullptr && entry.item->object != nullptr ? entry.item->object->name.Text()
                                                                                         : nullptr;
      os << (objectName != nullptr ? objectName : "") << '\n';
    }
  }
}

void ReadLayersText(std::istream& in, const DblList<CG_SceneEditorItem>& items, DblList<Layer>& layers) {
  std::string word;
  long long layerCount = 0;
  if (!NextWord(in, word) || !ParseCount(word, layerCount)) return;
  for (long long l = 0; l < layerCount; ++l) {
    if (!NextWord(in, word)) return;
    auto* layer = new Layer(word.c_str());
    layers.Append(layer);
    long long entryCount = 0;
    if (!NextWord(in, word) || !ParseCount(word, entryCount)) return;
    for (long long e = 0; e < entryCount; ++e) {
      if (!NextWord(in, word)) return;
      if (CG_SceneEditorItem* item = FirstItemNamed(items, word); item != nullptr) layer->Add(item);
    }
  }
}

}  // namespace zavo

int CG_GraphicEditor::LoadLayers() {
  if (named == 0 || name.Text() == nullptr) return 0;
  zavo::MakeEditorFolder(name.Text());
  std::ifstream in(zavo::LayersFile(name.Text()), std::ios::binary);
  if (!in) return 0;
  activeLayer = nullptr;
  layers.Clear();
  zavo::ReadLayersText(in, items, layers);
  return 1;
}

int CG_GraphicEditor::SaveLayers() {
  if (named == 0 || name.Text() == nullptr) return 0;
  const std::filesystem::path file = zavo::LayersFile(name.Text());
  const bool written = zavo::MakeEditorFolder(name.Text()) &&
                       zavo::WriteFileAtomically(file, [this](std::ostream& os) {
                         zavo::WriteLayersText(os, layers);
                         return true;
                       });
  if (written) return 1;
  Message(("Cannot write " + file.string()).c_str());
  return 0;
}
