// One scripted session through requests, as the window layer sends them:
// New, a merge, Save As, layers, Save with backup, a Save As that cannot
// write, New and Open again, and a damaged scene that fails to open.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> LayerNames(const CG_GraphicEditor& editor) {
  std::vector<std::string> names;
  for (const Layer& layer : editor.layers) names.emplace_back(layer.name.Text());
  return names;
}

std::vector<std::string> ItemNames(const CG_GraphicEditor& editor) {
  std::vector<std::string> names;
  for (const CG_SceneEditorItem& item : editor.items) names.emplace_back(item.object->name.Text());
  return names;
}

std::vector<std::string> EntryNames(const Layer* layer) {
  std::vector<std::string> names;
  if (layer == nullptr) return names;
  for (const LayerItem& entry : layer->items) names.emplace_back(entry.item->object->name.Text());
  return names;
}

std::vector<double> Box(const CG_GraphicEditor& editor, int view) {
  return std::vector<double>(editor.viewBoxes[view], editor.viewBoxes[view] + 6);
}

TEST_F(DocumentTest, EndToEndSession) {
  const std::vector<double> b2Box{-1, -2, -3, 1, 2, 3};
  fakes.winSupp.settings[{"Editor", "UndoFreq"}] = "2";
  driver.Request(45);
  ASSERT_EQ(editor->options.UndoFreq, 2);

  // 1. New.
  ASSERT_EQ(driver.Request(65).result, 1);
  EXPECT_EQ(LastTitle(), "ZI Rizeda - No name [ default ] ");
  EXPECT_EQ(driver.Request(76).result, 0);

  // 2. Merge two boxes into the unnamed document; fit view 0 to b2.
  WriteFile("parts.qz", kPartsScene);
  fakes.system.messages.clear();
  driver.Request(69, "parts.qz");
  EXPECT_EQ(ItemNames(*editor), (std::vector<std::string>{"camera", "b1", "b2"}));
  EXPECT_EQ(EntryNames(editor->activeLayer), (std::vector<std::string>{"camera", "b1", "b2"}));
  EXPECT_EQ(LastMessage(), "No name.Cannot undo.");
  EXPECT_EQ(driver.Request(76).result, 1);
  driver.Request(78, nullptr, 0);
  fakes.listShower.AnswerText("b2");
  EXPECT_EQ(driver.Request(86).result, 1);
  EXPECT_EQ(Box(*editor, 0), b2Box);

  // 3. Save As "proj/house".
  fs::create_directory("proj");
  ASSERT_EQ(driver.Request(68, "proj/house").result, 1) << LastMessage();
  const std::string step3 = ReadFile("proj/house.qz");
  EXPECT_EQ(step3, SceneText());
  EXPECT_EQ(step3.substr(step3.size() - 2), ".\n");
  EXPECT_EQ(ReadFile("proj/house.qzd/editor/layers"), "1\ndefault\n3\ncamera\nb1\nb2\n");
  const std::string views = ReadFile("proj/house.qzd/editor/_viewdt1");
  EXPECT_EQ(views.rfind("4\n-1\n-2\n-3\n1\n2\n3\n", 0), 0u) << views;
  const std::string records = "\n3\ncamera\n0\n1\n1\n\nb1\n0\n1\n1\n\nb2\n0\n1\n1\n\n";
  ASSERT_GT(views.size(), records.size());
  EXPECT_EQ(views.substr(views.size() - records.size()), records) << views;
  EXPECT_EQ(std::count(views.begin(), views.end(), '\n'), 1 + 24 + 1 + 15);
  EXPECT_EQ(LastTitle(), "ZI Rizeda - proj/house.qz [ default ] ");
  EXPECT_EQ(driver.Request(76).result, 0);

  // 4. A layer "roof" holding b2; two layer choices are two changes.
  fakes.dialog.Answer({{{"layer", "roof"}}, {}, true});
  driver.Request(31);
  fakes.listShower.AnswerText("roof");
  driver.Request(35);
  EXPECT_FALSE(fs::exists("proj/house.qzd/editor/undo/index"));
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(editor->scene.GetParam().CameraInUse.Text(), nullptr);
  fakes.dialog.Answer({{{"Object", "b2"}}, {"add"}, true});
  driver.Request(30);
  EXPECT_EQ(EntryNames(editor->FindLayer("roof")), (std::vector<std::string>{"b2"}));
  fakes.listShower.AnswerText("default");
  driver.Request(35);
  EXPECT_EQ(ReadFile("proj/house.qzd/editor/undo/index"), "0\n");
  EXPECT_EQ(ReadFile("proj/house.qzd/editor/undo/u00000.qz"), SceneText());

  // 5. Save: the backup is the file of step 3.
  EXPECT_EQ(driver.Request(67).result, 1);
  EXPECT_EQ(ReadFile("proj/house.bak"), step3);
  EXPECT_EQ(ReadFile("proj/house.qz"), SceneText());
  EXPECT_EQ(ReadFile("proj/house.qzd/editor/layers"), "2\ndefault\n3\ncamera\nb1\nb2\nroof\n1\nb2\n");
  EXPECT_EQ(driver.Request(76).result, 0);

  // 6. Save As where a folder would have to be a file.
  WriteFile("afile", "a plain file\n");
  const std::size_t titles = fakes.winSupp.titles.size();
  EXPECT_EQ(driver.Request(68, "afile/s").result, 0);
  EXPECT_EQ(LastMessage(), "Cannot write afile/s.qz");
  EXPECT_EQ(std::string(editor->name.Text()), "proj/house");
  EXPECT_EQ(fakes.winSupp.titles.size(), titles);
  EXPECT_EQ(driver.Request(76).result, 0);

  // 7. New, then open the saved scene again.
  fakes.winSupp.questions.clear();
  ASSERT_EQ(driver.Request(65).result, 1);
  EXPECT_TRUE(fakes.winSupp.questions.empty());
  ASSERT_EQ(driver.Request(66, "proj/house").result, 1) << LastMessage();
  EXPECT_EQ(ItemNames(*editor), (std::vector<std::string>{"camera", "b1", "b2"}));
  EXPECT_EQ(LayerNames(*editor), (std::vector<std::string>{"default", "roof"}));
  ASSERT_NE(editor->activeLayer, nullptr);
  EXPECT_EQ(std::string(editor->activeLayer->name.Text()), "default");
  EXPECT_EQ(Box(*editor, 0), b2Box);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(SceneText(), ReadFile("proj/house.qz"));

  // 8. A damaged scene: the message, then a fresh unnamed document.
  WriteFile("proj/bad.qz", "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
                           "\n{ terrain name t1; }\n.\n");
  fakes.system.messages.clear();
  EXPECT_EQ(driver.Request(66, "proj/bad").result, 0);
  ASSERT_FALSE(fakes.system.messages.empty());
  EXPECT_EQ(fakes.system.messages.front(),
            "Error in loading.\n\nError Description : Unknown section\nError Line : 3\n");
  EXPECT_EQ(LastTitle(), "ZI Rizeda - No name [ default ] ");
  const auto before = fs::last_write_time("proj/house.qz");
  EXPECT_EQ(driver.Request(67).result, 0);
  EXPECT_FALSE(fs::exists("proj/bad.bak"));
  EXPECT_FALSE(fs::exists("proj/bad.qzd"));
  EXPECT_EQ(fs::last_write_time("proj/house.qz"), before);
}

}  // namespace
}  // namespace zavo::test
