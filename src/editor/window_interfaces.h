#pragma once

// The small interfaces through which the editor document asks the window layer
// for interaction: support services (titles, status line, cursors, questions,
// message pumping, settings), a list chooser, a multi-field editor and the
// console. The window layer implements them and hands them to the document
// (BackToEditor's setters); the document never owns or deletes one. Texts
// passed in belong to the caller and are valid only during the call.

#include <functional>

#include "foundation/char_string.h"
#include "foundation/seq.h"

class CG_WinSupp {
public:
  virtual ~CG_WinSupp() = default;
  // The main window's title becomes the text.
  virtual void SetTitle(const char* text) = 0;
  // The text shows in the status line.
  virtual void SetStatus(const char* text) = 0;
  // The wait cursor shows; EndWait brings the arrow back.
  virtual void BeginWait() = 0;
  virtual void EndWait() = 0;
  // A Yes/No/Cancel question box: 1 yes, 0 no, -1 cancel.
  virtual int Ask(const char* question, const char* title) = 0;
  // Does nothing.
  virtual void Idle() = 0;
  // Handles every pending window message, then answers the editing window's
  // flag (the mouse moved, or the user asked to stop) and resets it to 0.
  virtual int Poll() = 0;
  // Writes the key of the section into the settings file; non-zero on success.
  virtual int WriteSetting(const char* section, const char* key, const char* value) = 0;
  // Reads the key of the section from the settings file into result (at most
  // 299 characters); the default when the key is missing.
  virtual void ReadSetting(const char* section, const char* key, const char* defaultText,
                           charString& result) = 0;
};

// A list chooser: the caller clears it, adds its entries (shown in the order
// added) and asks the user to choose one.
class CG_ListShower {
public:
  virtual ~CG_ListShower() = default;
  virtual void Clear() = 0;
  // Appends an entry; the text is copied.
  virtual void Add(const char* text) = 0;
  // The chosen entry's text (a new string: the caller frees it with
  // delete[]), or null when the user cancels or no window is available.
  virtual char* Choose(const char* title) = 0;
};

// A dialog of labelled text fields.
class CG_MultiEdit {
public:
  virtual ~CG_MultiEdit() = default;
  // labels and texts have the same count. 1 when the user confirmed (texts
  // then hold the edited values), else 0; 0 when no window is available.
  virtual int Edit(const char* title, const Seq<charString>& labels, Seq<charString>& texts) = 0;
};

// The console window of the Prolog system.
class Console {
public:
  // Receives each line the user types into the console.
  using InputHandler = std::function<void(const char* line)>;

  virtual ~Console() = default;
  // The console window is shown; the argument is ignored.
  virtual void Show(int flag) = 0;
  // Appends one line.
  virtual void Write(const char* text) = 0;
  virtual void SetInputHandler(InputHandler handler) = 0;
};
