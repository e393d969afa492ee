#pragma once
// The about box: product name, version, copyright and build note.

class wxWindow;

namespace zavo {

// Shows the modal about box "About zavo".
void ShowAboutBox(wxWindow* parent);

}  // namespace zavo
