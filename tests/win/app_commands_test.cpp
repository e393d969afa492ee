// The application's file and help commands without a display: the requests
// they send, the extension rule, the directory they leave current, the busy
// rule, and the boxes of the help commands.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "editor/dialog_controls.h"
#include "win/app_commands.h"
#include "win/message_box.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// Answers "Choose a type" with the type given (Cancel when empty).
class TypeDialog : public Dialog_obj {
public:
  int Show(const char* title, gcg_list& controls) override {
    shown.emplace_back(title);
    auto* list = dynamic_cast<ListBox_obj*>(FindControl(controls, "Type"));
    if (list == nullptr) return 0;
    initial = list->selected.Text();
    for (std::uint32_t i = 0; i < list->entries.Count(); ++i) entries.emplace_back(list->entries[i].Text());
    if (answer.empty()) return 0;
    list->selected = answer.c_str();
    return 1;
  }
  std::string answer;
  std::vector<std::string> shown;
  std::vector<std::string> entries;
  std::string initial;
};

class RecordingHost : public AppHost {
public:
  bool Busy() override { return busy; }
  void Send(int code, const char* text) override {
    requests.push_back(std::to_string(code) + (text != nullptr ? std::string(" ") + text : ""));
    cwdAtRequest = fs::current_path();
  }
  bool CanClose() override {
    requests.push_back("close query");
    return canClose;
  }
  void RenderQuiet() override { requests.push_back("render"); }
  wxWindow* Owner() override { return nullptr; }
  Dialog_obj& Dialog() override { return dialog; }

  bool busy = false;
  bool canClose = true;
  std::vector<std::string> requests;
  fs::path cwdAtRequest;
  TypeDialog dialog;
};

struct Box {
  std::string text;
  std::string caption;
};
std::vector<Box> boxes;

class AppCommandsTest : public ::testing::Test {
protected:
  void SetUp() override {
    boxes.clear();
    oldBox_ = SetMessageBoxFunction([](wxWindow*, const wxString& text, const wxString& caption, BoxButtons) {
      boxes.push_back({text.ToStdString(), caption.ToStdString()});
      return BoxAnswer::Ok;
    });
    oldChooser_ = SetFileChooser([this](wxWindow*, FileDialogKind kind) -> std::optional<std::string> {
      kinds.push_back(kind);
      // A dialog may leave another directory current.
      fs::current_path(elsewhere.path());
      return chosen;
    });
  }
  void TearDown() override {
    SetFileChooser(oldChooser_);
    SetMessageBoxFunction(oldBox_);
  }

  TempDir start;
  TempDir elsewhere;
  RecordingHost host;
  AppCommands commands{host};
  std::optional<std::string> chosen;
  std::vector<FileDialogKind> kinds;

private:
  MessageBoxFunction oldBox_ = nullptr;
  FileChooser oldChooser_;
};

TEST(CutExtensionTest, CutsOnlyTheExpectedExtensionInAnyCase) {
  struct Case {
    const char* name;
    const char* extension;
    const char* result;
  };
  for (const Case& c : std::vector<Case>{
           {"/s/ROOM.QZ", ".qz", "/s/ROOM"},
           {"room.qz", ".qz", "room"},
           {"Room.Qz", ".qz", "Room"},
           {"room", ".qz", "room"},       // typed without the extension: whole
           {"x.txt", ".qz", "x.txt"},     // another extension: whole
           {"qz", ".qz", "qz"},           // shorter than the extension
           {".qz", ".qz", ".qz"},         // nothing before it
           {"", ".qz", ""},
           {"/o/M.DXF", ".dxf", "/o/M"},
           {"pts.raw", ".raw", "pts"},
           {"pts.raw.qz", ".raw", "pts.raw.qz"},
       }) {
    EXPECT_EQ(CutExtension(c.name, c.extension), c.result) << c.name << " " << c.extension;
  }
}

TEST(CommandLineSceneTest, ExactlyOneArgumentIsAScene) {
  EXPECT_EQ(CommandLineScene({"/s/a.qz"}), std::optional<std::string>("/s/a.qz"));
  EXPECT_EQ(CommandLineScene({}), std::nullopt);
  EXPECT_EQ(CommandLineScene({"/s/a.qz", "/s/b.qz"}), std::nullopt);
}

TEST(FileDialogTest, FiltersAsWrittenAndWildcardsForEitherCase) {
  struct Case {
    FileDialogKind kind;
    const char* filter;
    bool mustExist;
    bool save;
    const char* wildcard;
  };
  for (const Case& c : std::vector<Case>{
           {FileDialogKind::SceneOpen, "All Files (*.QZ)|*.QZ|All Files (*.*)|*.*|", true, false,
            "All Files (*.QZ)|*.qz;*.QZ|All Files (*.*)|*"},
           {FileDialogKind::SceneSave, "All Files (*.QZ)|*.QZ|All Files (*.*)|*.*|", false, true,
            "All Files (*.QZ)|*.qz;*.QZ|All Files (*.*)|*"},
           {FileDialogKind::Dxf, "All Files (*.DXF)|*.DXF|All Files (*.*)|*.*|", true, false,
            "All Files (*.DXF)|*.dxf;*.DXF|All Files (*.*)|*"},
           {FileDialogKind::Raw, "All Files (*.RAW)|*.RAW|All Files (*.*)|*.*|", true, false,
            "All Files (*.RAW)|*.raw;*.RAW|All Files (*.*)|*"},
       }) {
    const FileDialogSpec& spec = DialogSpec(c.kind);
    EXPECT_STREQ(spec.filter, c.filter);
    EXPECT_EQ(spec.mustExist, c.mustExist);
    EXPECT_EQ(spec.save, c.save);
    EXPECT_EQ(DialogWildcard(c.kind), c.wildcard);
  }
}

TEST_F(AppCommandsTest, FileCommandsSendTheirRequests) {
  struct Case {
    const char* what;
    int id;
    std::optional<std::string> chosen;  // the file dialog's answer
    std::string type;                   // "Choose a type" answer, empty: Cancel
    bool canClose;
    std::vector<std::string> requests;
    std::vector<FileDialogKind> dialogs;
  };
  const std::string other = (elsewhere.path() / "sub").string();
  const std::vector<Case> cases{
      {"new", 24331, {}, "", true, {"65"}, {}},
      {"close", 24339, {}, "", true, {"65"}, {}},
      {"save", 24333, {}, "", true, {"67"}, {}},
      {"open", 24332, "/s/ROOM.QZ", "", true, {"close query", "66 /s/ROOM"}, {FileDialogKind::SceneOpen}},
      {"open refused", 24332, "/s/ROOM.QZ", "", false, {"close query"}, {}},
      {"open cancelled", 24332, std::nullopt, "", true, {"close query"}, {FileDialogKind::SceneOpen}},
      {"open x.txt", 24332, "/s/x.txt", "", true, {"close query", "66 /s/x.txt"}, {FileDialogKind::SceneOpen}},
      {"save as", 24334, "A.QZ", "", true, {"68 A"}, {FileDialogKind::SceneSave}},
      {"save as typed bare", 24334, "/s/room", "", true, {"68 /s/room"}, {FileDialogKind::SceneSave}},
      {"save as cancelled", 24334, std::nullopt, "", true, {}, {FileDialogKind::SceneSave}},
      {"insert scene", 102, "/s/part.qz", "", true, {"69 /s/part.qz"}, {FileDialogKind::SceneOpen}},
      {"insert dxf", 143, other + "/M.DXF", "", true, {"70 " + other + "/M"}, {FileDialogKind::Dxf}},
      {"insert dxf cancelled", 143, std::nullopt, "", true, {}, {FileDialogKind::Dxf}},
      {"raw trimesh", 144, "PTS.RAW", "trimesh", true, {"71 PTS"}, {FileDialogKind::Raw}},
      {"raw polyline", 144, "PTS.RAW", "polyline", true, {"72 PTS"}, {FileDialogKind::Raw}},
      {"raw polyline2d", 144, "PTS.RAW", "polyline2d", true, {"73 PTS"}, {FileDialogKind::Raw}},
      {"raw type cancelled", 144, "PTS.RAW", "", true, {}, {FileDialogKind::Raw}},
      {"raw cancelled", 144, std::nullopt, "trimesh", true, {}, {FileDialogKind::Raw}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedCwd cwd(start.path());
    host.requests.clear();
    host.canClose = c.canClose;
    host.dialog.answer = c.type;
    host.cwdAtRequest.clear();
    kinds.clear();
    chosen = c.chosen;
    commands.Run(c.id);
    EXPECT_EQ(host.requests, c.requests);
    EXPECT_EQ(kinds, c.dialogs);
    if (c.id == 102 || c.id == 143 || c.id == 144) {
      // The insert commands leave the directory they started in, and the
      // imports are sent from it.
      EXPECT_EQ(fs::current_path(), start.path());
      if (c.id != 102 && !host.cwdAtRequest.empty()) {
        EXPECT_EQ(host.cwdAtRequest, start.path());
      }
    }
  }
}

TEST_F(AppCommandsTest, ChooseATypeOffersTheThreeTypesWithTrimeshFirstChosen) {
  chosen = "PTS.RAW";
  host.dialog.answer = "trimesh";
  commands.Run(144);
  EXPECT_EQ(host.dialog.shown, std::vector<std::string>{"Choose a type"});
  EXPECT_EQ(host.dialog.entries, (std::vector<std::string>{"polyline", "polyline2d", "trimesh"}));
  EXPECT_EQ(host.dialog.initial, "trimesh");
}

TEST_F(AppCommandsTest, WhileBusyEveryFileAndHelpCommandIsIgnored) {
  host.busy = true;
  chosen = "/s/a.qz";
  host.dialog.answer = "trimesh";
  for (int id : {24331, 24332, 24339, 24333, 24334, 102, 143, 144, 2001, 2002}) {
    EXPECT_TRUE(AppCommands::Serves(id)) << id;
    commands.Run(id);
  }
  commands.ShowHelp(kHelpIndexTopic);
  commands.OpenDroppedFiles({"/s/a.qz"});
  EXPECT_TRUE(host.requests.empty());
  EXPECT_TRUE(kinds.empty());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(AppCommandsTest, DroppedFilesOpenInTheirDirectoryAndRenderEach) {
  ScopedCwd cwd(start.path());
  fs::create_directories(elsewhere / "a");
  fs::create_directories(elsewhere / "b");
  const std::string a = (elsewhere / "a" / "ONE.QZ").string();
  const std::string b = (elsewhere / "b" / "two.qz").string();
  commands.OpenDroppedFiles({a, b});
  EXPECT_EQ(host.requests, (std::vector<std::string>{"66 " + (elsewhere / "a" / "ONE").string(), "render",
                                                     "66 " + (elsewhere / "b" / "two").string(), "render"}));
  EXPECT_EQ(fs::current_path(), elsewhere / "b");
}

TEST_F(AppCommandsTest, ACommandLineSceneNamedRelativelyStillOpens) {
  ScopedCwd cwd(elsewhere.path());
  fs::create_directories(elsewhere / "scenes");
  commands.OpenSceneInItsDirectory("scenes/room.qz");
  EXPECT_EQ(host.requests, std::vector<std::string>{"66 " + (elsewhere / "scenes" / "room").string()});
  EXPECT_EQ(fs::current_path(), elsewhere / "scenes");
}

TEST_F(AppCommandsTest, HelpShowsTheTopicItCannotOpen) {
  commands.Run(2001);
  commands.Run(2002);
  commands.ShowHelp(kHelpIndexTopic);
  commands.ShowHelp("113");
  ASSERT_EQ(boxes.size(), 4u);
  const std::string missing = "The help file zavo.hlp is not available on this system.\nTopic: ";
  EXPECT_EQ(boxes[0].text, "Read file manual.wri");
  EXPECT_EQ(boxes[1].text, missing + "Using help");
  EXPECT_EQ(boxes[2].text, missing + "index");
  EXPECT_EQ(boxes[3].text, missing + "113");
  for (const Box& b : boxes) EXPECT_EQ(b.caption, "Help");
  EXPECT_FALSE(commands.HelpOpened());
}

}  // namespace
}  // namespace zavo::test
