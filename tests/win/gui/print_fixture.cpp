#include "win/gui/print_fixture.h"

#include "win/gui/gui_support.h"

namespace zavo::test {

void PrintTest::OpenWithImage() {
  UseSettings("[Dir]\nLibraryDir=/lib\n[View]\nDimPixel=2\n");
  prepare = [](RecordingEditor& e) { e.answers[3] = {kImageWidth / 2, kImageHeight / 2}; };
  Open(wxSize(500, 300));
  editor->during = [this](EDCommand& c) {
    if (c.code != 4) return;
    for (int y = 0; y < kRedHeight / 2; ++y) {
      for (int x = 0; x < kRedWidth / 2; ++x) win->RenderSink().PlotPixel(x, y, 1.0, 0.0, 0.0);
    }
  };
  win->MenuCommandId(107);
  editor->during = nullptr;
  ASSERT_TRUE(win->Image().HasPicture());
  Settle();
}

}  // namespace zavo::test
