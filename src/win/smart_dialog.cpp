#include "win/smart_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/image.h>
#include <wx/textctrl.h>

#include "win/plot_colour.h"

namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kFieldLimit = 199;

std::string Text(const charString& s) {
  const char* p = s;
  return p != nullptr ? std::string(p) : std::string();
}

wxString WxText(const charString& s) { return wxString::FromUTF8(Text(s)); }

std::vector<std::string> Entries(const ListBox_obj& list) {
  std::vector<std::string> out;
  for (size_t i = 0; i < list.entries.Count(); ++i) out.push_back(Text(list.entries[i]));
  return out;
}

unsigned char Component(double v) { return zavo::PlotComponent(v); }

bool ShowColourDialog(wxWindow* parent, wxColourData& data) {
  wxColourDialog dialog(parent, &data);
  const bool confirmed = dialog.ShowModal() == wxID_OK;
  data = dialog.GetColourData();
  return confirmed;
}

SmartColourChooser colourChooser = ShowColourDialog;

// The lower-left 50 x 50 part of the image (all of a smaller one), upright
// whichever order its rows are stored in.
wxBitmap Thumbnail(const BitmapManager& image) {
  const int w = std::min(50, image.Width());
  const int h = std::min(50, image.Height());
  wxImage out(50, 50);
  out.SetRGB(wxRect(0, 0, 50, 50), 0xc0, 0xc0, 0xc0);
  const int top = image.Height() - h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int r = 0, g = 0, b = 0;
      if (image.GetPixel(x, top + y, r, g, b)) out.SetRGB(x, 50 - h + y, r, g, b);
    }
  return wxBitmap(out);
}

}  // namespace

wxColourData& SmartCustomColours() {
  static wxColourData data = [] {
    wxColourData d;
    d.SetCustomColour(0, wxColour(1, 1, 1));
    for (int i = 1; i < 16; ++i) d.SetCustomColour(i, wxColour(16 * i, 16 * i, 16 * i));
    return d;
  }();
  return data;
}

SmartDialog::SmartDialog(wxWindow* parent, const char* title, gcg_list& items, bool showCancel)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(title != nullptr ? title : "")),
      items_(items),
      showCancel_(showCancel) {
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  font.SetPointSize(8);
  SetFont(font);
  ok_ = new wxButton(this, kOkId, "OK");
  cancel_ = new wxButton(this, kCancelId, "Cancel");
  SetEscapeId(kCancelId);
  SetAffirmativeId(kOkId);

  wxClientDC dc(this);
  dc.SetFont(font);
  wxCoord w = 0, h = 0, descent = 0, leading = 0;
  dc.GetTextExtent("Xg", &w, &h, &descent, &leading);
  SmartMetrics m;
  m.charHeight = h + leading;
  m.avgWidth = dc.GetCharWidth();
  const wxRect desk = wxDisplay(0u).GetClientArea();
  m.desktopWidth = desk.width;
  m.desktopHeight = desk.height;
  layout_ = LayOutSmartDialog(SmartShapesOf(items_), m, showCancel_);

  CreateControls();
  ok_->SetSize(layout_.ok.x, layout_.ok.y, layout_.ok.w, layout_.ok.h);
  if (showCancel_) {
    cancel_->SetSize(layout_.cancel.x, layout_.cancel.y, layout_.cancel.w, layout_.cancel.h);
  } else {
    cancel_->Hide();
  }
  SetClientSize(layout_.width, layout_.height);
  Move(desk.x + layout_.x, desk.y + layout_.y);

  // Initial values: lists and check boxes from their items, scroll bars at
  // their positions; edit fields and swatches hold theirs from creation.
  RefillListsAndChecks();

  Bind(wxEVT_BUTTON, &SmartDialog::OnCommand, this);
  Bind(wxEVT_CHECKBOX, &SmartDialog::OnCommand, this);
  Bind(wxEVT_CHOICE, &SmartDialog::OnCommand, this);
  for (auto type : {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
                    wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK,
                    wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED})
    Bind(type, &SmartDialog::OnScroll, this);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { EndModal(kCancelId); });
}

void SmartDialog::CreateControls() {
  size_t rowIndex = 0;
  size_t itemIndex = 0;
  for (gcg_obj& item : items_) {
    if (rowIndex >= layout_.rows.size() || layout_.rows[rowIndex].item != itemIndex) {
      ++itemIndex;
      continue;
    }
    const SmartRow& row = layout_.rows[rowIndex++];
    ++itemIndex;
    Control c;
    c.item = &item;
    c.row = &row;
    const int id = row.firstId;
    const wxString label = WxText(item.label);
    auto place = [&](wxWindow* w, size_t k) {
      const SmartRect& r = row.windows[k];
      w->SetSize(r.x, r.y, r.w, r.h);
      c.windows.push_back(w);
    };
    switch (row.kind) {
      case SmartKind::Edit: {
        place(new wxStaticText(this, id, label), 0);
        auto* field = new wxTextCtrl(this, id + 1, WxText(static_cast<Edit_obj&>(item).text));
        // Typing is limited; a longer text given by the caller stays whole.
        field->SetMaxLength(std::max<unsigned long>(kFieldLimit, field->GetValue().length()));
        place(field, 1);
        break;
      }
      case SmartKind::Check:
        place(new wxStaticText(this, id, ""), 0);
        place(new wxCheckBox(this, id + 1, label), 1);
        break;
      case SmartKind::Button:
      case SmartKind::LogicalSet:
        place(new wxStaticText(this, id, ""), 0);
        place(new wxButton(this, id + 1, label), 1);
        break;
      case SmartKind::ListBox: {
        place(new wxStaticText(this, id, label), 0);
        auto* choice = new wxChoice(this, id + 1);
        c.windows.push_back(choice);
        const SmartRect& r = row.windows[1];
        // A drop-down shows its list in a pop-up: one row high here.
        choice->SetSize(r.x, r.y, r.w, layout_.rowHeight);
        break;
      }
      case SmartKind::ScrollBar: {
        auto& s = static_cast<ScrollBar_obj&>(item);
        place(new wxStaticText(this, id, label), 0);
        auto* bar = new wxScrollBar(this, id + 1);
        // Thumb size 1: a range of 101 reaches position 100.
        bar->SetScrollbar(SmartScrollPosition(s.from, s.to, s.value), 1, 101, 10);
        place(bar, 1);
        place(new wxStaticText(this, id + 2, SmartNumberText(s.from)), 2);
        place(new wxStaticText(this, id + 3, SmartNumberText(s.to)), 3);
        break;
      }
      case SmartKind::Color: {
        auto& col = static_cast<Color_obj&>(item);
        place(new wxStaticText(this, id, ""), 0);
        place(new wxButton(this, id + 1, label), 1);
        auto* swatch = new wxPanel(this, id + 2);
        swatch->SetBackgroundColour(wxColour(Component(col.r), Component(col.g), Component(col.b)));
        place(swatch, 2);
        break;
      }
      case SmartKind::Bitmap:
        place(new wxStaticText(this, id, label), 0);
        place(new wxStaticBitmap(this, id + 1, Thumbnail(static_cast<Bitmap_obj&>(item).image)), 1);
        break;
      case SmartKind::None:
        break;
    }
    controls_.push_back(std::move(c));
  }
}

void SmartDialog::RefillListsAndChecks() {
  for (Control& c : controls_) {
    if (c.row->kind == SmartKind::ListBox) {
      auto& list = static_cast<ListBox_obj&>(*c.item);
      auto* choice = static_cast<wxChoice*>(c.windows[1]);
      choice->Clear();
      const std::vector<std::string> entries = Entries(list);
      for (const std::string& e : entries) choice->Append(wxString::FromUTF8(e));
      choice->SetSelection(SmartInitialChoice(entries, Text(list.selected)));
    } else if (c.row->kind == SmartKind::Check) {
      static_cast<wxCheckBox*>(c.windows[1])->SetValue(static_cast<Check_obj&>(*c.item).state != 0);
    }
  }
}

void SmartDialog::StoreValues() {
  for (Control& c : controls_) {
    if (c.row->kind == SmartKind::Edit) {
      const wxString v = static_cast<wxTextCtrl*>(c.windows[1])->GetValue();
      static_cast<Edit_obj&>(*c.item).text = v.BeforeFirst('\n').utf8_str().data();
    } else if (c.row->kind == SmartKind::ListBox) {
      static_cast<ListBox_obj&>(*c.item).selected =
          static_cast<wxChoice*>(c.windows[1])->GetStringSelection().utf8_str().data();
    }
  }
  RefillListsAndChecks();
}

void SmartDialog::LoadValues() {
  for (Control& c : controls_) {
    if (c.row->kind == SmartKind::Edit) {
      auto* field = static_cast<wxTextCtrl*>(c.windows[1]);
      const wxString text = WxText(static_cast<Edit_obj&>(*c.item).text);
      field->SetMaxLength(std::max<unsigned long>(kFieldLimit, text.length()));
      field->ChangeValue(text);
    } else if (c.row->kind == SmartKind::ListBox) {
      static_cast<ListBox_obj&>(*c.item).selected =
          static_cast<wxChoice*>(c.windows[1])->GetStringSelection().utf8_str().data();
    }
  }
  RefillListsAndChecks();
}

int SmartDialog::Run() { return ShowModal() == kOkId ? 1 : 0; }

void SmartDialog::OnCommand(wxCommandEvent& event) {
  const int id = event.GetId();
  if (id == kOkId) {
    StoreValues();
    EndModal(kOkId);
    return;
  }
  if (id == kCancelId) {
    EndModal(kCancelId);
    return;
  }
  for (Control& c : controls_) {
    if (c.row->firstId + 1 != id) continue;
    switch (c.row->kind) {
      case SmartKind::Button:
        StoreValues();
        if (auto& action = static_cast<Button_obj&>(*c.item).action) action(items_);
        LoadValues();
        Refresh();
        return;
      case SmartKind::Check:
        static_cast<Check_obj&>(*c.item).state = static_cast<wxCheckBox*>(c.windows[1])->GetValue() ? 1 : 0;
        return;
      case SmartKind::ListBox:
        if (event.GetEventType() == wxEVT_CHOICE) {
          if (c.item->beforeChange) c.item->beforeChange(items_);
          static_cast<ListBox_obj&>(*c.item).selected =
              static_cast<wxChoice*>(c.windows[1])->GetStringSelection().utf8_str().data();
          if (c.item->afterChange) c.item->afterChange(items_);
        }
        return;
      case SmartKind::LogicalSet: {
        SmartDialog nested(this, c.item->label, static_cast<LogicalSet_obj&>(*c.item).children, false);
        nested.Run();
        Refresh();
        return;
      }
      case SmartKind::Color:
        ChooseColour(c);
        Refresh();
        return;
      default:
        break;  // edit fields and bitmaps are not served: the search goes on
    }
  }
  event.Skip();
}

void SmartDialog::ChooseColour(Control& c) {
  auto& col = static_cast<Color_obj&>(*c.item);
  wxColourData data = SmartCustomColours();
  data.SetColour(wxColour(Component(col.r), Component(col.g), Component(col.b)));
  const bool confirmed = colourChooser(this, data);
  // The custom table keeps what the user changed for the rest of the run.
  for (int i = 0; i < 16; ++i) SmartCustomColours().SetCustomColour(i, data.GetCustomColour(i));
  if (!confirmed) return;
  const wxColour chosen = data.GetColour();
  col.r = chosen.Red() / 255.0;
  col.g = chosen.Green() / 255.0;
  col.b = chosen.Blue() / 255.0;
  c.windows[2]->SetBackgroundColour(chosen);
}

void SmartDialog::OnScroll(wxScrollEvent& event) {
  for (Control& c : controls_) {
    if (c.row->kind != SmartKind::ScrollBar || c.windows[1] != event.GetEventObject()) continue;
    auto& s = static_cast<ScrollBar_obj&>(*c.item);
    if (s.beforeChange) s.beforeChange(items_);
    const int p = std::clamp(static_cast<wxScrollBar*>(c.windows[1])->GetThumbPosition(), 0, 100);
    s.value = SmartScrollValue(s.from, s.to, p);
    static_cast<wxStaticText*>(c.windows[0])
        ->SetLabel(WxText(s.label) + "(" + SmartNumberText(s.value) + ")");
    if (s.afterChange) s.afterChange(items_);
  }
  event.Skip();
}

SmartColourChooser SetSmartColourChooser(SmartColourChooser chooser) {
  const SmartColourChooser old = colourChooser;
  colourChooser = chooser != nullptr ? chooser : ShowColourDialog;
  return old;
}

int WinDialog_obj::Show(const char* title, gcg_list& controls) {
  if (parent_ == nullptr) return 0;
  SmartDialog dialog(parent_, title, controls, true);
  return dialog.Run();
}
