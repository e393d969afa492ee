// The editing window hands its 3-D text part to the real document: the two
// text settings come from the window's editor holder and the stop box goes
// through the shell's message box.

#include <gtest/gtest.h>

#include "editor/graphic_editor.h"
#include "editor/text_tool_shell.h"
#include "win/edit_win.h"
#include "win/gui/edit_win_fixture.h"

namespace zavo::test {
namespace {

TEST_F(EditWinTest, DocumentReachesTheTextSettingsAndBoxOfItsWindow) {
  SetEditorFactory(nullptr);
  Open();
  auto* document = dynamic_cast<CG_GraphicEditor*>(win->Editor().Get());
  ASSERT_NE(document, nullptr);
  ASSERT_NE(document->textToolShell, nullptr);
  win->Editor().ConvertText = 0;
  win->Editor().TextQuality = 7;
  EXPECT_EQ(document->textToolShell->ConvertText(), 0);
  EXPECT_EQ(document->textToolShell->TextQuality(), 7);
  const std::size_t before = boxes.size();
  document->textToolShell->StopBox("Error in font dialog box!", "man");
  ASSERT_EQ(boxes.size(), before + 1);
  EXPECT_EQ(boxes.back().text, "Error in font dialog box!");
  EXPECT_EQ(boxes.back().caption, "man");
}

}  // namespace
}  // namespace zavo::test
