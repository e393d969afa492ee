// One session with the mouse, scripted as the window layer sends it: a view
// made active, a box created from the menu of empty space, selected, moved by
// its object menu and a click, then saved and opened again.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "models/core/transf.h"
#include "mouse_fixture.h"
#include "object_command_fixture.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

// An object module whose Info files it under a category; its Create puts a
// unit object of its keyword around the world point of the creation click.
class PlacingModule : public FakeObjectModule {
public:
  PlacingModule(const char* keyword, Strings path, std::string objectName, std::string (*lines)(const Point3D&))
      : FakeObjectModule("PlacingModule"), path_(std::move(path)), objectName_(std::move(objectName)), lines_(lines) {
    this->keyword = keyword;
  }
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override {
    Point3D at;
    int a = 0, b = 1, flip = 0;
    if (editor.creationClick == 0 ||
        editor.ViewPointToWorld(editor.creationView, editor.creationX, editor.creationY, at, a, b, flip) == 0) {
      return nullptr;
    }
    return editor.ReadObjectFromSceneText(
        editor.ObjectBuilderText(objectName_.c_str(), keyword.Text(), lines_(at)), objectName_.c_str());
  }
  void Info(Seq<charString>& names) override {
    names.SetSize(static_cast<std::uint32_t>(path_.size()));
    for (std::uint32_t i = 0; i < path_.size(); ++i) names[i] = path_[i].c_str();
  }

private:
  Strings path_;
  std::string objectName_;
  std::string (*lines_)(const Point3D&);
};

std::string Number(double v) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << v;
  return os.str();
}

std::string UnitBox(const Point3D& c) {
  return "xmin " + Number(c.x - 0.5) + "; xmax " + Number(c.x + 0.5) + "; ymin " + Number(c.y - 0.5) + "; ymax " +
         Number(c.y + 0.5) + "; zmin " + Number(c.z - 0.5) + "; zmax " + Number(c.z + 0.5) + ";\n";
}

std::string UnitSphere(const Point3D& c) {
  return "center ( " + Number(c.x) + " , " + Number(c.y) + " , " + Number(c.z) + " ); radius 1;\n";
}

// "t x y z, ..." of the transf of that name; "" when the object is none.
std::string StepsOf(CG_GraphicScene& scene, const char* name) {
  auto* wrapper = dynamic_cast<GTransf*>(scene.FindObject(name));
  if (wrapper == nullptr) return "";
  CG_TransfDescription description;
  wrapper->GetTransformList(description);
  std::string out;
  for (const t_Data& step : description.steps) {
    out += std::string(out.empty() ? "" : ", ") + StepKeyword(step.kind) + " " + Number(step.v[0]) + " " +
           Number(step.v[1]) + " " + Number(step.v[2]);
  }
  wrapper->SetTransformList(description);
  return out;
}

std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The program's object modules as recording fakes, then "box" and "sphere"
// filed under "primitive".
class MouseEndToEnd : protected ObjectCommandFactoryHolder, public MouseTest {
protected:
  MouseEndToEnd() {
    editor->objectModules.Append(new PlacingModule("box", {"primitive", "box"}, "k1", UnitBox));
    editor->objectModules.Append(new PlacingModule("sphere", {"primitive", "sphere"}, "s1", UnitSphere));
  }
  // The pixels of the Top view that differ between two of its pictures.
  std::vector<std::pair<int, int>> Changed(const std::vector<std::uint8_t>& before) const {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < top.Height(); ++y) {
      for (int x = 0; x < top.Width(); ++x) {
        const std::size_t at = 3 * (static_cast<std::size_t>(y) * top.Width() + x);
        if (!std::equal(before.begin() + at, before.begin() + at + 3, top.Buffer().begin() + at)) {
          out.emplace_back(x, y);
        }
      }
    }
    return out;
  }
};

TEST_F(MouseEndToEnd, CreateSelectAndMoveABoxByMouseThenSaveAndOpen) {
  constexpr RasterPixel kWhite{255, 255, 255};
  fakes.winSupp.settings[{"Editor.View", "ShowMode"}] = "0";
  driver.Request(45);
  driver.Request(65);

  // 1. The Top view becomes active and shows its marker.
  driver.LeftClick(0, 10, 10);
  EXPECT_EQ(driver.Request(74).value, 0);
  EXPECT_EQ(top.Pixel(1, 1), (RasterPixel{0, 55, 0}));

  // 2. The menu of empty space files the two modules under "primitive"; its
  //    box is made around the clicked point (5, 0, 0).
  std::vector<std::uint8_t> picture = top.Buffer();
  fakes.flyMenu.AnswerPath({"New", "primitive", "box"});
  driver.RightClick(0, 90, 40);
  ASSERT_EQ(fakes.flyMenu.menus.size(), 1u);
  const Strings& menu = fakes.flyMenu.menus.back();
  const auto primitive = std::find(menu.begin(), menu.end(), "  primitive");
  ASSERT_NE(primitive, menu.end());
  EXPECT_EQ(Strings(primitive, std::min(primitive + 3, menu.end())), (Strings{"  primitive", "    box", "    sphere"}));
  ASSERT_NE(Item("k1"), nullptr);
  EXPECT_TRUE(editor->FindLayer("default")->Holds(Item("k1")));
  EXPECT_FALSE(Changed(picture).empty());
  EXPECT_EQ(driver.Request(76).value, 1);

  // 3. A left click on it selects it and draws it in the selection colour.
  fakes.system.statuses.clear();
  driver.LeftClick(0, 90, 40);
  EXPECT_EQ(fakes.system.statuses, (Strings{"Selected k1", "Selected k1 [ box ]"}));
  EXPECT_EQ(top.Pixel(87, 40), (RasterPixel{0, 255, 0}));

  // 4. Its object menu starts the move.
  fakes.flyMenu.AnswerPath({"translate"});
  driver.RightClick(0, 90, 40);
  EXPECT_EQ(editor->mouseMode, 3);
  EXPECT_EQ(Status(), "Click with left button to move the object");
  EXPECT_EQ(driver.Request(50).value, 0);

  // 5. The pointer shows where it is and one rubber line to the start.
  picture = top.Buffer();
  driver.Move(0, 102, 28);
  EXPECT_EQ(StatusBar(), "x= 7  y= -2");
  EXPECT_EQ(Changed(picture), LinePixels(102, 28, 90, 40));

  // 6. The click takes the line away and moves the box by (2, -2, 0).
  driver.LeftClick(0, 102, 28);
  EXPECT_EQ(top.Pixel(96, 34), kWhite);  // the middle of the line, off the box
  EXPECT_EQ(StepsOf(editor->scene, "k1"), "t -5 0 0, t 5 0 0, t 2 -2 0");
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(driver.Request(50).value, 1);
  EXPECT_EQ(driver.Request(76).value, 1);

  // 7. Saved, cleared and opened again: the scene of the fixture file.
  std::filesystem::create_directories("mouse");
  EXPECT_EQ(driver.Request(68, "mouse/scene").result, 1);
  driver.Request(65);
  EXPECT_EQ(driver.Request(66, "mouse/scene").result, 1);
  EXPECT_EQ(SceneText(), FileText("mouse/scene.qz"));
  EXPECT_EQ(SceneText(), FileText(std::filesystem::path(ZAVO_TEST_DATA_DIR) / "mouse" / "scene.qz"));
  EXPECT_EQ(StepsOf(editor->scene, "k1"), "t -5 0 0, t 5 0 0, t 2 -2 0");
}

}  // namespace
}  // namespace zavo::test
