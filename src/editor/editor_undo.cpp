// The modified flag and the undo history: every UndoFreq-th change of a named
// document writes the whole scene as the next snapshot N.qzd/editor/undo/uNNNNN.qz
// and its number to N.qzd/editor/undo/index. Snapshots are a history kept on
// disk: nothing reads them back and nothing deletes them.

#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <system_error>

#include "editor/graphic_editor.h"

namespace {

// The last snapshot number in the index text: one integer of at least -1
// with nothing but white space around it; anything else counts as -1.
long long LastSnapshotNumber(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (begin < end && blank(*begin)) ++begin;
  while (end > begin && blank(end[-1])) --end;
  long long value = -1;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || value < -1) return -1;
  // The next number must still be representable.
  if (value == std::numeric_limits<long long>::max()) return -1;
  return value;
}

std::string SnapshotFileName(long long number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  return "u" + digits + ".qz";
}

}  // namespace

int CG_GraphicEditor::NotifyChange() {
  if (mouseMode != 0) return 0;
  BeginWait();
  return 1;
}

void CG_GraphicEditor::SetModified() {
  modified = 1;
  TakeUndoSnapshot();
  if (named == 1) {
    std::error_code ignored;
    std::filesystem::remove(DocumentFile(".qz_"), ignored);
  }
  EndWait();
}

void CG_GraphicEditor::TakeUndoSnapshot() {
  if (options.UseUndo == 0) return;
  if (named == 1) {
    SaveUndo(name.Text());
    return;
  }
  Message("No name.Cannot undo.");
}

int CG_GraphicEditor::SaveUndo(const char* documentName) {
  if (options.UseUndo == 0 || documentName == nullptr || *documentName == '\0') return 0;
  ++undoCounter;
  if (undoCounter < options.UndoFreq) return 0;
  undoCounter = 0;
  Status("Saving data for undo");
  const std::filesystem::path folder = std::filesystem::path(std::string(documentName) + ".qzd") / "editor" / "undo";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);

  const std::filesystem::path index = folder / "index";
  long long last = -1;
  if (std::ifstream in(index, std::ios::binary); in) {
    std::ostringstream text;
    text << in.rdbuf();
    last = LastSnapshotNumber(text.str());
  }
  // A damaged index must never make a snapshot replace an older one.
  long long number = last + 1;
  std::error_code error;
  while (std::filesystem::exists(folder / SnapshotFileName(number), error) ||
         std::filesystem::is_symlink(folder / SnapshotFileName(number), error)) {
    if (number == std::numeric_limits<long long>::max()) return 0;
    ++number;
  }
  const std::string indexText = std::to_string(number) + "\n";
  if (WriteDocumentFile(index, [&](std::ostream& out) { return static_cast<bool>(out << indexText); }) == 0) {
    return 0;
  }
  return WriteDocumentFile(folder / SnapshotFileName(number), [&](std::ostream& out) {
    scene.Write(out);
    return static_cast<bool>(out);
  });
}
