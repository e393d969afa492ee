#pragma once

// The shell's own settings in the settings file that win.ini names (section
// "Vnz", key "Ini"): the view options DimPixel, CBitmap and MultiTask31, the
// 3-D text options ConvertText and TextQuality, the directories and TestDB.
// The editor keeps its own sections in the same file; the shell asks it to
// load them (request 45) and save them (request 46).
//
// A start without a usable settings file is a first run: it writes a new
// settings file with the defaults, names it in win.ini and asks for a restart.

#include <filesystem>
#include <functional>
#include <string>

class BackToEditor;
class Dialog_obj;
class VirtualEditor;
class WinQZInterface;
class wxWindow;

namespace zavo {

// The values as stored: a value below 1 is kept as entered (see the Used...
// functions for what the window and the editor work with).
struct ShellSettings {
  int dimPixel = 1;
  int cBitmap = 1;
  int multiTask31 = 0;
  int convertText = 1;
  int textQuality = 4;
};

// The side of an image pixel on the screen and the 3-D text quality as used:
// at least 1.
int UsedDimPixel(const ShellSettings& s);
int UsedTextQuality(const ShellSettings& s);

// The settings file's directories and the test switch, each with its default
// when the file or the key is missing; settingsFile is win.ini's entry.
struct ShellDirectories {
  std::string settingsFile;
  std::string modelDir = ".";
  std::string textureDir = ".";
  std::string libraryDir = ".";
  int testDB = 0;
};
ShellDirectories ReadShellDirectories();

// Reads the settings at start. Without a win.ini entry, or when the file it
// names cannot be read, runs the first run (WriteDefaultSettings) and answers
// the defaults; otherwise sends request 45, then reads the five values.
// programDir ends in "/"; owner owns the message box (may be null).
ShellSettings ReadShellSettings(BackToEditor& editor, const std::string& programDir, wxWindow* owner);

// Sends request 46, then writes ConvertText, TextQuality (section "Editor"),
// DimPixel, CBitmap and MultiTask31 (section "View") in this order. False
// when win.ini names no settings file or a key could not be written.
bool WriteShellSettings(BackToEditor& editor, const ShellSettings& s);

// The copies the others work with: ConvertText and the used TextQuality go
// to the editor holder, MultiTask31 to the render sink's peek flag.
void ApplyShellSettings(const ShellSettings& s, VirtualEditor& holder, WinQZInterface& sink);

// The "Interface options" dialog: DimPix, CBitmap, MultiTask31, ConvertText,
// TextQuality. On OK the values change (an empty number text keeps the old
// value, other texts are read as integers) and WriteShellSettings runs: 1.
// On Cancel nothing changes: 0.
int RunInterfaceOptions(Dialog_obj& dialog, BackToEditor& editor, ShellSettings& s);

// What a first run did.
struct FirstRunResult {
  std::filesystem::path settingsFile;  // the file written (or tried)
  bool written = false;
  std::string message;  // the text of the "Installation" box
};

// Whether a file can be created in the directory.
bool DirectoryWritable(const std::filesystem::path& dir);

// The first run: the settings file "vnz.ini" with the default view values
// and the directories texture, model and library of the program directory,
// named in win.ini. When the program directory is not writable, the file
// goes beside win.ini and the program's library directory is copied there
// (LibraryDir names the copy). A file that cannot be written is reported
// ("Cannot write " and the path) and leaves no win.ini entry behind.
// Shows the box titled "Installation" and goes on.
FirstRunResult WriteDefaultSettings(
    const std::string& programDir, wxWindow* owner,
    const std::function<bool(const std::filesystem::path&)>& writable = DirectoryWritable);

}  // namespace zavo
