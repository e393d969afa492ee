#include "win/win_text_tool_shell.h"

#include <algorithm>
#include <cmath>

#include <wx/cmndata.h>
#include <wx/dcscreen.h>
#include <wx/fontdlg.h>

#include "editor/graphic_editor.h"
#include "win/edit_win.h"
#include "win/message_box.h"

namespace zavo {

namespace {

double ScreenDotsPerInch() {
  const int dpi = wxScreenDC().GetPPI().y;
  return dpi > 0 ? dpi : 96.0;
}

}  // namespace

WinTextToolShell::WinTextToolShell(EditWin& window) : window_(window) {
  if (auto* document = dynamic_cast<CG_GraphicEditor*>(window_.Editor().Get())) document->textToolShell = this;
}

int WinTextToolShell::ChooseFont(TextFont& font) {
  const double dpi = ScreenDotsPerInch();
  wxFontInfo info(std::max(1.0, font.pixelSize * 72.0 / dpi));
  info.FaceName(wxString::FromUTF8(font.face.c_str())).Italic(font.italic);
  wxFont initial(info);
  initial.SetNumericWeight(std::clamp(font.weight, 1, 1000));
  wxFontData data;
  data.SetInitialFont(initial);
  data.SetColour(*wxBLACK);
  data.EnableEffects(true);
  wxFontDialog dialog(window_.Window(), data);
  if (dialog.ShowModal() != wxID_OK) return 0;
  const wxFont chosen = dialog.GetFontData().GetChosenFont();
  if (!chosen.IsOk()) return -1;
  font.face = chosen.GetFaceName().utf8_string();
  font.pixelSize = chosen.GetFractionalPointSize() * dpi / 72.0;
  font.weight = chosen.GetNumericWeight();
  font.italic = chosen.GetStyle() != wxFONTSTYLE_NORMAL;
  return 1;
}

void WinTextToolShell::StopBox(const char* text, const char* caption) {
  ShowMessageBox(window_.Window(), wxString::FromUTF8(text), wxString::FromUTF8(caption), BoxButtons::Ok);
}

int WinTextToolShell::ConvertText() const { return window_.Editor().ConvertText; }
int WinTextToolShell::TextQuality() const { return window_.Editor().TextQuality; }

}  // namespace zavo
