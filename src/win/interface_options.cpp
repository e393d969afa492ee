// The "Interface options" dialog of the shell's settings.

#include <string>

#include "editor/dialog_controls.h"
#include "win/profile_file.h"
#include "win/shell_settings.h"

namespace zavo {
namespace {

// An integer field's new value: the old one when the field is empty.
int FieldValue(const charString& text, int old) {
  const char* t = text;
  if (t == nullptr || *t == '\0') return old;
  return ProfileIntValue(t);
}

}  // namespace

int RunInterfaceOptions(Dialog_obj& dialog, BackToEditor& editor, ShellSettings& s) {
  gcg_list controls;
  auto* dimPixel = new Edit_obj("DimPix", std::to_string(s.dimPixel).c_str());
  auto* cBitmap = new Check_obj("CBitmap", s.cBitmap);
  auto* multiTask31 = new Check_obj("MultiTask31", s.multiTask31);
  auto* convertText = new Check_obj("ConvertText", s.convertText);
  auto* textQuality = new Edit_obj("TextQuality", std::to_string(s.textQuality).c_str());
  controls.Append(dimPixel);
  controls.Append(cBitmap);
  controls.Append(multiTask31);
  controls.Append(convertText);
  controls.Append(textQuality);
  if (dialog.Show("Interface options", controls) == 0) return 0;

  s.dimPixel = FieldValue(dimPixel->text, s.dimPixel);
  s.textQuality = FieldValue(textQuality->text, s.textQuality);
  s.convertText = convertText->state;
  s.multiTask31 = multiTask31->state;
  s.cBitmap = cBitmap->state;
  WriteShellSettings(editor, s);
  return 1;
}

}  // namespace zavo
