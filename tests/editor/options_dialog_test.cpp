// The "Editor options" dialog (request 47): its control tree with and without
// test mode, what OK stores, and Cancel.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "library_fixture.h"

namespace zavo::test {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

struct Document {
  explicit Document(int test) : editor(CG_GraphicEditor::Create(test)), driver(*editor) {
    fakes.AttachTo(*editor);
    library.Put("mpreview/studio.QZ", kFastPreview);
    library.Put("mpreview/readme.txt", "two preview scenes\n");
    editor->scene.SetLibraryDir(library.Path().c_str());
    CG_GraphicEditorOptions& o = editor->options;
    o.ShowMode = 2;
    o.Background[0] = 0.25;
    o.GridDim = 0.125;
    o.UndoFreq = 3;
    o.PreviewSize = 64;
  }

  LibraryFolder library;
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
};

TEST(OptionsDialog, TreeFollowsTestMode) {
  struct Case {
    int test;
    std::string showMode;
    bool previewSize;
  };
  for (const Case& c : {Case{0, "ListBox_obj ShowMode =  [simple|interactive]", false},
                        Case{1, "ListBox_obj ShowMode = tinteractive [simple|interactive|tinteractive]", true}}) {
    SCOPED_TRACE(c.test);
    Document d(c.test);
    d.fakes.dialog.AnswerCancel();
    EXPECT_EQ(d.driver.Request(47).result, 0);
    ASSERT_EQ(d.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(d.fakes.dialog.calls[0].title, "Editor options");
    std::vector<std::string> want = {
        "Check_obj UseColor = 1",
        "Check_obj DirectBox = 0",
        "Color_obj Background = 0.25 1 1",
        "Color_obj SelectedObject = 0 1 0",
        c.showMode,
        "Check_obj UseGrid = 0",
        "Edit_obj GridDim = 0.125",
        "LogicalSet_obj Undo",
        "  Check_obj UseUndo = 1",
        "  Edit_obj UndoFreq = 3",
        "  Check_obj InvertY = 0",
        "Edit_obj LibraryDir = " + d.library.Path(),
        "ListBox_obj PreviewType = fast [fast|studio]",
    };
    if (c.previewSize) want.push_back("Edit_obj PreviewSize = 64");
    EXPECT_EQ(d.fakes.dialog.calls[0].tree, want);
  }
}

TEST(OptionsDialog, OkStoresEveryValue) {
  Document d(1);
  d.fakes.dialog.Answer({{{"UseColor", "0"},
                          {"DirectBox", "1"},
                          {"Background", "0.1 0.2 0.3"},
                          {"SelectedObject", "0.9 0.35 0"},
                          {"ShowMode", "simple"},
                          {"UseGrid", "1"},
                          {"GridDim", "0.25"},
                          {"Undo/UseUndo", "0"},
                          {"Undo/UndoFreq", "2.9"},
                          {"Undo/InvertY", "1"},
                          {"LibraryDir", "/srv/zavo/lib"},
                          {"PreviewType", "studio"},
                          {"PreviewSize", "80.6"}},
                         {},
                         true});
  const RequestResult r = d.driver.Request(47);
  EXPECT_EQ(r.result, 1);
  EXPECT_EQ(r.value, 1);
  const CG_GraphicEditorOptions& o = d.editor->options;
  EXPECT_EQ(o.UseColor, 0);
  EXPECT_EQ(o.DirectDraw, 1);
  EXPECT_EQ(std::vector<double>(o.Background, o.Background + 3), (std::vector<double>{0.1, 0.2, 0.3}));
  EXPECT_EQ(std::vector<double>(o.SelectedObject, o.SelectedObject + 3), (std::vector<double>{0.9, 0.35, 0}));
  EXPECT_EQ(o.ShowMode, 0);
  EXPECT_EQ(o.UseGrid, 1);
  EXPECT_DOUBLE_EQ(o.GridDim, 0.25);
  EXPECT_EQ(o.UseUndo, 0);
  EXPECT_EQ(o.UndoFreq, 2);
  EXPECT_EQ(o.InvertY, 1);
  EXPECT_STREQ(d.editor->scene.GetLibraryDir(), "/srv/zavo/lib");
  EXPECT_STREQ(o.PreviewType.Text(), "studio");
  EXPECT_EQ(o.PreviewSize, 80);
  EXPECT_EQ(o.KeepEdge, 0);
}

TEST(OptionsDialog, KeepsWhatTheFormLeavesOpen) {
  struct Case {
    const char* what;
    int test;
    Values values;
    std::function<void(const CG_GraphicEditor&, const std::string& library)> check;
  };
  const std::vector<Case> cases = {
      {"an empty library directory keeps it", 0, {{"LibraryDir", ""}},
       [](const CG_GraphicEditor& e, const std::string& library) {
         EXPECT_EQ(std::string(e.scene.GetLibraryDir()), library);
       }},
      {"a show mode the list does not offer keeps it", 0, {{"ShowMode", "tinteractive"}},
       [](const CG_GraphicEditor& e, const std::string&) { EXPECT_EQ(e.options.ShowMode, 2); }},
      {"no show mode chosen keeps it", 0, {},
       [](const CG_GraphicEditor& e, const std::string&) { EXPECT_EQ(e.options.ShowMode, 2); }},
      {"the third mode in test mode", 1, {{"ShowMode", "tinteractive"}},
       [](const CG_GraphicEditor& e, const std::string&) { EXPECT_EQ(e.options.ShowMode, 2); }},
      {"without test mode the preview size stays", 0, {},
       [](const CG_GraphicEditor& e, const std::string&) { EXPECT_EQ(e.options.PreviewSize, 64); }},
      {"no preview scene chosen keeps the type", 0, {{"PreviewType", ""}},
       [](const CG_GraphicEditor& e, const std::string&) { EXPECT_STREQ(e.options.PreviewType.Text(), "fast"); }},
      {"numbers read by their prefix", 0, {{"GridDim", " 1.5e-1 mm"}, {"Undo/UndoFreq", "-4.7"}},
       [](const CG_GraphicEditor& e, const std::string&) {
         EXPECT_DOUBLE_EQ(e.options.GridDim, 0.15);
         EXPECT_EQ(e.options.UndoFreq, -4);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Document d(c.test);
    d.fakes.dialog.Answer({c.values, {}, true});
    EXPECT_EQ(d.driver.Request(47).value, 1);
    c.check(*d.editor, d.library.Path());
  }
}

TEST(OptionsDialog, CancelChangesNothing) {
  Document d(1);
  const CG_GraphicEditorOptions before = d.editor->options;
  d.fakes.dialog.Answer({{{"UseColor", "0"}, {"GridDim", "7"}, {"LibraryDir", "/elsewhere"}}, {}, false});
  const RequestResult r = d.driver.Request(47);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.value, 0);
  EXPECT_EQ(d.editor->options.UseColor, before.UseColor);
  EXPECT_DOUBLE_EQ(d.editor->options.GridDim, before.GridDim);
  EXPECT_EQ(std::string(d.editor->scene.GetLibraryDir()), d.library.Path());
}

}  // namespace
}  // namespace zavo::test
