#include "editor/dialog_controls.h"

gcg_obj* FindControl(const gcg_list& controls, const char* label) {
  for (gcg_obj& control : controls) {
    if (control.label == label) return &control;
  }
  return nullptr;
}
