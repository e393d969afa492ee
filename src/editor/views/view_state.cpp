// The view file N.qzd/editor/_viewdt1: the four views' world boxes and every
// item's display settings, so that a scene reopens as it was left. One value
// a line: "4", 24 reals (view 0 to 3, minimum x y z then maximum x y z), the
// item count, then per item its object's name, style, fastview value, centre
// flag and an empty line.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "editor/graphic_editor.h"

namespace {

// Whitespace-separated words of a text, one after the other.
class Words {
public:
  explicit Words(std::string text) : text_(std::move(text)) {}

  // The next word; false at the end of the text.
  bool Next(std::string_view& word) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    while (at_ < text_.size() && blank(text_[at_])) ++at_;
    if (at_ >= text_.size()) return false;
    const std::size_t begin = at_;
    while (at_ < text_.size() && !blank(text_[at_])) ++at_;
    word = std::string_view(text_).substr(begin, at_ - begin);
    return true;
  }
  template <class Number>
  bool NextNumber(Number& value) {
    std::string_view word;
    if (!Next(word)) return false;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
  }

private:
  std::string text_;
  std::size_t at_ = 0;
};

std::filesystem::path EditorFolderOf(const CG_GraphicEditor& editor) {
  return editor.DocumentFile(".qzd") / "editor";
}

bool HasName(const CG_GraphicEditor& editor) { return editor.name.Text() != nullptr && *editor.name.Text() != '\0'; }

}  // namespace

void CG_GraphicEditor::WriteViewState(std::ostream& out) const {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << "4\n";
  for (const auto& box : viewBoxes) {
    for (double value : box) text << value << '\n';
  }
  long count = 0;
  for (const CG_SceneEditorItem& item : items) count += item.object != nullptr ? 1 : 0;
  text << count << '\n';
  for (const CG_SceneEditorItem& item : items) {
    if (item.object == nullptr) continue;
    const char* objectName = item.object->name.Text();
    text << (objectName != nullptr ? objectName : "") << '\n';
    text << item.display.style << '\n' << item.display.fastview << '\n' << item.display.centre << "\n\n";
  }
  out << text.str();
}

int CG_GraphicEditor::ReadViewState(std::istream& in) {
  std::ostringstream buffer;
  buffer << in.rdbuf();
  Words words(buffer.str());
  int count = 0;
  if (!words.NextNumber(count) || count != 4) return 0;
  double boxes[4][6];
  for (auto& box : boxes) {
    for (double& value : box) {
      // Damaged world boxes leave the views as they are.
      if (!words.NextNumber(value) || !std::isfinite(value)) return 0;
    }
  }
  std::copy(&boxes[0][0], &boxes[0][0] + 24, &viewBoxes[0][0]);

  long long records = 0;
  if (!words.NextNumber(records)) return 1;
  // Of several items with one name, the last one gets the record.
  std::unordered_map<std::string_view, CG_SceneEditorItem*> byName;
  for (CG_SceneEditorItem& item : items) {
    if (item.object != nullptr && item.object->name.Text() != nullptr) byName[item.object->name.Text()] = &item;
  }
  for (long long k = 0; k < records; ++k) {
    std::string_view objectName;
    IntTriple display;
    if (!words.Next(objectName) || !words.NextNumber(display.style) || !words.NextNumber(display.fastview) ||
        !words.NextNumber(display.centre)) {
      break;
    }
    const auto found = byName.find(objectName);
    if (found == byName.end()) continue;
    found->second->display.style = display.style;
    found->second->display.fastview = display.fastview;
    found->second->display.centre = display.centre;
  }
  return 1;
}

int CG_GraphicEditor::SaveViews() {
  if (!HasName(*this)) return 0;
  const std::filesystem::path folder = EditorFolderOf(*this);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return WriteDocumentFile(folder / "_viewdt1", [&](std::ostream& out) {
    WriteViewState(out);
    return static_cast<bool>(out);
  });
}

int CG_GraphicEditor::LoadViews() {
  if (!HasName(*this)) return 0;
  const std::filesystem::path folder = EditorFolderOf(*this);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  std::ifstream in(folder / "_viewdt1", std::ios::binary);
  if (in && ReadViewState(in) != 0) return 1;
  FitViewsToScene();
  return 0;
}

void CG_GraphicEditor::FitViewsToScene() {
  bool any = false;
  GEO_Box all;
  for (const CG_SceneEditorItem& item : items) {
    GEO_Box box;
    if (item.object == nullptr || CG_GraphicObject::GetBox(item.object, box) == 0) continue;
    const double values[6] = {box.xmin, box.ymin, box.zmin, box.xmax, box.ymax, box.zmax};
    if (!std::all_of(values, values + 6, [](double v) { return std::isfinite(v); })) continue;
    if (!any) {
      all = box;
      any = true;
      continue;
    }
    all.xmin = std::min(all.xmin, box.xmin);
    all.ymin = std::min(all.ymin, box.ymin);
    all.zmin = std::min(all.zmin, box.zmin);
    all.xmax = std::max(all.xmax, box.xmax);
    all.ymax = std::max(all.ymax, box.ymax);
    all.zmax = std::max(all.zmax, box.zmax);
  }
  if (!any) return;
  const double cx = (all.xmin + all.xmax) / 2;
  const double cy = (all.ymin + all.ymax) / 2;
  const double cz = (all.zmin + all.zmax) / 2;
  const double extent = std::max({all.xmax - all.xmin, all.ymax - all.ymin, all.zmax - all.zmin});
  double half = extent * 1.1 * 0.5;
  if (!std::isfinite(half)) return;
  if (half == 0) half = 1;
  for (auto& box : viewBoxes) {
    box[0] = cx - half;
    box[1] = cy - half;
    box[2] = cz - half;
    box[3] = cx + half;
    box[4] = cy + half;
    box[5] = cz + half;
  }
}
