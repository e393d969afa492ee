#pragma once

// The dialog shown for a run-time description: one row of controls per
// recognised item, laid out by LayOutSmartDialog, with "OK" (id 1) and
// "Cancel" (id 2) at the top left. Values go into the controls when the
// dialog opens and back into the items on OK or before a button's action;
// check boxes, list selections, scroll bars, colours and nested dialogs write
// their item at once.

#include <vector>

#include <wx/dialog.h>

#include "editor/dialog_controls.h"
#include "win/smart_layout.h"

class wxButton;
class wxColourData;
class wxWindow;

class SmartDialog : public wxDialog {
public:
  SmartDialog(wxWindow* parent, const char* title, gcg_list& items, bool showCancel);

  // Runs the dialog modally: 1 after OK, 0 after Cancel, Escape or the close
  // box.
  int Run();

  void StoreValues();
  void LoadValues();

  const SmartLayout& Layout() const { return layout_; }
  wxButton* OkButton() const { return ok_; }
  wxButton* CancelButton() const { return cancel_; }

private:
  struct Control {
    gcg_obj* item = nullptr;
    const SmartRow* row = nullptr;
    std::vector<wxWindow*> windows;  // in id order
  };

  void CreateControls();
  void RefillListsAndChecks();
  void OnCommand(wxCommandEvent& event);
  void OnScroll(wxScrollEvent& event);
  void ChooseColour(Control& c);

  gcg_list& items_;
  bool showCancel_;
  SmartLayout layout_;
  wxButton* ok_ = nullptr;
  wxButton* cancel_ = nullptr;
  std::vector<Control> controls_;
};

// The colour chooser's 16 custom colours, filled once per run with greys
// 1, 16, 32 ... 240 and keeping what the user changes there.
wxColourData& SmartCustomColours();

// The colour chooser: shows data's colour and custom colours and answers
// true when the user confirmed (data's colour is then the chosen one); the
// custom colours come back in data as the user left them either way. The
// real one is wx's colour dialog; tests install their own (null restores the
// real one). Answers the previous chooser.
using SmartColourChooser = bool (*)(wxWindow* parent, wxColourData& data);
SmartColourChooser SetSmartColourChooser(SmartColourChooser chooser);

// The window layer's Dialog_obj: shows descriptions as SmartDialogs on the
// parent window; without one nothing is shown and Show answers 0.
class WinDialog_obj : public Dialog_obj {
public:
  explicit WinDialog_obj(wxWindow* parent = nullptr) : parent_(parent) {}
  void SetParent(wxWindow* parent) { parent_ = parent; }
  int Show(const char* title, gcg_list& controls) override;

private:
  wxWindow* parent_;
};
