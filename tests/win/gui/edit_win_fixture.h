#pragma once

// A test frame holding an editing window whose editor is a recording
// stand-in, with a settings file named by win.ini and message boxes that are
// recorded and answered by the test.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "common/temp_dir.h"
#include "editor/back_to_editor.h"
#include "win/edit_win.h"
#include "win/message_box.h"

namespace zavo::test {

// Records every call of the window: "Set<Interface>", "V view mode",
// "C code value [text]" and the mouse records.
class RecordingEditor : public BackToEditor {
public:
  int MouseEvent(const MouseEventRecord& event) override;
  int Command(EDCommand& command) override;
  void SetView(int view, CG_WireFrameImage* image, int mode) override;
  void SetGraphicSystem(CG_GraphicSystemInterface*) override { log.push_back("SetGraphicSystem"); }
  void SetWinSupp(CG_WinSupp*) override { log.push_back("SetWinSupp"); }
  void SetDialog(Dialog_obj*) override { log.push_back("SetDialog"); }
  void SetMultiEdit(CG_MultiEdit*) override { log.push_back("SetMultiEdit"); }
  void SetListShower(CG_ListShower*) override { log.push_back("SetListShower"); }
  void SetConsole(Console*) override { log.push_back("SetConsole"); }
  void SetFlyMenu(FlyMenu*) override { log.push_back("SetFlyMenu"); }

  // The requests only ("C code value [text]"), without view drawing (36).
  std::vector<std::string> Requests() const;
  void ClearLog() { log.clear(); }

  std::vector<std::string> log;
  std::vector<MouseEventRecord> mice;
  CG_WireFrameImage* views[4] = {};
  // Answers: value and value2 by request code.
  std::map<int, std::pair<int, int>> answers;
  // Runs inside the request (after the answer is set), e.g. to re-enter the
  // window while a render "runs".
  std::function<void(EDCommand&)> during;
};

struct Box {
  std::string text;
  std::string caption;
  BoxButtons buttons;
};

class EditWinTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Writes win.ini naming a settings file with the text (none when the text
  // is null: win.ini has no entry).
  void UseSettings(const char* text);
  // Makes the frame and the window (test flag 0) and shows them with the
  // client size.
  void Open(wxSize client = wxSize(640, 480));
  std::vector<std::string> Requests() const { return editor->Requests(); }

  TempDir dir;
  wxFrame* frame = nullptr;
  EditWin* win = nullptr;
  RecordingEditor* editor = nullptr;
  // What the editor factory makes next is set up by this hook.
  std::function<void(RecordingEditor&)> prepare;

  static std::vector<Box> boxes;
  static BoxAnswer answer;

private:
  MessageBoxFunction oldBox_ = nullptr;
  EditorFactory oldFactory_;
};

}  // namespace zavo::test
