#include "win/shell_settings.h"

#include <algorithm>
#include <fstream>
#include <ostream>
#include <string>
#include <system_error>

#include "editor/back_to_editor.h"
#include "foundation/atomic_file.h"
#include "win/message_box.h"
#include "win/profile_file.h"
#include "win/win_ini.h"
#include "win/win_qz_interface.h"

namespace zavo {
namespace {

constexpr const char* kInstallation = "Installation";

void Send(BackToEditor& editor, int code) {
  EDCommand command;
  command.code = code;
  editor.Command(command);
}

// The named file exists and can be read.
bool Readable(const std::filesystem::path& file) {
  std::error_code error;
  if (file.empty() || std::filesystem::is_directory(file, error)) return false;
  std::ifstream in(file, std::ios::binary);
  return in.is_open();
}

std::string DefaultSettingsText(const std::string& programDir, const std::string& libraryParent) {
  return "[View]\n"
         "DimPixel=1\n"
         "CBitmap=1\n"
         "LowMem=1\n"
         "\n"
         "[Dir]\n"
         "TextureDir=" + programDir + "texture\n"
         "ModelDir=" + programDir + "model\n"
         "LibraryDir=" + libraryParent + "library\n";
}

std::string WithSlash(const std::filesystem::path& dir) {
  std::string s = dir.string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

// Copies the program's library into the directory; files already there (a
// copy the user may have changed) are kept.
bool CopyLibrary(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  if (!std::filesystem::is_directory(from, error)) return true;  // nothing ships: nothing to copy
  std::filesystem::create_directories(to, error);
  if (error) return false;
  std::filesystem::copy(from, to,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing,
                        error);
  return !error;
}

}  // namespace

int UsedDimPixel(const ShellSettings& s) { return std::max(1, s.dimPixel); }
int UsedTextQuality(const ShellSettings& s) { return std::max(1, s.textQuality); }

ShellDirectories ReadShellDirectories() {
  ShellDirectories d;
  d.settingsFile = SettingsFilePath().string();
  if (d.settingsFile.empty()) return d;
  d.modelDir = ReadProfileString(d.settingsFile, "Dir", "ModelDir", ".");
  d.textureDir = ReadProfileString(d.settingsFile, "Dir", "TextureDir", ".");
  d.libraryDir = ReadProfileString(d.settingsFile, "Dir", "LibraryDir", ".");
  d.testDB = ReadProfileInt(d.settingsFile, "Edit", "TestDB", 0);
  return d;
}

ShellSettings ReadShellSettings(BackToEditor& editor, const std::string& programDir, wxWindow* owner) {
  ShellSettings s;
  const std::filesystem::path file = SettingsFilePath();
  if (!Readable(file)) {
    WriteDefaultSettings(programDir, owner);
    return s;
  }
  Send(editor, 45);
  s.convertText = ReadProfileInt(file, "Editor", "ConvertText", 1);
  s.textQuality = ReadProfileInt(file, "Editor", "TextQuality", 4);
  s.dimPixel = ReadProfileInt(file, "View", "DimPixel", 1);
  s.cBitmap = ReadProfileInt(file, "View", "CBitmap", 1);
  s.multiTask31 = ReadProfileInt(file, "View", "MultiTask31", 0);
  return s;
}

bool WriteShellSettings(BackToEditor& editor, const ShellSettings& s) {
  const std::filesystem::path file = SettingsFilePath();
  Send(editor, 46);
  if (file.empty()) return false;
  const struct {
    const char* section;
    const char* key;
    int value;
  } keys[] = {
      {"Editor", "ConvertText", s.convertText}, {"Editor", "TextQuality", s.textQuality},
      {"View", "DimPixel", s.dimPixel},         {"View", "CBitmap", s.cBitmap},
      {"View", "MultiTask31", s.multiTask31},
  };
  bool ok = true;
  for (const auto& k : keys) ok = WriteProfileString(file, k.section, k.key, std::to_string(k.value)) && ok;
  return ok;
}

void ApplyShellSettings(const ShellSettings& s, VirtualEditor& holder, WinQZInterface& sink) {
  holder.ConvertText = s.convertText;
  holder.TextQuality = UsedTextQuality(s);
  sink.peek = s.multiTask31;
}

bool DirectoryWritable(const std::filesystem::path& dir) {
  std::error_code error;
  return CanWriteFileAtomically(dir / ".zavo-write-test", error);
}

FirstRunResult WriteDefaultSettings(const std::string& programDir, wxWindow* owner,
                                    const std::function<bool(const std::filesystem::path&)>& writable) {
  FirstRunResult r;
  const std::filesystem::path winIni = WinIniPath();
  std::string libraryParent = programDir;
  std::filesystem::path failed;  // what could not be written
  if (writable(programDir)) {
    r.settingsFile = programDir + "vnz.ini";
  } else {
    // An installed program: the settings and a copy of the library go to the
    // user's configuration directory.
    const std::filesystem::path config = winIni.empty() ? std::filesystem::path() : winIni.parent_path();
    libraryParent = WithSlash(config);
    r.settingsFile = libraryParent + "vnz.ini";
    std::error_code error;
    if (config.empty() || (std::filesystem::create_directories(config, error), error)) {
      failed = r.settingsFile;
    } else if (!CopyLibrary(programDir + "library", config / "library")) {
      failed = config / "library";
    }
  }
  if (failed.empty() && !WriteWinIni(kWinIniSection, kWinIniKey, r.settingsFile.c_str())) failed = winIni;
  if (failed.empty()) {
    const std::string text = DefaultSettingsText(programDir, libraryParent);
    r.written = WriteFileAtomically(r.settingsFile, [&](std::ostream& out) {
      out << text;
      return true;
    });
    if (!r.written) failed = r.settingsFile;
  }
  if (r.written) {
    r.message = "'VNZ.INI' file written.\nNow you must restart the program.";
  } else {
    // No entry may be left naming a file that is not there.
    if (!SettingsFilePath().empty()) WriteWinIni(kWinIniSection, kWinIniKey, "");
    r.message = "Cannot write " + failed.string();
  }
  ShowMessageBox(owner, wxString::FromUTF8(r.message), kInstallation, BoxButtons::Ok);
  return r;
}

}  // namespace zavo
