#pragma once

// Run-time dialogs: a command describes its dialog as a list of controls
// (gcg_obj and its subclasses), hands the list to the window layer's
// Dialog_obj::Show and reads the values back from the controls on OK. The
// list owns its controls; every control has a label, the text shown beside it
// and the name by which the command finds it again (FindControl).

#include <functional>
#include <memory>

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/bitmap_manager.h"

class gcg_obj : public ListItem {
public:
  explicit gcg_obj(const char* text = nullptr) : label(text) {}
  virtual ~gcg_obj() = default;
  gcg_obj(const gcg_obj&) = delete;
  gcg_obj& operator=(const gcg_obj&) = delete;

  charString label;
  // Called by the dialog with its whole control list around a change the
  // user makes in this control (a list selection, a scroll-bar move); either
  // may be empty.
  std::function<void(List<gcg_obj>& controls)> beforeChange, afterChange;
};

using gcg_list = List<gcg_obj>;

// A line of text.
class Edit_obj : public gcg_obj {
public:
  Edit_obj(const char* labelText, const char* value) : gcg_obj(labelText), text(value) {}
  charString text;
};

// A check box: state 0 or 1.
class Check_obj : public gcg_obj {
public:
  Check_obj(const char* labelText, int value) : gcg_obj(labelText), state(value) {}
  int state = 0;
};

// A colour, three reals 0 to 1.
class Color_obj : public gcg_obj {
public:
  Color_obj(const char* labelText, double red, double green, double blue)
      : gcg_obj(labelText), r(red), g(green), b(blue) {}
  double r = 0.0, g = 0.0, b = 0.0;
};

// A choice among texts: entries in order, selected the chosen entry's text.
class ListBox_obj : public gcg_obj {
public:
  explicit ListBox_obj(const char* labelText) : gcg_obj(labelText) {}
  Seq<charString> entries;
  charString selected;
};

// A group of controls shown together (a nested dialog).
class LogicalSet_obj : public gcg_obj {
public:
  explicit LogicalSet_obj(const char* labelText) : gcg_obj(labelText) {}
  gcg_list children;
};

// A 24-bit image shown in the dialog.
class Bitmap_obj : public gcg_obj {
public:
  explicit Bitmap_obj(const char* labelText) : gcg_obj(labelText) {}
  BitmapManager image;
};

// An action the dialog offers while it is open: pressing the button calls it
// with the dialog's control list.
class Button_obj : public gcg_obj {
public:
  using Action = std::function<void(gcg_list& controls)>;
  Button_obj(const char* labelText, Action onPress) : gcg_obj(labelText), action(std::move(onPress)) {}
  Action action;
};

// A slider: minimum, maximum and current value.
class ScrollBar_obj : public gcg_obj {
public:
  ScrollBar_obj(const char* labelText, double min, double max, double current)
      : gcg_obj(labelText), from(min), to(max), value(current) {}
  double from = 0.0, to = 1.0, value = 0.0;
};

// The first control of the list (not looking into groups) whose label equals
// the text, or null.
gcg_obj* FindControl(const gcg_list& controls, const char* label);

// Shows a dialog built from a control list.
class Dialog_obj {
public:
  virtual ~Dialog_obj() = default;
  // 1 when the user confirmed (every control then holds the value the user
  // left in it), else 0.
  virtual int Show(const char* title, gcg_list& controls) = 0;
};
