#pragma once

// The application's own commands: the file commands (requests 65 to 73 sent
// through the editing window), a scene named on the command line or dropped
// on the frame, and the help commands with context-help mode. Everything the
// commands need from the window goes through AppHost, and the file dialogs
// through a replaceable chooser, so the rules run without a display.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Dialog_obj;
class wxWindow;

namespace zavo {

// The four file dialogs.
enum class FileDialogKind { SceneOpen, SceneSave, Dxf, Raw };

struct FileDialogSpec {
  const char* filter;  // "All Files (*.QZ)|*.QZ|All Files (*.*)|*.*|" and the like
  const char* extension;  // ".QZ", ".DXF", ".RAW"
  bool mustExist;
  bool save;
};
const FileDialogSpec& DialogSpec(FileDialogKind kind);

// The wx wildcard of a dialog: the filter's names as written, with patterns
// that match the extension in either case and an "All Files" pattern that
// matches every name.
std::string DialogWildcard(FileDialogKind kind);

// Runs a file dialog: the chosen full name, or nothing when cancelled.
using FileChooser = std::function<std::optional<std::string>(wxWindow* owner, FileDialogKind kind)>;
std::optional<std::string> ChooseFile(wxWindow* owner, FileDialogKind kind);
// Replaces the chooser (null restores the real dialogs); answers the old one.
FileChooser SetFileChooser(FileChooser chooser);

// The name without the extension when it ends with it, whatever the case
// ("ROOM.QZ" -> "ROOM" for ".qz"); otherwise the name as it is.
std::string CutExtension(std::string_view name, std::string_view extension);

// The scene argument of a command line without the program name: the one
// argument when there is exactly one, otherwise nothing.
std::optional<std::string> CommandLineScene(const std::vector<std::string>& arguments);

// What the commands use of the frame and its editing window.
class AppHost {
public:
  virtual ~AppHost() = default;
  // An image is being rendered.
  virtual bool Busy() = 0;
  // Sends the request through the editing window's editor.
  virtual void Send(int code, const char* text) = 0;
  // The editing window's close query.
  virtual bool CanClose() = 0;
  // Renders the image at once with the render sink's message boxes
  // suppressed.
  virtual void RenderQuiet() = 0;
  // Owner of the dialogs and message boxes.
  virtual wxWindow* Owner() = 0;
  // Runs the "Choose a type" dialog.
  virtual Dialog_obj& Dialog() = 0;
};

// The help topic of the help key.
inline constexpr const char* kHelpIndexTopic = "index";
// The text of the box that stands for the help file's topic.
std::string HelpUnavailableText(const std::string& topic);

class AppCommands {
public:
  explicit AppCommands(AppHost& host) : host_(host) {}

  // Whether the id is a file or help command of the application.
  static bool Serves(int id);
  // Runs the command; while the editing window is busy every one of them is
  // ignored.
  void Run(int id);

  // Request 66 with the name minus ".qz".
  void OpenScene(const std::string& name);
  // Changes to the file's directory and opens the scene (nothing while
  // busy); a dropped file is rendered at once after that.
  void OpenSceneInItsDirectory(const std::string& name);
  void OpenDroppedFiles(const std::vector<std::string>& names);

  // ---- Help ----
  // Shows the help box for the topic (nothing while busy).
  void ShowHelp(const std::string& topic);
  bool ContextHelp() const { return contextHelp_; }
  void SetContextHelp(bool on) { contextHelp_ = on; }
  // A help file viewer was opened (never on this system).
  bool HelpOpened() const { return helpOpened_; }

private:
  void Open();
  void SaveAs();
  void InsertScene();
  void InsertDxf();
  void InsertRaw();
  void ShowContents();

  AppHost& host_;
  bool contextHelp_ = false;
  bool helpOpened_ = false;
};

}  // namespace zavo
