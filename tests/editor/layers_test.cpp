// Layers: the five layer requests, the switch of the views between layer
// choices, entries following their items, and the layers file.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor/layers_file.h"
#include "editor/views/raster_image.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

constexpr const char* kScene =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name b2; model { box xmin -6.3; xmax -2.7; ymin -2.2; ymax 1.9; zmin -3; zmax 3; } }\n"
    "{ object name b3; model { box xmin 0.5; xmax 2.25; ymin 4; ymax 6.5; zmin 0; zmax 2; } }\n"
    ".\n";

std::vector<std::string> Names(const Layer& layer) {
  std::vector<std::string> out;
  for (const LayerItem& entry : layer.items) out.emplace_back(entry.item->object->name.Text());
  return out;
}

std::vector<std::string> LayerNames(const CG_GraphicEditor& editor) {
  std::vector<std::string> out;
  for (const Layer& layer : editor.layers) out.emplace_back(layer.name.Text());
  return out;
}

class Layers : public ::testing::Test {
protected:
  Layers() : editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->SetView(0, &top, 2);
    std::istringstream in(kScene);
    EXPECT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
    for (const char* n : {"b1", "b2", "b3"}) {
      CG_SceneEditorItem* item = editor->CreateItem(editor->scene.FindObject(n));
      editor->InsertItem(item);
      editor->activeLayer->Add(item);
    }
    editor->ProjectAllItems();
    editor->RefreshViews();
  }

  CG_SceneEditorItem* Item(const char* n) { return editor->FindItem(editor->scene.FindObject(n)); }
  // Pixels of the Top view that are not white, left (x < 0) or right of the middle.
  int Ink(bool right) {
    int n = 0;
    for (int y = 0; y < top.Height(); ++y) {
      for (int x = right ? top.Width() / 2 + 1 : 0; x < (right ? top.Width() : top.Width() / 2 - 1); ++x) {
        n += top.Pixel(x, y) == RasterPixel{255, 255, 255} ? 0 : 1;
      }
    }
    return n;
  }
  // A layer with the named items, in that order.
  Layer* MakeLayer(const char* layerName, std::vector<const char*> members) {
    Layer* layer = editor->NewLayer(layerName);
    for (const char* m : members) layer->Add(Item(m));
    return layer;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
  RasterWireFrameImage top{200, 200};
};

TEST_F(Layers, ChoosingALayerShowsOnlyItsItemsAndAllShowsThemAgain) {
  MakeLayer("front", {"b1"});
  ASSERT_GT(Ink(false), 0);  // b2 on the left
  ASSERT_GT(Ink(true), 0);   // b1 on the right

  fakes.listShower.AnswerText("front");
  driver.Request(35);
  EXPECT_EQ(fakes.listShower.titles.back(), "Choose a layer");
  EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"default", "front", "** ALL **"}));
  ASSERT_NE(editor->activeLayer, nullptr);
  EXPECT_STREQ(editor->activeLayer->name.Text(), "front");
  EXPECT_EQ(Ink(false), 0);  // b2 erased
  EXPECT_GT(Ink(true), 0);
  EXPECT_EQ(Item("b2")->segments[0].Count(), 0u);  // its picture freed
  EXPECT_EQ(editor->modified, 1);
  // "front" lacks the camera: the camera in use and its name are gone.
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(editor->scene.GetParam().CameraInUse.Text(), nullptr);
  // The walk over the items follows the active layer.
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  std::vector<std::string> walked;
  editor->InitItemIterator(item, entry);
  while (editor->NextItem(item, entry) != 0) walked.emplace_back(item->object->name.Text());
  EXPECT_EQ(walked, (std::vector<std::string>{"b1"}));

  fakes.listShower.AnswerText("** ALL **");
  driver.Request(35);
  EXPECT_EQ(editor->activeLayer, nullptr);
  EXPECT_GT(Ink(false), 0);  // b2 drawn again from a new projection
  walked.clear();
  editor->InitItemIterator(item, entry);
  while (editor->NextItem(item, entry) != 0) walked.emplace_back(item->object->name.Text());
  EXPECT_EQ(walked, (std::vector<std::string>{"camera", "b1", "b2", "b3"}));

  // Cancel changes nothing.
  fakes.listShower.AnswerCancel();
  driver.Request(35);
  EXPECT_EQ(editor->activeLayer, nullptr);
}

TEST_F(Layers, ALayerWithTheCameraKeepsItInUse) {
  CG_GraphicObject* camera = editor->scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  MakeLayer("withcam", {"b2"})->Add(editor->FindItem(camera));
  EXPECT_EQ(editor->SetActiveLayer("withcam"), 1);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), camera);
  EXPECT_STREQ(editor->scene.GetParam().CameraInUse.Text(), "camera");
  // An unknown name keeps the active layer.
  editor->SetActiveLayer("nosuch");
  EXPECT_STREQ(editor->activeLayer->name.Text(), "withcam");
}

TEST_F(Layers, AddToLayerDialog) {
  MakeLayer("src", {"b3", "camera", "b1"});
  Layer* target = MakeLayer("target", {"b1"});
  editor->activeLayer = target;

  // "update" from a layer, then "add all": that layer's items not yet in
  // the active layer, in its order.
  fakes.dialog.Answer({{{"From layer", "src"}}, {"update", "add all"}, true});
  driver.Request(30);
  ASSERT_EQ(fakes.dialog.calls.size(), 1u);
  EXPECT_EQ(fakes.dialog.calls[0].title, "Add to layer");
  EXPECT_EQ(Names(*target), (std::vector<std::string>{"b1", "b3", "camera"}));

  // "update" without candidates empties "Object" and keeps its selection,
  // so that "add" still acts on that name.
  Layer* other = MakeLayer("other", {});
  editor->activeLayer = other;
  fakes.dialog.Answer({{{"From layer", "other"}, {"Object", "b2"}}, {"update"}, true});
  driver.Request(30);
  EXPECT_TRUE(Names(*other).empty());
  fakes.dialog.Answer({{{"From layer", "other"}, {"Object", "b2"}}, {"update", "add"}, true});
  driver.Request(30);
  EXPECT_EQ(Names(*other), (std::vector<std::string>{"b2"}));

  // "** ALL **": the scene objects with an item that the active layer lacks.
  fakes.dialog.Answer({{}, {"update", "add all", "add all"}, false});
  driver.Request(30);
  EXPECT_EQ(Names(*other), (std::vector<std::string>{"b2", "camera", "b1", "b3"}));

  // Without an active layer the buttons touch nothing.
  editor->activeLayer = nullptr;
  fakes.dialog.Answer({{}, {"update", "add", "add all"}, true});
  driver.Request(30);
  EXPECT_EQ(Names(*other).size(), 4u);
}

TEST_F(Layers, CreateDeleteAndRemoveFromLayer) {
  struct Case {
    const char* name;
    bool made;
    const char* message;
  };
  const Case cases[] = {
      {"roof", true, nullptr},
      {"roof", false, nullptr},  // used: nothing, no message
      {"2nd-floor", true, nullptr},
      {"", false, "'' not a valid name\nnull string not valid."},
      {"a b", false, "'a b' not a valid name\ncharacter ' ' not valid."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> before = LayerNames(*editor);
    const std::size_t messages = fakes.system.messages.size();
    fakes.dialog.Answer({{{"layer", c.name}}, {}, true});
    driver.Request(31);
    EXPECT_EQ(fakes.dialog.calls.back().title, "Create new layer");
    EXPECT_EQ(LayerNames(*editor).size(), before.size() + (c.made ? 1 : 0));
    if (c.message != nullptr) {
      ASSERT_EQ(fakes.system.messages.size(), messages + 1);
      EXPECT_EQ(fakes.system.messages.back(), c.message);
    } else {
      EXPECT_EQ(fakes.system.messages.size(), messages);
    }
  }
  EXPECT_EQ(LayerNames(*editor), (std::vector<std::string>{"default", "roof", "2nd-floor"}));
  EXPECT_EQ(editor->NewLayer("roof"), nullptr);

  // 32: the active layer cannot go; another one goes alone.
  fakes.listShower.AnswerText("default");
  driver.Request(32);
  EXPECT_EQ(fakes.system.messages.back(), "Layer Active. Cannot delete");
  EXPECT_EQ(fakes.listShower.titles.back(), "");
  editor->FindLayer("roof")->Add(Item("b1"));
  fakes.listShower.AnswerText("roof");
  driver.Request(32);
  EXPECT_EQ(LayerNames(*editor), (std::vector<std::string>{"default", "2nd-floor"}));
  EXPECT_NE(Item("b1"), nullptr);
  EXPECT_EQ(Names(*editor->activeLayer), (std::vector<std::string>{"camera", "b1", "b2", "b3"}));

  // 34: the chosen object leaves the active layer and the view, not the scene.
  fakes.listShower.AnswerText("b2");
  driver.Request(34);
  EXPECT_EQ(fakes.listShower.titles.back(), "Remove from layer");
  EXPECT_EQ(Names(*editor->activeLayer), (std::vector<std::string>{"camera", "b1", "b3"}));
  EXPECT_EQ(Ink(false), 0);
  EXPECT_NE(Item("b2"), nullptr);
  editor->activeLayer = nullptr;
  driver.Request(34);
  EXPECT_EQ(fakes.system.messages.back(), "Layer not selected");
}

TEST_F(Layers, EntriesFollowTheirItems) {
  Layer* a = MakeLayer("a", {"b1", "b2", "b1"});  // twice only by hand
  CG_SceneEditorItem* b1 = Item("b1");
  editor->selection.Append(new CG_EObjectSelection(b1));
  // Replaced: every entry and record now names the new item.
  CG_SceneEditorItem* fresh = editor->CreateItem(editor->scene.FindObject("b1"));
  editor->ReplaceItem(fresh, b1);
  for (const LayerItem& entry : a->items) EXPECT_NE(entry.item, b1);
  EXPECT_EQ(dynamic_cast<CG_EObjectSelection*>(editor->selection.First())->item, fresh);
  EXPECT_EQ(editor->FindLayer("default")->Find(fresh) != nullptr, true);
  // Without a new item the entries and records go.
  editor->ReplaceItem(nullptr, fresh);
  EXPECT_EQ(Names(*a), (std::vector<std::string>{"b2"}));
  EXPECT_EQ(editor->selection.First(), nullptr);
  // RemoveItem takes the item out of every layer.
  editor->RemoveItem(Item("b2"));
  EXPECT_TRUE(Names(*a).empty());
  EXPECT_EQ(Names(*editor->FindLayer("default")), (std::vector<std::string>{"camera", "b3"}));
}

// ---- The layers file ----

TEST_F(Layers, LayersFileRoundTrip) {
  TempDir dir;
  editor->name = (dir.path() / "proj" / "house").string().c_str();
  editor->named = 1;
  MakeLayer("empty", {});
  MakeLayer("walls", {"b3", "b1"});
  ASSERT_EQ(editor->SaveLayers(), 1);
  const auto file = dir.path() / "proj" / "house.qzd" / "editor" / "layers";
  EXPECT_EQ(ReadFile(file), "3\ndefault\n4\ncamera\nb1\nb2\nb3\nempty\n0\nwalls\n2\nb3\nb1\n");

  editor->layers.Clear();
  editor->activeLayer = nullptr;
  editor->NewLayer("stale");
  ASSERT_EQ(editor->LoadLayers(), 1);
  EXPECT_EQ(LayerNames(*editor), (std::vector<std::string>{"default", "empty", "walls"}));
  EXPECT_EQ(Names(*editor->FindLayer("walls")), (std::vector<std::string>{"b3", "b1"}));
  EXPECT_EQ(Names(*editor->FindLayer("default")), (std::vector<std::string>{"camera", "b1", "b2", "b3"}));
  EXPECT_TRUE(Names(*editor->FindLayer("empty")).empty());

  // A missing file keeps the layers; an unnamed document reads and writes nothing.
  std::filesystem::remove(file);
  EXPECT_EQ(editor->LoadLayers(), 0);
  EXPECT_EQ(LayerNames(*editor).size(), 3u);
  editor->named = 0;
  EXPECT_EQ(editor->SaveLayers(), 0);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(Layers, SavingWhereAFolderCannotBeMadeShowsTheFileAndKeepsNothingHalfWritten) {
  TempDir dir;
  WriteFile(dir / "afile", "x");
  editor->name = (dir.path() / "afile" / "s").string().c_str();
  editor->named = 1;
  EXPECT_EQ(editor->SaveLayers(), 0);
  ASSERT_FALSE(fakes.system.messages.empty());
  EXPECT_EQ(fakes.system.messages.back(),
            "Cannot write " + (dir.path() / "afile" / "s.qzd" / "editor" / "layers").string());
}

TEST_F(Layers, DamagedLayersFiles) {
  struct Case {
    const char* text;
    std::vector<std::string> layers;  // "name:entry,entry"
  };
  const Case cases[] = {
      {"", {}},
      {"abc\n", {}},
      {"-3\nx\n", {}},
      {"3\na\n1\nb1\n", {"a:b1"}},                       // fewer layers than announced
      {"1\nx\n999999999999\nb1\nb2\n", {"x:b1,b2"}},     // an entry count beyond the words
      {"99999999999999999999999\nx\n1\nb3\n", {"x:b3"}},  // out of range
      {"2\na\nzz\nb1\n", {"a:"}},                        // a count that is not a number
      {"2\na\n2\nnosuch\nb2\nb\n1\nb2\n", {"a:b2", "b:b2"}},
      {"1\nonly\n", {"only:"}},
      {"1 a 1 b1", {"a:b1"}},
  };
  const std::string withNul("2\na\n1\nb1\nx\0y\n0\n", 15);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DblList<Layer> read;
    std::istringstream in(c.text);
    ReadLayersText(in, editor->items, read);
    std::vector<std::string> got;
    for (const Layer& layer : read) {
      std::string s = std::string(layer.name.Text()) + ":";
      std::vector<std::string> names = Names(layer);
      for (std::size_t i = 0; i < names.size(); ++i) s += (i > 0 ? "," : "") + names[i];
      got.push_back(s);
    }
    EXPECT_EQ(got, c.layers);
  }
  // A NUL byte ends the data: a name cannot hold it.
  DblList<Layer> read;
  std::istringstream in(withNul);
  ReadLayersText(in, editor->items, read);
  ASSERT_NE(read.First(), nullptr);
  EXPECT_STREQ(read.First()->name.Text(), "a");
  EXPECT_EQ(read.First(), read.Last());
}

}  // namespace
}  // namespace zavo::test
