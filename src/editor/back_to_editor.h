#pragma once

// What the window layer sees of the editor document: the BackToEditor
// interface, held through a VirtualEditor, the request record EDCommand and
// the mouse record. Everything the document does starts from Command or
// MouseEvent.

#include <memory>

#include "foundation/char_string.h"

class CG_GraphicScene;
class CG_GraphicSystemInterface;
class CG_ListShower;
class CG_MultiEdit;
class CG_WinSupp;
class CG_WireFrameImage;
class Console;
class Dialog_obj;
class FlyMenu;

// One editor request: the code (1 to 86), its text argument (a file name, a
// path; may be null; owned by the sender), an in/out integer and a second out
// integer.
struct EDCommand {
  int code = 0;
  const char* text = nullptr;
  int value = 0;
  int value2 = 0;
};

// Mouse flags of the window layer.
enum MouseFlags : int {
  kMouseLeft = 1,
  kMouseRight = 2,
  kMouseMiddle = 4,
  kMouseCtrl = 16,
  kMouseShift = 32,
  kMouseReleased = 64,   // the event the editor handles (press/release handlers)
  kMousePressed = 128,
};

// One mouse event in a view: pixel position in the view's client area,
// flags (MouseFlags), kind (0 move, 1 left-button event, 2 right-button
// event) and the view index 0 to 3.
struct MouseEventRecord {
  int x = 0;
  int y = 0;
  int flags = 0;
  int kind = 0;
  int view = 0;
};

class BackToEditor {
public:
  BackToEditor() = default;
  virtual ~BackToEditor() = default;
  BackToEditor(const BackToEditor&) = delete;
  BackToEditor& operator=(const BackToEditor&) = delete;

  // 1 when an editor module consumed the event, else 0.
  virtual int MouseEvent(const MouseEventRecord& event) = 0;
  // Serves one request; its result, with value and value2 set as the request
  // says.
  virtual int Command(EDCommand& command) = 0;

  // The interface setters. Each stores the pointer without taking ownership;
  // null takes the interface away again. Until an interface is set, the
  // document behaves as if the user cancelled what it would have asked.
  //
  // View index 0 to 3 (others are ignored), its surface and its mode: 0 off,
  // 1 Preview, 2 Top, 3 Side, 4 Front.
  virtual void SetView(int view, CG_WireFrameImage* image, int mode) = 0;
  // The status line, message box and user break; also handed to the scene
  // (null gives the scene its own null interface back).
  virtual void SetGraphicSystem(CG_GraphicSystemInterface* system) = 0;
  virtual void SetWinSupp(CG_WinSupp* support) = 0;
  virtual void SetDialog(Dialog_obj* dialog) = 0;
  virtual void SetMultiEdit(CG_MultiEdit* multiEdit) = 0;
  virtual void SetListShower(CG_ListShower* listShower) = 0;
  virtual void SetConsole(Console* console) = 0;
  virtual void SetFlyMenu(FlyMenu* flyMenu) = 0;

  // The document's scene; null here.
  virtual CG_GraphicScene* GetScene() { return nullptr; }

  // The program directory, ending in "/", set by the window layer after
  // construction (used to find the programs beside the editor); null at first.
  charString text;
};

// Owns one document through its BackToEditor interface.
class VirtualEditor {
public:
  explicit VirtualEditor(std::unique_ptr<BackToEditor> editor) : editor_(std::move(editor)) {}
  BackToEditor* operator->() const { return editor_.get(); }
  BackToEditor& operator*() const { return *editor_; }
  BackToEditor* Get() const { return editor_.get(); }

  // Copies of the shell's settings that the 3-D text tool reads.
  int ConvertText = 1, TextQuality = 4;

private:
  std::unique_ptr<BackToEditor> editor_;
};
