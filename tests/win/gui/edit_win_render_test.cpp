// The editing window's renders against a recording stand-in editor: the busy
// flag and what it guards while a render drains the queue, the image bitmap
// and its scroll range, "C&reate all frames" and RenderQuiet.

#include <gtest/gtest.h>

#include <wx/textctrl.h>

#include "win/edit_win.h"
#include "win/gui/edit_win_fixture.h"
#include "win/gui/gui_support.h"

namespace zavo::test {
namespace {

using Log = std::vector<std::string>;

// The stand-in's image: 320 x 200, with a few plotted pixels.
void AnswerAnImage(RecordingEditor& e, int width = 320, int height = 200) {
  e.answers[3] = {width, height};
}

TEST_F(EditWinTest, CreateImageRendersIntoTheWindowAndKeepsTheImage) {
  UseSettings("[Dir]\nLibraryDir=/lib\n[View]\nDimPixel=2\n");
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open(wxSize(500, 300));
  Log busyAt;
  editor->during = [&](EDCommand& c) {
    if (c.code == 3 || c.code == 4) {
      busyAt.push_back(std::to_string(c.code) + " busy " + std::to_string(win->Busy()) + " pump " +
                       std::to_string(win->RenderSink().pumpMessages));
    }
    if (c.code == 4) {
      // The renderer plots image pixel (3, 2) and (100, 50).
      win->RenderSink().PlotPixel(3, 2, 1.0, 0.0, 0.0);
      win->RenderSink().PlotPixel(100, 50, 0.0, 0.0, 1.0);
    }
  };
  editor->ClearLog();
  win->MenuCommandId(107);
  EXPECT_EQ(Requests(), (Log{"C 75 0", "C 3 0", "C 4 0"}));
  EXPECT_EQ(busyAt, (Log{"3 busy 1 pump 1", "4 busy 1 pump 1"}));
  EXPECT_EQ(win->Busy(), 0);
  EXPECT_EQ(win->RenderSink().pumpMessages, 0);
  EXPECT_EQ(win->LayoutMode(), kLayoutImage);
  // DimPixel 2: 640 x 400, each image pixel a 2 x 2 block.
  ASSERT_TRUE(win->Image().HasPicture());
  EXPECT_EQ(win->Image().Width(), 640);
  EXPECT_EQ(win->Image().Height(), 400);
  EXPECT_EQ(win->Image().Pixel(7, 5), (Rgb8{255, 0, 0}));
  EXPECT_EQ(win->Image().Pixel(201, 101), (Rgb8{0, 0, 255}));
  EXPECT_EQ(win->Image().Pixel(8, 4), (Rgb8{0, 0, 0}));
  // The scroll range follows the client area (scroll bars may take a part).
  Settle();
  const wxSize client = win->GetClientSize();
  EXPECT_EQ(win->Range(), ImageScrollRange(kLayoutImage, true, 640, 400, client.x, client.y));
  EXPECT_GE(win->Range().x, 14);
  EXPECT_GE(win->Range().y, 10);
  // The window shows the kept image at its top left.
  win->Refresh();
  win->Update();
  Settle();
  EXPECT_EQ(ScreenColour(win->ClientToScreen(wxPoint(7, 5))), wxColour(255, 0, 0));
  EXPECT_EQ(ScreenColour(win->ClientToScreen(wxPoint(201, 101))), wxColour(0, 0, 255));
  // Scrolled by one unit each way, the image moves up and left by 10 pixels.
  win->Scroll(1, 1);
  win->Refresh();
  win->Update();
  Settle();
  EXPECT_EQ(win->ScrollOffset(), wxPoint(10, 10));
  EXPECT_EQ(ScreenColour(win->ClientToScreen(wxPoint(191, 91))), wxColour(0, 0, 255));
  EXPECT_EQ(ScreenColour(win->ClientToScreen(wxPoint(201, 101))), wxColour(0, 0, 0));
  // Back to the views: no scroll range.
  win->MenuCommandId(105);
  EXPECT_EQ(win->Range(), (ScrollRange{0, 0}));
}

TEST_F(EditWinTest, AnImageSmallerThanTheWindowHasNoScrollRange) {
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open(wxSize(500, 300));
  win->MenuCommandId(107);
  EXPECT_EQ(win->Image().Width(), 320);
  EXPECT_EQ(win->Range(), (ScrollRange{0, 0}));
}

TEST_F(EditWinTest, BusyWindowIgnoresWhatCouldChangeTheScene) {
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open();
  std::vector<std::string> consoleLines;
  win->ConsoleImpl().SetInputHandler([&](const char* line) { consoleLines.emplace_back(line); });
  Log sentDuring;
  bool closes = true;
  int quiet = -1;
  bool reentered = false;
  editor->during = [&](EDCommand& c) {
    if (c.code != 4 || reentered) return;
    reentered = true;
    const size_t before = editor->log.size();
    for (int id : {113, 1, 105, 106, 107, 149, 103, 145, 223, 224, 225, 24321, 17, 18, 523}) {
      win->MenuCommandId(id);
    }
    win->Char('a');
    win->LeftButton(0, {1, 1}, kKeyLeft, 0);
    win->MouseMove(0, {1, 1}, 0);
    win->DrawView(1);
    closes = win->CanClose();
    quiet = win->RenderQuiet(0);
    // A goal typed into the console waits for the render to end.
    win->ConsoleImpl().Window()->Input()->SetValue("go.");
    win->ConsoleImpl().Window()->PressEnter();
    sentDuring.assign(editor->log.begin() + static_cast<long>(before), editor->log.end());
  };
  win->MenuCommandId(107);
  // Only the three exempt commands reach the editor.
  EXPECT_EQ(sentDuring, (Log{"C 79 0", "C 84 0", "C 86 0"}));
  EXPECT_TRUE(editor->mice.empty());
  EXPECT_FALSE(closes);
  EXPECT_EQ(quiet, 0);
  EXPECT_TRUE(consoleLines.empty());
  EXPECT_TRUE(boxes.empty());  // "Command not active" is not shown while busy
  EXPECT_EQ(win->ConsoleImpl().Window()->Input()->GetValue(), "go.");
  // Afterwards the same goal goes through.
  win->ConsoleImpl().Window()->PressEnter();
  EXPECT_EQ(consoleLines, (std::vector<std::string>{"go."}));
}

TEST_F(EditWinTest, CreateAllFramesSilencesMessagesAndRestoresTheSetting) {
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open();
  for (int before : {1, 0}) {
    SCOPED_TRACE(before);
    win->RenderSink().showMessageBoxes = before;
    int during = -1;
    int busy = -1;
    editor->during = [&](EDCommand& c) {
      if (c.code == 61) {
        during = win->RenderSink().showMessageBoxes;
        busy = win->Busy();
      }
    };
    editor->ClearLog();
    win->MenuCommandId(149);
    EXPECT_EQ(Requests(), (Log{"C 75 0", "C 77 1", "C 3 0", "C 61 0"}));
    EXPECT_EQ(during, 0);
    EXPECT_EQ(busy, 1);
    EXPECT_EQ(win->RenderSink().showMessageBoxes, before);
    EXPECT_EQ(win->Busy(), 0);
  }
}

TEST_F(EditWinTest, RenderQuietSetsTheMessageFlagForOneRender) {
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open();
  int during = -1;
  editor->during = [&](EDCommand& c) {
    if (c.code == 4) during = win->RenderSink().showMessageBoxes;
  };
  EXPECT_EQ(win->RenderQuiet(0), 1);
  EXPECT_EQ(during, 0);
  EXPECT_EQ(win->RenderSink().showMessageBoxes, 1);
}

TEST_F(EditWinTest, AnImageTooLargeToKeepRendersIntoTheWindowOnly) {
  // 320 x 200 image pixels of 200 screen pixels each: no bitmap can hold it.
  UseSettings("[Dir]\nLibraryDir=/lib\n[View]\nDimPixel=200\n");
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open();
  editor->ClearLog();
  win->MenuCommandId(107);
  EXPECT_EQ(Requests(), (Log{"C 75 0", "C 3 0", "C 4 0"}));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot hold the image in memory");
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_FALSE(win->Image().HasPicture());
  EXPECT_EQ(win->Busy(), 0);
}

TEST_F(EditWinTest, WithoutCBitmapNoImageIsKept) {
  UseSettings("[Dir]\nLibraryDir=/lib\n[View]\nCBitmap=0\n");
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open();
  editor->during = [&](EDCommand& c) {
    if (c.code == 4) win->RenderSink().PlotPixel(3, 2, 1.0, 0.0, 0.0);
  };
  win->MenuCommandId(107);
  EXPECT_FALSE(win->Image().HasPicture());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(EditWinTest, ADimPixelBelowOneIsUsedAsOne) {
  UseSettings("[Dir]\nLibraryDir=/lib\n[View]\nDimPixel=0\n");
  prepare = [](RecordingEditor& e) { AnswerAnImage(e); };
  Open();
  win->MenuCommandId(107);
  EXPECT_EQ(win->Settings().dimPixel, 0);
  ASSERT_TRUE(win->Image().HasPicture());
  EXPECT_EQ(win->Image().Width(), 320);
  EXPECT_EQ(win->Image().Height(), 200);
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace zavo::test
