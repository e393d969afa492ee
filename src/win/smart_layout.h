#pragma once

// The run-time dialog's layout, worked out without a display: which windows
// each control of a description gets, their ids, and where every window, the
// OK and Cancel buttons and the dialog itself go, from the label lengths and
// the font metrics. Also the two value rules the dialog applies to its
// controls: the initial list choice and the scroll-bar position.

#include <string>
#include <vector>

#include "editor/dialog_controls.h"

// The control kinds the dialog recognises; None for any other kind,
// including kinds derived from one of these.
enum class SmartKind { None, Edit, Bitmap, Button, ScrollBar, ListBox, Color, LogicalSet, Check };

// The kind of an item by its exact dynamic type.
SmartKind SmartKindOf(const gcg_obj& item);

// Windows a control of the kind creates (0 for None).
int SmartWindowCount(SmartKind kind);

struct SmartRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const SmartRect&) const = default;
};

struct SmartItemShape {
  SmartKind kind = SmartKind::None;
  int labelLength = 0;  // characters
};

struct SmartMetrics {
  int charHeight = 0;  // text height plus external leading
  int avgWidth = 0;    // average character width
  int desktopWidth = 0, desktopHeight = 0;
};

// One recognised control: its windows in id order (window k has id
// firstId + k).
//   edit:        label, edit field
//   bitmap:      label, bitmap control
//   button:      empty static, push button
//   scroll bar:  label, scroll bar, minimum label, maximum label
//   list box:    label, drop-down list
//   colour:      empty static, colour button, swatch
//   logical set: empty static, push button
//   check box:   empty static (kept at its creation place), check box
struct SmartRow {
  size_t item = 0;  // index into the item list
  SmartKind kind = SmartKind::None;
  int firstId = 100;
  int top = 0;
  std::vector<SmartRect> windows;
};

struct SmartLayout {
  int labelWidth = 0, controlWidth = 0, rowHeight = 0;
  int width = 0, height = 0;  // outer size of the dialog
  int x = 0, y = 0;           // dialog place on the desktop (may be negative)
  SmartRect ok, cancel;
  std::vector<SmartRow> rows;  // recognised items only, in list order
};

// The shapes of a description's items, in list order.
std::vector<SmartItemShape> SmartShapesOf(const gcg_list& items);

SmartLayout LayOutSmartDialog(const std::vector<SmartItemShape>& items, const SmartMetrics& metrics,
                              bool showCancel);

// Index of the entry a list shows first for the chosen text, or -1: the first
// entry equal to it (ignoring case); failing that, the first entry beginning
// with it (ignoring case), searched from the second entry on and wrapping
// round to the first.
int SmartInitialChoice(const std::vector<std::string>& entries, const std::string& chosen);

// Scroll-bar position 0..100 for a value in [from, to]; 0 for an empty range
// or NaN, values outside the range give 0 or 100.
int SmartScrollPosition(double from, double to, double value);

// The value a scroll-bar position 0..100 stands for.
double SmartScrollValue(double from, double to, int position);

// A number as an output stream writes it by default ("0.74", "1e+07").
std::string SmartNumberText(double value);
