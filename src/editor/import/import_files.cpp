#include "editor/import/import_files.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <ostream>

#include "editor/graphic_editor.h"
#include "foundation/atomic_file.h"
#include "foundation/path_resolver.h"

namespace zavo {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string MakeIdentifier(std::string_view name) {
  std::string id;
  if (name.empty() || IsDigit(name.front())) id += '_';
  for (const char c : name) id += (IsAsciiLetter(c) || IsDigit(c) || c == '_') ? c : '_';
  return id;
}

std::string BaseName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  double value = 0.0;
  const char* begin = text.data() + i;
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value, std::chars_format::general);
  (void)end;
  if (error != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

std::optional<std::ifstream> OpenInput(const std::string& path, const char* extension, std::string& fileName) {
  fileName = path + extension;
  std::ifstream in(fileName, std::ios::binary);
  if (in) return in;
  if (const auto found = ResolvePath(fileName); found && std::filesystem::is_regular_file(*found)) {
    std::ifstream other(*found, std::ios::binary);
    if (other) return other;
  }
  return std::nullopt;
}

bool WriteImportFile(CG_GraphicEditor& editor, const std::string& name,
                     const std::function<void(std::ostream&)>& write) {
  return editor.WriteDocumentFile(name, [&write](std::ostream& os) {
    os.imbue(std::locale::classic());
    write(os);
    return true;
  }) != 0;
}

}  // namespace zavo
