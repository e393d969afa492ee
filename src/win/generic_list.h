#pragma once

// The list chooser (WinGenericList, dialog GenerList) and the multi-field
// dialog (WinMultiEdit, dialog MultiEditDlg2).

#include <string>
#include <vector>

#include <wx/dialog.h>

#include "editor/window_interfaces.h"

class wxListBox;
class wxStaticText;
class wxTextCtrl;

// Lets the user pick one of the given texts. OK or a double click with an
// entry selected ends it with that entry; with nothing selected the dialog
// stays open.
class GenerList : public wxDialog {
public:
  GenerList(wxWindow* parent, const char* title, const std::vector<std::string>& entries);
  // The chosen text, or nullopt-like empty flag: false after Cancel.
  bool Run(std::string& chosen);
  wxListBox* List() const { return list_; }

private:
  void Accept();
  wxListBox* list_ = nullptr;
  std::string chosen_;
};

class WinGenericList : public CG_ListShower {
public:
  explicit WinGenericList(wxWindow* parent = nullptr) : parent_(parent) {}
  void SetParent(wxWindow* parent) { parent_ = parent; }
  void Clear() override { strings_.clear(); }
  void Add(const char* text) override { strings_.emplace_back(text != nullptr ? text : ""); }
  char* Choose(const char* title) override;

private:
  wxWindow* parent_;
  std::vector<std::string> strings_;
};

// A column of labelled text fields, rows 27 pixels apart; "Down" (102, also
// Page Down) and "Up" (103, also Page Up) shift the rows by 100 pixels.
class MultiEditDlg2 : public wxDialog {
public:
  MultiEditDlg2(wxWindow* parent, const char* title, const Seq<charString>& labels, Seq<charString>& values);
  int Run();  // 1 after OK (values replaced), else 0
  void Shift(int dy);
  int Offset() const { return offset_; }

private:
  void PlaceRows();
  const Seq<charString>& labels_;
  Seq<charString>& values_;
  std::vector<wxStaticText*> labelWindows_;
  std::vector<wxTextCtrl*> fields_;
  int offset_ = 0;
};

class WinMultiEdit : public CG_MultiEdit {
public:
  explicit WinMultiEdit(wxWindow* parent = nullptr) : parent_(parent) {}
  void SetParent(wxWindow* parent) { parent_ = parent; }
  int Edit(const char* title, const Seq<charString>& labels, Seq<charString>& texts) override;

private:
  wxWindow* parent_;
};
