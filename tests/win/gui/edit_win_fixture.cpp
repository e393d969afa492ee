#include "win/gui/edit_win_fixture.h"

#include "win/gui/gui_support.h"
#include "win/win_ini.h"

namespace zavo::test {

std::vector<Box> EditWinTest::boxes;
BoxAnswer EditWinTest::answer = BoxAnswer::Ok;

int RecordingEditor::MouseEvent(const MouseEventRecord& event) {
  mice.push_back(event);
  return 0;
}

int RecordingEditor::Command(EDCommand& command) {
  std::string entry = "C " + std::to_string(command.code) + " " + std::to_string(command.value);
  if (command.text != nullptr) entry += std::string(" ") + command.text;
  log.push_back(entry);
  const auto it = answers.find(command.code);
  if (it != answers.end()) {
    command.value = it->second.first;
    command.value2 = it->second.second;
  }
  if (during) during(command);
  return 0;
}

void RecordingEditor::SetView(int view, CG_WireFrameImage* image, int mode) {
  log.push_back("V " + std::to_string(view) + " " + std::to_string(mode));
  if (view >= 0 && view < 4) views[view] = image;
}

std::vector<std::string> RecordingEditor::Requests() const {
  std::vector<std::string> out;
  for (const std::string& e : log) {
    if (e.rfind("C ", 0) == 0 && e.rfind("C 36 ", 0) != 0) out.push_back(e);
  }
  return out;
}

void EditWinTest::SetUp() {
  boxes.clear();
  answer = BoxAnswer::Ok;
  oldBox_ = SetMessageBoxFunction([](wxWindow*, const wxString& text, const wxString& caption,
                                     BoxButtons buttons) {
    boxes.push_back({text.ToStdString(), caption.ToStdString(), buttons});
    return answer;
  });
  oldFactory_ = SetEditorFactory([this](int) {
    auto made = std::make_unique<RecordingEditor>();
    editor = made.get();
    if (prepare) prepare(*made);
    return made;
  });
  UseSettings("[Dir]\nModelDir=/m\nTextureDir=/t\nLibraryDir=/lib\n");
}

void EditWinTest::TearDown() {
  if (frame != nullptr) {
    frame->Destroy();
    Settle();
  }
  SetEditorFactory(oldFactory_);
  SetMessageBoxFunction(oldBox_);
  std::filesystem::remove(WinIniPath());
}

void EditWinTest::UseSettings(const char* text) {
  std::filesystem::remove(WinIniPath());
  if (text == nullptr) return;
  WriteFile(dir / "vnz.ini", text);
  ASSERT_TRUE(WriteWinIni(kWinIniSection, kWinIniKey, (dir / "vnz.ini").c_str()));
}

void EditWinTest::Open(wxSize client) {
  frame = new wxFrame(nullptr, wxID_ANY, "zavo", wxPoint(0, 0), wxSize(200, 200));
  win = new EditWin(frame, 0);
  frame->SetClientSize(client);
  frame->Show();
  ASSERT_TRUE(DrainUntil([&] {
    return win->IsShownOnScreen() && win->GetClientSize() == client;
  }));
  Settle();
}

}  // namespace zavo::test
