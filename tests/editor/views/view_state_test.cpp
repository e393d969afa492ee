// The view file beside a scene: world boxes and display settings written on
// save and read back on open; views fitted when there is no usable file.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../document_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

const fs::path kViewFile = fs::path("house.qzd") / "editor" / "_viewdt1";

class ViewStateTest : public DocumentTest {
protected:
  void SetBoxes() {
    for (int v = 0; v < 4; ++v) {
      const double s = v + 1;
      const double box[6] = {-1.23456789 * s, -2.5 * s, 1e-7, 3.3 * s, 4.25 * s, 1234567.8 * s};
      std::copy(box, box + 6, editor->viewBoxes[v]);
    }
  }
  void ExpectBoxesNear(const double expected[4][6]) {
    for (int v = 0; v < 4; ++v) {
      for (int k = 0; k < 6; ++k) {
        const double e = expected[v][k];
        EXPECT_NEAR(editor->viewBoxes[v][k], e, std::abs(e) * 5e-6) << v << " " << k;
      }
    }
  }
};

TEST_F(ViewStateTest, SaveThenLoadRestoresBoxesAndDisplaySettings) {
  Read(kPartsScene);
  SetBoxes();
  double saved[4][6];
  std::copy(&editor->viewBoxes[0][0], &editor->viewBoxes[0][0] + 24, &saved[0][0]);
  Item("b1")->display = IntTriple{2, 0, 3};  // style 2, centre 0, fastview 3
  Item("b2")->display = IntTriple{1, 1, 7};
  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  const std::string text = ReadFile(kViewFile);
  EXPECT_EQ(text.substr(0, 2), "4\n");
  EXPECT_NE(text.find("\n-1.23457\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n1e-07\n"), std::string::npos);
  EXPECT_NE(text.find("\n-2.5\n"), std::string::npos);
  EXPECT_NE(text.find("\n3\ncamera\n0\n1\n1\n\nb1\n2\n3\n0\n\nb2\n1\n7\n1\n\n"), std::string::npos) << text;

  ASSERT_EQ(driver.Request(65).result, 1);
  ASSERT_EQ(driver.Request(66, "house").result, 1) << LastMessage();
  ExpectBoxesNear(saved);
  EXPECT_EQ(Item("b1")->display.style, 2);
  EXPECT_EQ(Item("b1")->display.fastview, 3);
  EXPECT_EQ(Item("b1")->display.centre, 0);
  EXPECT_EQ(Item("b2")->display.style, 1);
  EXPECT_EQ(Item("b2")->display.fastview, 7);
  EXPECT_EQ(Item("b2")->display.centre, 1);
}

// Without a usable view file the views are fitted around the objects.
TEST_F(ViewStateTest, ViewsFittedWithoutAUsableFile) {
  struct Case {
    const char* what;
    const char* file;  // null: no file
    const char* scene;
    bool fitted;
  };
  const char* spanTen =
      "{ object name b1; model { box xmin 1; xmax 11; ymin 0.5; ymax 2.5; zmin -3; zmax 4; } }\n"
      "{ object name b2; model { box xmin 2; xmax 3; ymin 2; ymax 3; zmin 2; zmax 3; } }\n.\n";
  const std::vector<Case> cases{
      {"no file", nullptr, spanTen, true},
      {"three views", "3\n0\n0\n0\n1\n1\n1\n", spanTen, true},
      {"empty file", "", spanTen, true},
      {"boxes cut short", "4\n1\n2\n", spanTen, true},
      {"no object with a box", nullptr, ".\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir local;
    ScopedCwd here(local.path());
    WriteFile("house.qz", c.scene);
    if (c.file != nullptr) {
      fs::create_directories(kViewFile.parent_path());
      WriteFile(kViewFile, c.file);
    }
    for (auto& box : editor->viewBoxes) {
      const double previous[6] = {-7, -7, -7, 7, 7, 7};
      std::copy(previous, previous + 6, box);
    }
    editor->modified = 0;
    ASSERT_EQ(driver.Request(66, "house").result, 1) << LastMessage();
    const double expected[6] = {6 - 5.5, 1.75 - 5.5, 0.5 - 5.5, 6 + 5.5, 1.75 + 5.5, 0.5 + 5.5};
    const double previous[6] = {-7, -7, -7, 7, 7, 7};
    for (int v = 0; v < 4; ++v) {
      for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(editor->viewBoxes[v][k], c.fitted ? expected[k] : previous[k], 1e-9) << v << " " << k;
      }
    }
    // The folders are made on the way.
    EXPECT_TRUE(fs::is_directory(kViewFile.parent_path()));
  }
}

// Records go to the last item of their name; unknown names and a renamed
// object change nothing; a long name reads back whole.
TEST_F(ViewStateTest, RecordsGoToTheLastItemOfTheirName) {
  const std::string longName(400, 'q');
  // Longer than any scanner token: such a name comes from the editor, not from a scene text.
  Read((std::string("{ object name tall; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n") +
        kPartsScene)
           .c_str());
  editor->scene.FindObject("tall")->name = longName.c_str();
  // A second item of b1's object: the last one gets the record.
  CG_SceneEditorItem* first = Item("b1");
  CG_SceneEditorItem* second = editor->CreateItem(editor->scene.FindObject("b1"));
  ASSERT_NE(second, nullptr);
  Item("b2")->display = IntTriple{0, 1, 1};
  std::ostringstream head;
  head << "4\n";
  for (int k = 0; k < 24; ++k) head << (k % 6 < 3 ? -4 : 4) << "\n";
  const std::string file = head.str() + "4\n" + longName + "\n1\n9\n0\n\nb1\n2\n5\n0\n\nrenamed\n1\n0\n2\n\n" +
                           "b2\n7\n";  // cut short inside the last record
  editor->name = "house";
  editor->named = 1;
  fs::create_directories(kViewFile.parent_path());
  WriteFile(kViewFile, file);
  EXPECT_EQ(editor->LoadViews(), 1);
  const IntTriple unchanged;
  EXPECT_EQ(first->display.style, unchanged.style);
  EXPECT_EQ(second->display.style, 2);
  EXPECT_EQ(second->display.fastview, 5);
  EXPECT_EQ(second->display.centre, 0);
  CG_SceneEditorItem* longItem = Item(longName.c_str());
  EXPECT_EQ(longItem->display.style, 1);
  EXPECT_EQ(longItem->display.fastview, 9);
  EXPECT_EQ(Item("b2")->display.style, 0);
  EXPECT_EQ(editor->viewBoxes[2][0], -4);
  EXPECT_EQ(editor->viewBoxes[2][5], 4);
}

TEST_F(ViewStateTest, NothingWithoutAName) {
  EXPECT_EQ(editor->SaveViews(), 0);
  EXPECT_EQ(editor->LoadViews(), 0);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

}  // namespace
}  // namespace zavo::test
