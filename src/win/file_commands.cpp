// The application's file commands, the command-line scene and dropped files.

#include <cctype>
#include <filesystem>
#include <system_error>

#include <wx/filedlg.h>

#include "editor/dialog_controls.h"
#include "win/app_commands.h"

namespace zavo {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> RealChooser(wxWindow* owner, FileDialogKind kind) {
  const FileDialogSpec& spec = DialogSpec(kind);
  long style = spec.save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN;
  if (spec.mustExist) style |= wxFD_FILE_MUST_EXIST;
  wxFileDialog dialog(owner, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString,
                      wxString::FromUTF8(DialogWildcard(kind)), style);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return std::string(dialog.GetPath().utf8_str());
}

FileChooser& Chooser() {
  static FileChooser chooser = RealChooser;
  return chooser;
}

// Returns to the directory that was current when it was made.
class DirectoryKeeper {
public:
  DirectoryKeeper() : dir_(fs::current_path(error_)) {}
  ~DirectoryKeeper() { Restore(); }
  DirectoryKeeper(const DirectoryKeeper&) = delete;
  DirectoryKeeper& operator=(const DirectoryKeeper&) = delete;
  void Restore() {
    std::error_code ignored;
    if (!error_) fs::current_path(dir_, ignored);
  }

private:
  std::error_code error_;
  fs::path dir_;
};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (std::tolower(x) != std::tolower(y)) return false;
  }
  return true;
}

}  // namespace

const FileDialogSpec& DialogSpec(FileDialogKind kind) {
  static const FileDialogSpec specs[] = {
      {"All Files (*.QZ)|*.QZ|All Files (*.*)|*.*|", ".QZ", true, false},
      {"All Files (*.QZ)|*.QZ|All Files (*.*)|*.*|", ".QZ", false, true},
      {"All Files (*.DXF)|*.DXF|All Files (*.*)|*.*|", ".DXF", true, false},
      {"All Files (*.RAW)|*.RAW|All Files (*.*)|*.*|", ".RAW", true, false},
  };
  return specs[static_cast<int>(kind)];
}

std::string DialogWildcard(FileDialogKind kind) {
  const std::string upper = DialogSpec(kind).extension;
  std::string lower = upper;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return "All Files (*" + upper + ")|*" + lower + ";*" + upper + "|All Files (*.*)|*";
}

std::optional<std::string> ChooseFile(wxWindow* owner, FileDialogKind kind) {
  return Chooser()(owner, kind);
}

FileChooser SetFileChooser(FileChooser chooser) {
  FileChooser old = Chooser();
  Chooser() = chooser ? std::move(chooser) : FileChooser(RealChooser);
  return old;
}

std::string CutExtension(std::string_view name, std::string_view extension) {
  if (name.size() > extension.size() &&
      EqualIgnoringCase(name.substr(name.size() - extension.size()), extension)) {
    name.remove_suffix(extension.size());
  }
  return std::string(name);
}

std::optional<std::string> CommandLineScene(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) return std::nullopt;
  return arguments.front();
}

bool AppCommands::Serves(int id) {
  switch (id) {
    case 24331: case 24332: case 24339: case 24333: case 24334:
    case 102: case 143: case 144: case 2001: case 2002:
      return true;
    default:
      return false;
  }
}

void AppCommands::Run(int id) {
  if (host_.Busy()) return;
  switch (id) {
    case 24331:
    case 24339: host_.Send(65, nullptr); break;
    case 24332: Open(); break;
    case 24333: host_.Send(67, nullptr); break;
    case 24334: SaveAs(); break;
    case 102: InsertScene(); break;
    case 143: InsertDxf(); break;
    case 144: InsertRaw(); break;
    case 2001: ShowContents(); break;
    case 2002: ShowHelp("Using help"); break;
    default: break;
  }
}

void AppCommands::OpenScene(const std::string& name) {
  const std::string document = CutExtension(name, ".qz");
  host_.Send(66, document.c_str());
}

void AppCommands::OpenSceneInItsDirectory(const std::string& name) {
  if (host_.Busy()) return;
  // The name is made absolute first: a relative name would no longer denote
  // the file once its directory is the current one.
  std::error_code error;
  fs::path file = fs::absolute(fs::path(name), error);
  if (error) file = name;
  if (file.has_parent_path()) fs::current_path(file.parent_path(), error);
  OpenScene(file.string());
}

void AppCommands::OpenDroppedFiles(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    // A scene loaded while a render walks the old one could free what the
    // render uses.
    if (host_.Busy()) return;
    OpenSceneInItsDirectory(name);
    host_.RenderQuiet();
  }
}

void AppCommands::Open() {
  if (!host_.CanClose()) return;
  if (const auto name = ChooseFile(host_.Owner(), FileDialogKind::SceneOpen)) OpenScene(*name);
}

void AppCommands::SaveAs() {
  const auto name = ChooseFile(host_.Owner(), FileDialogKind::SceneSave);
  if (!name) return;
  const std::string document = CutExtension(*name, ".qz");
  host_.Send(68, document.c_str());
}

void AppCommands::InsertScene() {
  DirectoryKeeper keeper;
  if (const auto name = ChooseFile(host_.Owner(), FileDialogKind::SceneOpen)) {
    host_.Send(69, name->c_str());
  }
}

void AppCommands::InsertDxf() {
  DirectoryKeeper keeper;
  const auto name = ChooseFile(host_.Owner(), FileDialogKind::Dxf);
  if (!name) return;
  keeper.Restore();
  const std::string stem = CutExtension(*name, ".dxf");
  host_.Send(70, stem.c_str());
}

void AppCommands::InsertRaw() {
  DirectoryKeeper keeper;
  const auto name = ChooseFile(host_.Owner(), FileDialogKind::Raw);
  if (!name) return;
  keeper.Restore();
  const std::string stem = CutExtension(*name, ".raw");

  gcg_list controls;
  auto* type = new ListBox_obj("Type");
  type->entries.SetSize(3);
  type->entries[0] = "polyline";
  type->entries[1] = "polyline2d";
  type->entries[2] = "trimesh";
  type->selected = "trimesh";
  controls.Append(type);
  if (host_.Dialog().Show("Choose a type", controls) != 1) return;
  if (type->selected == "trimesh") {
    host_.Send(71, stem.c_str());
  } else if (type->selected == "polyline") {
    host_.Send(72, stem.c_str());
  } else if (type->selected == "polyline2d") {
    host_.Send(73, stem.c_str());
  }
}

}  // namespace zavo
