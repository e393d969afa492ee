// New, Open, Save and Save As of the editor document: the questions, the
// backup, the files beside the scene, and what a failed save or open leaves.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

TEST_F(DocumentTest, NewAsksOnAModifiedDocumentAndKeepsItUnlessYes) {
  struct Case {
    int answer;
    int result;
    bool cleared;
  };
  for (const Case& c : std::vector<Case>{{0, 0, false}, {-1, 0, false}, {1, 1, true}}) {
    SCOPED_TRACE(c.answer);
    Read(kPartsScene);
    editor->modified = 1;
    fakes.winSupp.askAnswers.push_back(c.answer);
    fakes.winSupp.questions.clear();
    EXPECT_EQ(driver.Request(65).result, c.result);
    ASSERT_EQ(fakes.winSupp.questions.size(), 1u);
    EXPECT_EQ(fakes.winSupp.questions[0].first, "Scene not saved.Delete it ?");
    EXPECT_EQ(fakes.winSupp.questions[0].second, "Warning");
    EXPECT_EQ(editor->scene.FindObject("b1") == nullptr, c.cleared);
    EXPECT_EQ(editor->modified, c.cleared ? 0 : 1);
  }
}

TEST_F(DocumentTest, NewLeavesTheEmptyNamelessDocument) {
  Read(kPartsScene);
  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  fakes.winSupp.questions.clear();
  EXPECT_EQ(driver.Request(65).result, 1);
  EXPECT_TRUE(fakes.winSupp.questions.empty());  // not modified: no question
  EXPECT_EQ(editor->named, 0);
  EXPECT_EQ(editor->name.Text(), nullptr);
  EXPECT_EQ(editor->modified, 0);
  EXPECT_EQ(std::string(editor->scene.GetName()), "zavo");
  EXPECT_NE(editor->scene.GetMaterials().Find("standard"), nullptr);
  ASSERT_NE(editor->activeLayer, nullptr);
  EXPECT_EQ(std::string(editor->activeLayer->name.Text()), "default");
  CG_GraphicObject* camera = editor->scene.FindObject("camera");
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), camera);
  ASSERT_EQ(Count(editor->activeLayer->items), 1);
  EXPECT_EQ(editor->activeLayer->items.First()->item->object, camera);
  EXPECT_EQ(LastTitle(), "ZI Rizeda - No name [ default ] ");
}

TEST_F(DocumentTest, TitleShowsNameLayerAndFrame) {
  EXPECT_EQ(driver.Request(64).result, 0);
  EXPECT_EQ(LastTitle(), "ZI Rizeda - No name [ default ] ");
  editor->name = "proj/house";
  editor->named = 1;
  driver.Request(77, nullptr, 1);
  editor->currentFrame = 3;
  driver.Request(64);
  EXPECT_EQ(LastTitle(), "ZI Rizeda - proj/house.qz [ default ]  { 3 } ");
  editor->activeLayer = nullptr;
  driver.Request(77, nullptr, 0);
  driver.Request(64);
  EXPECT_EQ(LastTitle(), "ZI Rizeda - proj/house.qz");
}

TEST_F(DocumentTest, SaveKeepsThePreviousSaveAsBackup) {
  Read(kPartsScene);
  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  const std::string first = ReadFile("house.qz");
  EXPECT_EQ(first, SceneText());
  EXPECT_EQ(first.substr(first.size() - 2), ".\n");
  WriteFile("house.bak", "an old backup\n");  // replaced, never kept stale
  Drop("b2");
  editor->modified = 1;
  EXPECT_EQ(driver.Request(67).result, 1);
  EXPECT_EQ(editor->modified, 0);
  EXPECT_EQ(ReadFile("house.bak"), first);
  EXPECT_EQ(ReadFile("house.qz"), SceneText());
  EXPECT_EQ(SceneText().find("b2"), std::string::npos);
  // Nothing but the scene, its backup and its folder.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"house.bak", "house.qz", "house.qzd"}));
}

// A save that cannot write keeps the document modified and every file as it was.
TEST_F(DocumentTest, FailedSaveKeepsFilesAndModifiedFlag) {
  struct Case {
    const char* what;
    const char* blocker;  // made a directory before the save
    const char* message;
  };
  const std::vector<Case> cases{
      {"backup is a folder", "house.bak", "Cannot write house.bak"},
      {"scene is a folder", nullptr, "Cannot write house.qz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir local;
    ScopedCwd here(local.path());
    Read(kPartsScene);
    ASSERT_EQ(editor->SaveSceneAs("house"), 1);
    const std::string saved = ReadFile("house.qz");
    if (c.blocker != nullptr) {
      fs::create_directory(c.blocker);
    } else {
      fs::remove("house.qz");
      fs::create_directories("house.qz/x");
    }
    Drop("b1");
    editor->modified = 1;
    fakes.system.messages.clear();
    EXPECT_EQ(driver.Request(67).result, 0);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(editor->modified, 1);
    if (c.blocker != nullptr) { EXPECT_EQ(ReadFile("house.qz"), saved); }
    for (const auto& entry : fs::directory_iterator(local.path())) {
      EXPECT_EQ(entry.path().filename().string().rfind('.', 0), std::string::npos) << entry.path();
    }
  }
}

TEST_F(DocumentTest, SaveWithoutNameWritesNothing) {
  Read(kPartsScene);
  editor->modified = 1;
  EXPECT_EQ(driver.Request(67).result, 0);
  EXPECT_EQ(editor->modified, 1);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(DocumentTest, SaveAsIntoAFileKeepsTheDocument) {
  Read(kPartsScene);
  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  editor->modified = 1;
  WriteFile("afile", "plain\n");
  fakes.system.messages.clear();
  const std::size_t titles = fakes.winSupp.titles.size();
  EXPECT_EQ(driver.Request(68, "afile/s").result, 0);
  EXPECT_EQ(LastMessage(), "Cannot write afile/s.qz");
  EXPECT_EQ(std::string(editor->name.Text()), "house");
  EXPECT_EQ(editor->modified, 1);
  EXPECT_EQ(fakes.winSupp.titles.size(), titles);
  EXPECT_EQ(std::string(editor->scene.GetName()), "house");
}

TEST_F(DocumentTest, LoadOfAModifiedDocumentTouchesNothing) {
  Read(kPartsScene);
  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  Drop("b2");
  editor->modified = 1;
  EXPECT_EQ(driver.Request(66, "house").result, 0);
  EXPECT_EQ(editor->scene.FindObject("b2"), nullptr);
  EXPECT_NE(editor->scene.FindObject("b1"), nullptr);
  EXPECT_EQ(editor->modified, 1);
}

// A failed open leaves a fresh unnamed document: no later save can write over
// the damaged file or the scene that was open before.
TEST_F(DocumentTest, FailedLoadLeavesANewDocument) {
  Read(kPartsScene);
  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  const std::string saved = ReadFile("house.qz");
  const std::string damaged = "{ object name b1; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n\n"
                              "{ scenery }\n.\n";
  WriteFile("bad.qz", damaged);
  fakes.system.messages.clear();
  EXPECT_EQ(driver.Request(66, "bad").result, 0);
  ASSERT_FALSE(fakes.system.messages.empty());
  EXPECT_EQ(fakes.system.messages.front(),
            "Error in loading.\n\nError Description : Unknown section\nError Line : 3\n");
  EXPECT_EQ(editor->named, 0);
  EXPECT_EQ(editor->modified, 0);
  EXPECT_EQ(editor->scene.FindObject("b1"), nullptr);
  ASSERT_NE(editor->scene.FindObject("camera"), nullptr);
  EXPECT_NE(editor->scene.GetMaterials().Find("standard"), nullptr);
  ASSERT_NE(editor->activeLayer, nullptr);
  EXPECT_EQ(std::string(editor->activeLayer->name.Text()), "default");
  EXPECT_EQ(LastTitle(), "ZI Rizeda - No name [ default ] ");
  EXPECT_EQ(driver.Request(67).result, 0);
  EXPECT_EQ(ReadFile("bad.qz"), damaged);
  EXPECT_EQ(ReadFile("house.qz"), saved);

  fakes.system.messages.clear();
  EXPECT_EQ(driver.Request(66, "missing").result, 0);
  ASSERT_FALSE(fakes.system.messages.empty());
  EXPECT_EQ(fakes.system.messages.front(),
            "Error in loading.\n\nError Description : Cannot open missing.qz\nError Line : 0\n");
}

// A scene written on another system keeps opening from the name typed in
// any case: the exact file first, then the one whose name differs in case.
TEST_F(DocumentTest, LoadFindsTheSceneFileWhateverTheCaseOfItsName) {
  const std::string ball =
      "{ object name b1; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n.\n";
  WriteFile("ROOM.QZ", ball);
  ASSERT_EQ(driver.Request(66, "ROOM").result, 1) << LastMessage();
  EXPECT_NE(editor->scene.FindObject("b1"), nullptr);
  // With both spellings present the exact one wins.
  WriteFile("ROOM.qz", "{ object name b2; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n.\n");
  ASSERT_EQ(driver.Request(66, "ROOM").result, 1) << LastMessage();
  EXPECT_NE(editor->scene.FindObject("b2"), nullptr);
  EXPECT_EQ(editor->scene.FindObject("b1"), nullptr);
}

TEST_F(DocumentTest, LoadKeepsTheSceneOwnStandardMaterial) {
  WriteFile("lit.qz",
            "{ material name standard; model { phong Ka 0.3; Kd 0.4; Ks 0.3; Od (0.9,0.1,0.2); } }\n"
            "{ object name b1; material standard; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; "
            "zmin 0.1; zmax 1.1; } }\n.\n");
  const std::string original = ReadFile("lit.qz");
  ASSERT_EQ(driver.Request(66, "lit").result, 1) << LastMessage();
  const std::string text = SceneText();
  EXPECT_NE(text.find("0.9"), std::string::npos) << text;
  EXPECT_EQ(editor->named, 1);
  EXPECT_EQ(std::string(editor->scene.GetName()), "lit");
  EXPECT_EQ(LastTitle(), "ZI Rizeda - lit.qz [ default ] ");
  // Load adds no camera; every item is in "default".
  EXPECT_EQ(editor->scene.FindObject("camera"), nullptr);
  ASSERT_NE(editor->activeLayer, nullptr);
  EXPECT_EQ(Count(editor->activeLayer->items), Count(editor->items));
  EXPECT_EQ(ReadFile("lit.qz"), original);
}

// The layers of a reopened scene: "default" is made when the layers file
// lacks it, and it always shows the camera in use.
TEST_F(DocumentTest, LoadMakesTheDefaultLayerAndShowsTheCamera) {
  struct Case {
    const char* what;
    const char* layers;  // null: no layers file
    std::vector<std::string> layerNames;
    std::vector<std::string> defaultEntries;
  };
  const std::vector<Case> cases{
      {"no layers file", nullptr, {"default"}, {"camera", "b1", "b2"}},
      {"no default", "1\nroof\n1\nb2\n", {"roof", "default"}, {"camera", "b1", "b2"}},
      {"default without the camera", "2\ndefault\n1\nb1\nroof\n1\nb2\n", {"default", "roof"}, {"b1", "camera"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir local;
    ScopedCwd here(local.path());
    WriteFile("house.qz", std::string("{ param CameraInUse camera; }\n") +
                              "{ object name camera; model { camera } }\n" + kPartsScene);
    if (c.layers != nullptr) {
      fs::create_directories("house.qzd/editor");
      WriteFile("house.qzd/editor/layers", c.layers);
    }
    editor->modified = 0;
    ASSERT_EQ(driver.Request(66, "house").result, 1) << LastMessage();
    ASSERT_NE(editor->scene.GetCurrentCamera(), nullptr);
    std::vector<std::string> names;
    for (const Layer& layer : editor->layers) names.emplace_back(layer.name.Text());
    EXPECT_EQ(names, c.layerNames);
    ASSERT_NE(editor->activeLayer, nullptr);
    EXPECT_EQ(std::string(editor->activeLayer->name.Text()), "default");
    std::vector<std::string> entries;
    for (const LayerItem& entry : editor->activeLayer->items) entries.emplace_back(entry.item->object->name.Text());
    EXPECT_EQ(entries, c.defaultEntries);
  }
}

}  // namespace
}  // namespace zavo::test
