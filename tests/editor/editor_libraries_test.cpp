// The libraries of render parameters and fields (requests 83 and 85): the
// entries listed, the merge on OK, a folder that cannot be listed, Cancel.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "library_fixture.h"

namespace zavo::test {
namespace {

struct Document {
  Document() : editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->options.UseUndo = 0;
    editor->scene.SetLibraryDir(library.Path().c_str());
  }

  LibraryFolder library;
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
};

TEST(EditorLibraries, ListOnlySceneFilesByName) {
  struct Case {
    int request;
    const char* title;
    const char* tree;  // in byte order: capitals first
  };
  for (const Case& c : {Case{83, "Library param", "ListBox_obj Param =  [B|Lo|a|hi]"},
                        Case{85, "Library field", "ListBox_obj Field =  [B|a|f1]"}}) {
    SCOPED_TRACE(c.title);
    Document d;
    const std::string folder = c.request == 83 ? "param/" : "field/";
    d.library.Put(folder + "a.qz", "{ param\n  dimx 90;\n}\n.\n");
    d.library.Put(folder + "B.QZ", "{ param\n  dimx 91;\n}\n.\n");
    d.library.Put(folder + "c.txt", "not a scene\n");
    d.library.Put(folder + "d.qzd/x.qz", ".\n");
    d.fakes.dialog.AnswerCancel();
    EXPECT_EQ(d.driver.Request(c.request).result, 0);
    ASSERT_EQ(d.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(d.fakes.dialog.calls[0].title, c.title);
    EXPECT_EQ(d.fakes.dialog.calls[0].tree, std::vector<std::string>{c.tree});
    EXPECT_EQ(d.editor->scene.GetParam().dimx, 100);
    EXPECT_EQ(d.editor->modified, 0);
  }
}

TEST(EditorLibraries, OkMergesTheChosenFragment) {
  Document d;
  d.fakes.dialog.Answer({{{"Param", "hi"}}, {}, true});
  EXPECT_EQ(d.driver.Request(83).result, 1);
  const RequestResult size = d.driver.Request(3);
  EXPECT_EQ(size.value, 64);
  EXPECT_EQ(size.value2, 48);

  d.fakes.dialog.Answer({{{"Field", "f1"}}, {}, true});
  EXPECT_EQ(d.driver.Request(85).result, 1);
  EXPECT_NE(d.editor->scene.FindObject("f1"), nullptr);
  EXPECT_NE(d.editor->FindItem(d.editor->scene.FindObject("f1")), nullptr);
  EXPECT_EQ(d.driver.Request(76).result, 1);
}

TEST(EditorLibraries, AFolderThatCannotBeListedOffersNothing) {
  Document d;
  d.editor->scene.SetLibraryDir((d.library.Path() + "/missing").c_str());
  d.fakes.dialog.Answer({{}, {}, true});
  EXPECT_EQ(d.driver.Request(83).result, 1);
  EXPECT_EQ(d.fakes.dialog.calls[0].tree, std::vector<std::string>{"ListBox_obj Param =  []"});
  EXPECT_EQ(d.editor->scene.GetParam().dimx, 100);
}

}  // namespace
}  // namespace zavo::test
