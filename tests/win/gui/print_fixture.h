#pragma once

// The editing window holding a rendered image for the printing tests: 100 x
// 60 image pixels at two screen pixels each (200 x 120 on the screen),
// black with a red block of 40 x 30 image pixels at the top left.

#include "win/gui/edit_win_fixture.h"

namespace zavo::test {

class PrintTest : public EditWinTest {
protected:
  static constexpr int kImageWidth = 200;
  static constexpr int kImageHeight = 120;
  // The red block on the screen.
  static constexpr int kRedWidth = 80;
  static constexpr int kRedHeight = 60;

  // Opens the window and renders the image.
  void OpenWithImage();
};

}  // namespace zavo::test
