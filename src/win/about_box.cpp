#include "about_box.h"

namespace zavo {

void ShowAboutBox(wxWindow*) {}

}  // namespace zavo
