// The menus of a lamp and of the camera's handles in the views: both start
// the mouse mode that the next left click completes.

#include <cstring>
#include <string>

#include "editor/graphic_editor.h"
#include "foundation/runtime_error_box.h"

int CG_GraphicEditor::LampFlyMenu(const char* lampName) {
  manipulatedLamp = lampName != nullptr ? scene.FindLight(lampName) : nullptr;
  if (manipulatedLamp == nullptr) RuntimeErrorBox("Object unknown");
  static const char* const kEntries[] = {"translate", "rotate", "scale", "other", "special"};
  Seq<charString> entries(5);
  for (std::uint32_t i = 0; i < 5; ++i) entries[i] = kEntries[i];
  const charString chosen = ChooseFromList((std::string("Metods for lamp ") + lampName).c_str(), entries);
  // "other" and "special" have no lamp action here.
  for (int i = 0; i < 3; ++i) {
    if (chosen.Text() != nullptr && chosen == kEntries[i]) EnterMouseMode(6 + i);
  }
  return 1;
}

int CG_GraphicEditor::CameraFlyMenu(const char* handle) {
  if (handle == nullptr) return 1;
  if (std::strcmp(handle, "VRP") == 0) EnterMouseMode(9);
  if (std::strcmp(handle, "VPN") == 0) EnterMouseMode(10);
  if (std::strcmp(handle, "VUP") == 0) EnterMouseMode(11);
  if (std::strcmp(handle, "PRP") == 0) EditViewGeneral();
  return 1;
}
