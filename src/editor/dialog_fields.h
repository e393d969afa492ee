#pragma once

// Filling run-time dialogs from values and reading the values back, shared by
// the editor's option, parameter and library dialogs. Numbers go through the
// locale-independent number-prefix conversion; reals are shown in the classic
// locale's default format.

#include <filesystem>
#include <initializer_list>
#include <utility>

#include "editor/dialog_controls.h"

namespace zavo {

// Appends a new control to the list and answers it.
template <class Control, class... Args>
Control& AddControl(gcg_list& controls, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)...);
  controls.Append(control);
  return *control;
}

// A list box with the entries in order and the selection preset to selected
// (null: no selection), whether or not it is one of the entries.
ListBox_obj& AddListBox(gcg_list& controls, const char* label, std::initializer_list<const char*> entries,
                        const char* selected);
// Edit fields showing a real ("0.001", "1000") or an integer.
Edit_obj& AddRealEdit(gcg_list& controls, const char* label, double value);
Edit_obj& AddIntEdit(gcg_list& controls, const char* label, int value);

// Whether the text holds at least one character.
bool HasText(const charString& text);
// The text's number prefix: a real, or that real truncated toward zero
// ("640.7" 640, "-1.5" -1, no number 0). A null text reads as "".
double TextToReal(const charString& text);
int TextToInt(const charString& text);

// The folder of a library: the library directory (with "\" read as "/")
// followed by the library's name.
std::filesystem::path LibraryFolder(const char* libraryDir, const char* library);
// The entries of a library folder: the names ending in ".qz" in either case,
// without that extension, in the order of LoadDirectoryList. A folder that
// cannot be listed has none.
Seq<charString> LibraryEntries(const std::filesystem::path& folder);

}  // namespace zavo
