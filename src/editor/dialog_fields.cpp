#include "editor/dialog_fields.h"

#include <string>

#include "editor/number_prefix.h"
#include "editor/text_routines.h"
#include "foundation/number_text.h"
#include "foundation/path_resolver.h"

namespace zavo {

ListBox_obj& AddListBox(gcg_list& controls, const char* label, std::initializer_list<const char*> entries,
                        const char* selected) {
  auto& list = AddControl<ListBox_obj>(controls, label);
  list.entries.SetSize(static_cast<std::uint32_t>(entries.size()));
  std::uint32_t i = 0;
  for (const char* entry : entries) list.entries[i++] = entry;
  list.selected = selected;
  return list;
}

Edit_obj& AddRealEdit(gcg_list& controls, const char* label, double value) {
  return AddControl<Edit_obj>(controls, label, RealToText(value).Text());
}

Edit_obj& AddIntEdit(gcg_list& controls, const char* label, int value) {
  return AddControl<Edit_obj>(controls, label, IntToText(value).Text());
}

bool HasText(const charString& text) { return text.Text() != nullptr && text.Text()[0] != '\0'; }

double TextToReal(const charString& text) { return RealPrefix(text.Text() != nullptr ? text.Text() : ""); }

int TextToInt(const charString& text) { return SaturateToInt(TextToReal(text)); }

std::filesystem::path LibraryFolder(const char* libraryDir, const char* library) {
  return PathFromName(libraryDir != nullptr ? libraryDir : "") / library;
}

Seq<charString> LibraryEntries(const std::filesystem::path& folder) {
  Seq<charString> names;
  LoadDirectoryList(folder, names);
  std::uint32_t kept = 0;
  for (std::uint32_t i = 0; i < names.Count(); ++i) {
    const std::string name = names[i].Text();
    const std::size_t n = name.size();
    const bool qz = n > 3 && name[n - 3] == '.' && (name[n - 2] == 'q' || name[n - 2] == 'Q') &&
                    (name[n - 1] == 'z' || name[n - 1] == 'Z');
    if (qz) names[kept++] = name.substr(0, n - 3).c_str();
  }
  names.Resize(kept);
  return names;
}

}  // namespace zavo
