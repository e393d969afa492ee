// The main frame's commands under a display: the command-line scene, dropped
// files, the busy rule, the help keys and context-help mode, and the routing
// of menu commands.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <wx/dnd.h>

#include "foundation/runtime_error_box.h"
#include "win/app_commands.h"
#include "win/gui/main_frame_fixture.h"
#include "win/zavo_app.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

bool Has(const std::vector<std::string>& sent, const std::string& prefix) {
  for (const std::string& s : sent) {
    if (s.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

TEST_F(MainFrameTest, ASingleArgumentOpensTheSceneOnceAtTheFirstIdleMoment) {
  TempDir scenes;
  ScopedCwd cwd(dir.path());
  OpenMain(0);
  editor->ClearLog();
  main->SetCommandLine({(scenes / "ROOM.QZ").string()});
  Settle();
  Settle();
  std::vector<std::string> opened;
  for (const std::string& s : Sent()) {
    if (s.rfind("C 66 ", 0) == 0) opened.push_back(s);
  }
  EXPECT_EQ(opened, std::vector<std::string>{"C 66 0 " + (scenes / "ROOM").string()});
  EXPECT_EQ(fs::current_path(), scenes.path());
  // Nothing is rendered.
  EXPECT_FALSE(Has(Sent(), "C 3 "));
  EXPECT_FALSE(win->Image().HasPicture());

  editor->ClearLog();
  main->SetCommandLine({(scenes / "a.qz").string(), (scenes / "b.qz").string()});
  Settle();
  EXPECT_FALSE(Has(Sent(), "C 66 "));
}

TEST_F(MainFrameTest, DroppedFilesOpenAndRenderQuietlyOneAfterTheOther) {
  TempDir scenes;
  ScopedCwd cwd(dir.path());
  OpenMain(0);
  editor->ClearLog();
  std::vector<int> showDuringRender;
  editor->during = [&](EDCommand& c) {
    if (c.code == 3) showDuringRender.push_back(win->RenderSink().showMessageBoxes);
  };
  // The event owns its array of names.
  auto* files = new wxString[2]{wxString((scenes / "one.qz").string()), wxString((scenes / "TWO.QZ").string())};
  wxDropFilesEvent drop(wxEVT_DROP_FILES, 2, files);
  main->HandleWindowEvent(drop);
  std::vector<std::string> loads;
  for (const std::string& s : Sent()) {
    if (s.rfind("C 66 ", 0) == 0 || s.rfind("C 3 ", 0) == 0) loads.push_back(s.substr(0, 5) == "C 3 0" ? "render" : s);
  }
  EXPECT_EQ(loads, (std::vector<std::string>{"C 66 0 " + (scenes / "one").string(), "render",
                                             "C 66 0 " + (scenes / "TWO").string(), "render"}));
  EXPECT_EQ(showDuringRender, (std::vector<int>{0, 0}));
  EXPECT_EQ(win->RenderSink().showMessageBoxes, 1);
  EXPECT_EQ(fs::current_path(), scenes.path());
}

TEST_F(MainFrameTest, WhileRenderingOnlyPreviewAndAboutOfTheApplicationsCommandsRun) {
  OpenMain(1);
  std::vector<FileDialogKind> dialogs;
  const FileChooser old = SetFileChooser([&](wxWindow*, FileDialogKind kind) -> std::optional<std::string> {
    dialogs.push_back(kind);
    return std::nullopt;
  });
  std::vector<std::string> during;
  std::size_t boxesDuring = 0;
  bool inside = false;
  editor->during = [&](EDCommand& c) {
    if (c.code != 3 || inside) return;
    inside = true;
    ASSERT_NE(win->Busy(), 0);
    editor->ClearLog();
    for (int id : {24331, 24332, 24339, 24333, 24334, 102, 143, 144, 24337, 24338, 2001, 2002}) {
      main->Command(id);
    }
    EXPECT_TRUE(main->HelpKey(WXK_F1, false));
    wxDropFilesEvent drop(wxEVT_DROP_FILES, 1, new wxString[1]{"/nowhere/x.qz"});
    main->HandleWindowEvent(drop);
    during = Sent();
    boxesDuring = boxes.size();
  };
  win->MenuCommandId(107);
  EXPECT_TRUE(inside);
  EXPECT_EQ(during, std::vector<std::string>{});
  EXPECT_TRUE(dialogs.empty());
  EXPECT_EQ(boxesDuring, 0u);
  SetFileChooser(old);
}

TEST_F(MainFrameTest, HelpKeysAndContextHelpMode) {
  OpenMain(0);
  const std::string missing = "The help file zavo.hlp is not available on this system.\nTopic: ";
  EXPECT_TRUE(main->HelpKey(WXK_F1, false));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, missing + "index");
  EXPECT_EQ(boxes[0].caption, "Help");
  EXPECT_FALSE(main->Commands().ContextHelp());

  // Shift+F1 enters the mode; a command then shows its topic and does not run.
  boxes.clear();
  EXPECT_TRUE(main->HelpKey(WXK_F1, true));
  EXPECT_TRUE(main->Commands().ContextHelp());
  EXPECT_TRUE(main->GetCursor().IsOk());
  editor->ClearLog();
  main->Command(113);
  EXPECT_FALSE(Has(Sent(), "C 16 "));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, missing + "113");
  EXPECT_FALSE(main->Commands().ContextHelp());
  // Out of the mode the command runs.
  main->Command(113);
  EXPECT_TRUE(Has(Sent(), "C 16 "));

  // Escape leaves the mode; outside it Escape is not the frame's.
  EXPECT_TRUE(main->HelpKey(WXK_F1, true));
  EXPECT_TRUE(main->HelpKey(WXK_ESCAPE, false));
  EXPECT_FALSE(main->Commands().ContextHelp());
  EXPECT_FALSE(main->GetCursor().IsOk());
  EXPECT_FALSE(main->HelpKey(WXK_ESCAPE, false));

  boxes.clear();
  main->Command(2001);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Read file manual.wri");
  EXPECT_EQ(boxes[0].caption, "Help");
}

TEST_F(MainFrameTest, EditingWindowCommandsGoToItAndFileCommandsToTheApplication) {
  OpenMain(0);
  editor->ClearLog();
  main->Command(3);       // "R&Draw 3D"
  main->Command(24331);   // "&New"
  main->Command(24333);   // "&Save"
  EXPECT_EQ(Sent(), (std::vector<std::string>{"C 23 0", "C 65 0", "C 67 0"}));
}

TEST_F(MainFrameTest, TestFlagComesFromTheEditorSectionOfTheSettings) {
  UseSettings("[Editor]\nTest=1\n");
  EXPECT_EQ(ReadTestFlag(), 1);
  UseSettings("[Editor]\nTest=0\n");
  EXPECT_EQ(ReadTestFlag(), 0);
  UseSettings("[Dir]\nModelDir=/m\n");
  EXPECT_EQ(ReadTestFlag(), 0);
  UseSettings(nullptr);
  EXPECT_EQ(ReadTestFlag(), 0);
}

TEST_F(MainFrameTest, InternalErrorsShowTheRuntimeErrorBox) {
  const RuntimeErrorHandler old = SetRuntimeErrorHandler(nullptr);
  InstallGuiRuntimeErrorHandler();
  const RuntimeErrorHandler installed = SetRuntimeErrorHandler(old);
  ASSERT_NE(installed, nullptr);
  installed("index out of range");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "index out of range");
  EXPECT_EQ(boxes[0].caption, "Runtime Error");
}

}  // namespace
}  // namespace zavo::test
