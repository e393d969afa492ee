// The editing window's construction, destruction and the editor factory.

#include "win/edit_win.h"

#include <wx/statusbr.h>

#include "editor/graphic_editor.h"
#include "win/wx_status_field.h"

namespace zavo {
namespace {

std::unique_ptr<BackToEditor> RealEditor(int test) { return CG_GraphicEditor::Create(test); }

EditorFactory& Factory() {
  static EditorFactory factory = RealEditor;
  return factory;
}

EditWin* current = nullptr;

}  // namespace

EditorFactory SetEditorFactory(EditorFactory factory) {
  EditorFactory old = Factory();
  Factory() = factory ? std::move(factory) : EditorFactory(RealEditor);
  return old;
}

// The status text field: the frame's status bar field once the frame has
// given its bar, nothing before.
class EditWin::StatusGadget : public StatusField {
public:
  void SetText(const char* text) override {
    if (field_) field_->SetText(text);
  }
  void Flush() override {
    if (field_) field_->Flush();
  }
  void SetBar(wxStatusBar* bar) {
    field_.reset();
    if (bar != nullptr) field_ = std::make_unique<WxStatusField>(bar);
  }

private:
  std::unique_ptr<WxStatusField> field_;
};

EditWin* EditWin::Current() { return current; }

VirtualEditor* EditWin::CurrentEditor() { return current != nullptr ? &current->holder_ : nullptr; }

EditWin::EditWin(wxWindow* parent, int test)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxCLIP_CHILDREN | wxWANTS_CHARS | wxHSCROLL | wxVSCROLL),
      holder_(Factory()(test)),
      statusGadget_(std::make_unique<StatusGadget>()),
      sink_(this, statusGadget_.get()) {
  for (auto& set : surfaces_) {
    set[0] = nullptr;
  }
  for (int i = 0; i < 4; ++i) {
    surfaces_[0][i] = std::make_unique<WinWireFrameImage>();
    surfaces_[1][i] = std::make_unique<WinWireFrameImage2>();
  }
  // The image is painted over the whole client area.
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  current = this;

  BackToEditor& editor = *holder_;
  editor.SetGraphicSystem(&sink_);
  editor.SetMultiEdit(&multiEdit_);
  editor.SetListShower(&listShower_);
  editor.SetWinSupp(&winSupp_);
  editor.SetDialog(&dialog_);
  editor.SetConsole(&console_);
  editor.SetFlyMenu(&flyMenu_);

  programDir_ = ProgramDirectory();
  const ShellDirectories dirs = ReadShellDirectories();
  Send(1, 0, dirs.modelDir.c_str());
  Send(2, 0, dirs.textureDir.c_str());
  Send(81, 0, dirs.libraryDir.c_str());
  testDB_ = dirs.testDB;

  settings_ = ReadShellSettings(editor, programDir_, this);
  ApplyShellSettings(settings_, holder_, sink_);

  SetScrollRate(10, 10);
  SetVirtualSize(0, 0);
  layoutMode_ = kLayoutAll;
  busy_ = 0;

  multiEdit_.SetParent(this);
  listShower_.SetParent(this);
  winSupp_.SetEditWin(this);
  dialog_.SetParent(this);
  flyMenu_.SetOwner(this);
  console_.Bind(this);
  console_.SetRenderRunningTest([this] {
    // A goal typed while a render walks the scene could free what it uses.
    if (busy_ == 0) return false;
    wxBell();
    return true;
  });
  sink_.secondWindow = console_.Window();

  for (int set = 0; set < 2; ++set) {
    for (int i = 0; i < 4; ++i) {
      ViewWinBase* view = set == 0 ? static_cast<ViewWinBase*>(new ViewWin(this, this, i))
                                   : static_cast<ViewWinBase*>(new ViewWin2(this, this, i));
      // The second set is never placed: it stays hidden.
      if (set == 1) view->Hide();
      view->active = 1;
      views_[set][i] = view;
      surfaces_[set][i]->SetWindow(view);
    }
  }
  const int set = testDB_ == 0 ? 0 : 1;
  for (int i = 0; i < 4; ++i) editor.SetView(i, surfaces_[set][i].get(), kViewTypes[i]);

  Send(64, 0, dirs.libraryDir.c_str());
  AdjustScroller();
  Send(80);
  editor.text = programDir_.c_str();

  Bind(wxEVT_SIZE, &EditWin::OnSize, this);
  Bind(wxEVT_PAINT, &EditWin::OnPaint, this);
  Bind(wxEVT_CHAR, &EditWin::OnChar, this);
  Bind(wxEVT_KEY_DOWN, &EditWin::OnKeyDown, this);
  Bind(wxEVT_MENU, &EditWin::OnMenu, this);
}

EditWin::~EditWin() {
  // The document goes first: it may still talk to the interfaces while it
  // is taken down, but never after.
  BackToEditor* editor = holder_.Get();
  if (editor != nullptr) {
    for (int i = 0; i < 4; ++i) editor->SetView(i, nullptr, 0);
  }
  for (auto& set : surfaces_) {
    for (auto& surface : set) {
      if (surface) surface->SetWindow(nullptr);
    }
  }
  holder_ = VirtualEditor(nullptr);
  if (current == this) current = nullptr;
}

StatusField* EditWin::Status() { return statusGadget_.get(); }

void EditWin::SetStatusBar(wxStatusBar* bar) {
  statusBar_ = bar;
  statusGadget_->SetBar(bar);
}

EDCommand EditWin::Send(int code, int value, const char* text) {
  EDCommand command;
  command.code = code;
  command.text = text;
  command.value = value;
  if (holder_.Get() != nullptr) holder_->Command(command);
  return command;
}

std::optional<EDCommand> EditWin::SendEvent(int code, int value) {
  if (busy_ != 0) return std::nullopt;
  return Send(code, value);
}

void EditWin::WriteSettings() {
  if (holder_.Get() != nullptr) WriteShellSettings(*holder_, settings_);
}

void EditWin::CmInterfaceOptions() {
  if (busy_ != 0 || holder_.Get() == nullptr) return;
  if (RunInterfaceOptions(dialog_, *holder_, settings_) != 0) {
    ApplyShellSettings(settings_, holder_, sink_);
  }
}

}  // namespace zavo
