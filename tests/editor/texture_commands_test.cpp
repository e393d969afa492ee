// Requests 51 and 52: the BMP files offered as textures and the texture that
// joins the scene; deleting a texture that objects use, might use or do not
// use, and what is left referring to it afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "scene/comm_data.h"
#include "scene/texture.h"

namespace zavo::test {
namespace {

// A small valid image file.
void WriteImage(const std::filesystem::path& file) {
  BitmapManager image;
  ASSERT_EQ(image.Create(3, 2), 1);
  ASSERT_EQ(image.Save(file), 1);
}

class TextureCommands : public DocumentTest {
protected:
  TextureCommands() { editor->options.UseUndo = 0; }

  // Textures "wood" (used as named by the scene text) and "marble", read
  // from files beside the document.
  void AddTextures() {
    for (const char* name : {"wood", "marble"}) {
      WriteImage(dir / (std::string(name) + ".bmp"));
      editor->scene.GetTextures().Append(new CG_Texture(name, (dir / name).string().c_str()));
    }
  }
  std::vector<std::string> TextureNames() const {
    std::vector<std::string> names;
    for (const CG_Texture& texture : editor->scene.GetTextures()) names.emplace_back(texture.name.Text());
    return names;
  }
  using Held = std::pair<CG_Texture*, CG_Texture*>;
  // The texture and bump an object (or the child of a transf) holds.
  static Held TexturesOf(CG_GraphicObject* object) {
    Seq<CG_GraphicObject*> children;
    if (object->GetChildren(children) != 0 && children.Count() == 1) object = children[0];
    CG_GraphicObjectCommData data;
    object->GetCommData(data);
    const Held held{data.texture, data.bump};
    object->SetCommData(data);
    return held;
  }
};

TEST_F(TextureCommands, SelectTextureOffersTheBmpFilesOfBothDirectoriesInTurn) {
  struct Case {
    const char* label;
    std::vector<std::string> work;      // files in the working directory
    std::vector<std::string> textures;  // files in the texture directory
    std::vector<std::string> offered;
  };
  const Case cases[] = {
      {"one name in both directories", {"x.BMP", "notes.txt"}, {"y.txt", "x.bmp"}, {"x", "x"}},
      {"sorted, any letter case", {"stone.Bmp", "brick.bmp"}, {}, {"brick", "stone"}},
      {"no image at all", {"scene.qz"}, {"readme.txt"}, {}},
      {"names that are no texture", {".bmp", "bmp", "x.bmp.txt", "xbmp"}, {"a.bmp"}, {"a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::filesystem::path work = dir / (std::string(c.label) + " work");
    const std::filesystem::path textures = dir / (std::string(c.label) + " tex");
    std::filesystem::create_directories(work);
    std::filesystem::create_directories(textures);
    for (const std::string& file : c.work) WriteFile(work / file, "");
    for (const std::string& file : c.textures) WriteFile(textures / file, "");
    ScopedCwd inWork(work);
    // A texture path written on Windows.
    driver.Request(2, ("..\\" + textures.filename().string()).c_str());
    fakes.listShower.AnswerCancel();
    EXPECT_EQ(driver.Request(51).result, 0);
    EXPECT_EQ(fakes.listShower.titles.back(), "Select a texture");
    EXPECT_EQ(fakes.listShower.shown.back(), c.offered);
  }
  EXPECT_TRUE(TextureNames().empty());
  EXPECT_EQ(editor->modified, 0);
}

TEST_F(TextureCommands, AChosenTextureJoinsTheSceneEachTimeItIsChosen) {
  std::filesystem::create_directories(dir / "tex");
  WriteImage(dir / "tex" / "grain.bmp");
  driver.Request(2, "tex");
  for (int round = 0; round < 2; ++round) {
    fakes.listShower.AnswerText("grain");
    driver.Request(51);
  }
  EXPECT_EQ(TextureNames(), (std::vector<std::string>{"grain", "grain"}));
  EXPECT_EQ(editor->scene.GetTextures().First()->image.Width(), 3);
  // A new scene without asking would lose it.
  EXPECT_EQ(editor->modified, 1);
}

TEST_F(TextureCommands, AnImageThatDoesNotLoadAddsNoTexture) {
  WriteFile(dir / "broken.bmp", "BM not an image");
  fakes.listShower.AnswerText("broken");
  driver.Request(51);
  EXPECT_EQ(LastMessage(), "Cannot read broken.bmp");
  EXPECT_TRUE(TextureNames().empty());
  EXPECT_EQ(editor->modified, 0);
}

constexpr const char* kBox = "model { box xmin 0.5; xmax 2.5; ymin -1; ymax 1.5; zmin 0; zmax 3.5; } }\n";
constexpr const char* kLine = "model { polyline open 1; p ( -5 , -5 , -1 ); p ( 5 , 0 , 0 ); p ( 0 , 5 , 1.5 ); } }\n";

TEST_F(TextureCommands, DeleteTextureDecidesByWhatEveryObjectAnswers) {
  struct Case {
    const char* label;
    std::string scene;
    std::vector<int> askAnswers;
    bool asked;
    bool deleted;
    std::string message;
  };
  const std::string line = std::string("{ object name line; texture wood; ") + kLine;
  const std::string plainLine = std::string("{ object name line; ") + kLine;
  const std::string box = std::string("{ object name k1; texture wood; ") + kBox;
  const std::string bumpBox = std::string("{ object name k1; bump wood; ") + kBox;
  const std::string otherBox = std::string("{ object name k2; texture marble; ") + kBox;
  const std::string inUse = "You cannot delete that texture.\nSome objects are using it.";
  const Case cases[] = {
      {"a box uses it", otherBox + box, {}, false, false, inUse},
      {"a box uses it as bump", bumpBox, {}, false, false, inUse},
      {"a curve before the box that uses it", plainLine + box, {}, false, false, inUse},
      {"nobody uses it, all can tell", otherBox, {}, false, true, ""},
      {"only a curve might use it, no", line + otherBox, {0}, true, false, ""},
      {"only a curve might use it, cancel", line, {-1}, true, false, ""},
      {"only a curve might use it, yes", line + otherBox, {1}, true, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->modified = 0;
    driver.Request(65);
    editor->options.UseUndo = 0;
    AddTextures();
    Read((c.scene + ".\n").c_str());
    editor->modified = 0;
    fakes.system.messages.clear();
    fakes.winSupp.questions.clear();
    for (int answer : c.askAnswers) fakes.winSupp.askAnswers.push_back(answer);

    fakes.listShower.AnswerText("wood");
    driver.Request(52);
    EXPECT_EQ(fakes.listShower.titles.back(), "Select a texture to delete");
    EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"wood", "marble"}));
    EXPECT_EQ(LastMessage(), c.message);
    if (c.asked) {
      EXPECT_EQ(fakes.winSupp.questions,
                (std::vector<std::pair<std::string, std::string>>{
                    {"Texture can be used by one or more objects.\nDelete it ?", "Warning"}}));
    } else {
      EXPECT_TRUE(fakes.winSupp.questions.empty());
    }
    const std::vector<std::string> left =
        c.deleted ? std::vector<std::string>{"marble"} : std::vector<std::string>{"wood", "marble"};
    EXPECT_EQ(TextureNames(), left);
    EXPECT_EQ(editor->modified, 1);
  }
}

TEST_F(TextureCommands, CancelledDeletionSaysSoAndMarksTheDocument) {
  AddTextures();
  fakes.listShower.AnswerCancel();
  driver.Request(52);
  EXPECT_EQ(LastMessage(), "no selection");
  EXPECT_EQ(TextureNames(), (std::vector<std::string>{"wood", "marble"}));
  EXPECT_EQ(editor->modified, 1);
}

TEST_F(TextureCommands, AfterYesNoObjectIsLeftReferringToTheDeletedTexture) {
  AddTextures();
  // Curves cannot tell what they use: one on its own, one inside a transform,
  // holding the texture as texture and as bump.
  Read((std::string("{ object name line; texture wood; bump wood; ") + kLine +
        "{ object name moved; model { transf t ( 1.5 , 0 , -2 );\n"
        "  { object name inner; bump wood; texture marble; " + kLine + "} }\n.\n")
           .c_str());
  CG_Texture* marble = editor->scene.GetTextures().Find("marble");
  fakes.winSupp.askAnswers.push_back(1);
  fakes.listShower.AnswerText("wood");
  driver.Request(52);

  EXPECT_EQ(TextureNames(), (std::vector<std::string>{"marble"}));
  EXPECT_EQ(TexturesOf(editor->scene.FindObject("line")), (Held{nullptr, nullptr}));
  EXPECT_EQ(TexturesOf(editor->scene.FindObject("moved")), (Held{marble, nullptr}));
  // The saved scene names no texture that it does not hold.
  EXPECT_EQ(SceneText().find("wood"), std::string::npos);
}

}  // namespace
}  // namespace zavo::test
