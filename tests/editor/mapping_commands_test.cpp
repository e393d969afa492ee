// Requests 53 to 57: the current mapping made by a mapping module, copied from
// an object (through its transform) or dropped, and its frame in place of the
// viewing-system overlay in the parallel views while mapping edit is on.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "models/core/transf.h"
#include "object_command_fixture.h"
#include "scene/comm_data.h"
#include "scene/mapping.h"

namespace zavo::test {
namespace {

std::unique_ptr<CG_PlanarMapping> Planar(const Point3D& center) {
  return std::make_unique<CG_PlanarMapping>(center, Point3D{1, 0, 0}, Point3D{0, 0.5, 0.5}, 2, 3);
}

class MappingCommands : public ObjectCommandTest {
protected:
  MappingCommands() { editor->options.UseUndo = 0; }

  FakeMappingModule& MappingModule(const char* keyword) {
    auto* module = dynamic_cast<FakeMappingModule*>(editor->FindMappingModule(keyword));
    if (module == nullptr) ADD_FAILURE() << "no fake mapping module " << keyword;
    return *module;
  }
  // The pixels of the parallel views in the overlay's line colour.
  long OverlayPixels() const {
    long n = 0;
    for (const RasterWireFrameImage* view : {&top, &side, &front}) {
      for (int y = 0; y < view->Height(); ++y) {
        for (int x = 0; x < view->Width(); ++x) n += view->Pixel(x, y) == RasterPixel{200, 200, 200} ? 1 : 0;
      }
    }
    return n;
  }
  // The centre of the mapping an object (or a transf's child) holds; the
  // object keeps it.
  static Point3D HeldCenter(CG_GraphicObject* object) {
    Seq<CG_GraphicObject*> children;
    if (object->GetChildren(children) != 0 && children.Count() == 1) object = children[0];
    CG_GraphicObjectCommData data;
    object->GetCommData(data);
    const Point3D center = data.mapping != nullptr ? data.mapping->center : Point3D{-99, -99, -99};
    object->SetCommData(data);
    return center;
  }
};

TEST_F(MappingCommands, SelectMappingTypeMakesTheNewMappingCurrent) {
  struct Case {
    const char* label;
    const char* answer;  // null: cancel
    bool created;        // the module's dialog gives a mapping
  };
  const Case cases[] = {
      {"planar chosen", "planar", true},
      {"the type's dialog cancelled", "spherical", false},
      {"the choice cancelled", nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->currentMapping = Planar({7.5, -3, 2.25});
    const CG_MappingMetod* before = editor->currentMapping.get();
    editor->modified = 0;
    CG_MappingMetod* made = nullptr;
    if (c.answer != nullptr) {
      if (c.created) {
        MappingModule(c.answer).nextCreate = Planar({0.5, 1.5, -2});
        made = MappingModule(c.answer).nextCreate.get();
      }
      fakes.listShower.AnswerText(c.answer);
    } else {
      fakes.listShower.AnswerCancel();
    }
    driver.Request(53);
    EXPECT_EQ(fakes.listShower.titles.back(), "Select a mapping type");
    EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"planar", "spherical", "cilindric"}));
    EXPECT_EQ(editor->currentMapping.get(), c.created ? made : before);
    EXPECT_EQ(editor->modified, c.created ? 1 : 0);
  }
  EXPECT_EQ(MappingModule("spherical").log.calls, (std::vector<std::string>{"Create"}));
  EXPECT_TRUE(MappingModule("cilindric").log.calls.empty());
}

TEST_F(MappingCommands, OfTwoModulesOfOneTypeTheLastCreates) {
  auto* second = new FakeMappingModule("second planar");
  second->keyword = "planar";
  CG_MappingEditorModule* first = editor->mappingModules.First();
  editor->mappingModules.Append(second);
  second->nextCreate = Planar({0.5, 1.5, -2});
  fakes.listShower.AnswerText("planar");
  driver.Request(53);
  EXPECT_EQ(second->log.calls, (std::vector<std::string>{"Create"}));
  EXPECT_TRUE(dynamic_cast<FakeMappingModule*>(first)->log.calls.empty());
  ASSERT_NE(editor->currentMapping, nullptr);
  EXPECT_DOUBLE_EQ(editor->currentMapping->center.z, -2);
}

TEST_F(MappingCommands, MappingEditShowsTheFrameInPlaceOfTheOverlayInTheParallelViews) {
  FakeMappingModule& planar = MappingModule("planar");
  editor->DrawViewing();
  const long overlay = OverlayPixels();
  ASSERT_GT(overlay, 0);

  // Without a mapping only the overlay goes.
  EXPECT_EQ(driver.Request(57).result, 1);
  EXPECT_EQ(editor->mappingEdit, 1);
  EXPECT_EQ(OverlayPixels(), 0);
  EXPECT_TRUE(planar.log.calls.empty());
  driver.Request(56);
  EXPECT_EQ(OverlayPixels(), overlay);

  editor->currentMapping = Planar({0.5, 1.5, -2});
  driver.Request(57);
  EXPECT_EQ(OverlayPixels(), 0);
  EXPECT_EQ(planar.log.calls, (std::vector<std::string>{"DrawFrame 0 0", "DrawFrame 1 0", "DrawFrame 2 0"}));
  driver.Request(56);
  EXPECT_EQ(editor->mappingEdit, 0);
  EXPECT_EQ(OverlayPixels(), overlay);
  EXPECT_EQ(planar.log.calls, (std::vector<std::string>{"DrawFrame 0 0", "DrawFrame 1 0", "DrawFrame 2 0",
                                                        "DrawFrame 0 1", "DrawFrame 1 1", "DrawFrame 2 1"}));

  // Dropping the mapping during an edit touches neither the views nor the document.
  driver.Request(57);
  const std::vector<unsigned char> shown = top.Buffer();
  planar.log.calls.clear();
  editor->modified = 0;
  driver.Request(54);
  EXPECT_EQ(editor->currentMapping, nullptr);
  EXPECT_TRUE(planar.log.calls.empty());
  EXPECT_EQ(top.Buffer(), shown);
  EXPECT_EQ(editor->modified, 0);
}

TEST_F(MappingCommands, ModifyMappingCopiesAnObjectsMappingAsItIsSeen) {
  const char* mapping = "mapping { mapping model { planar center ( 0.5 , 1.5 , -2 ); assx ( 1 , 0 , 0 ); "
                        "assy ( 0 , 1 , 0 ); } } ";
  const char* box = "model { box xmin 0.5; xmax 2.5; ymin -1; ymax 1.5; zmin 0; zmax 3.5; } }\n";
  Read((std::string("{ object name k1; ") + mapping + box +
        "{ object name moved; model { transf t ( 1.5 , 0 , -2 );\n  { object name k2; " + mapping + box +
        "} }\n{ object name k3; " + box + ".\n")
           .c_str());
  {
    CG_GraphicObjectCommData data;
    data.name = "hollow";
    CG_TransfDescription description;
    description.steps.Append(new t_Data(0, 1.5, 0.0, -2.0));
    editor->scene.AddObject(std::make_unique<GTransf>(data, description));
  }

  struct Case {
    const char* label;
    const char* answer;  // null: cancel
    bool copied;
    Point3D center;      // of the new current mapping
    std::string message;
  };
  const Case cases[] = {
      {"a plain object", "k1", true, {0.5, 1.5, -2}, ""},
      {"an object in a transform", "moved", true, {2, 1.5, -4}, ""},
      {"an object without a mapping", "k3", false, {}, ""},
      {"a transform without a child", "hollow", false, {}, "Cannot change object.\nGTranf has not the object"},
      {"cancel", nullptr, false, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->currentMapping = Planar({7.5, -3, 2.25});
    const CG_MappingMetod* before = editor->currentMapping.get();
    editor->modified = 0;
    fakes.system.messages.clear();
    if (c.answer != nullptr) {
      fakes.listShower.AnswerText(c.answer);
    } else {
      fakes.listShower.AnswerCancel();
    }
    driver.Request(55);
    EXPECT_EQ(fakes.listShower.titles.back(), "Select an object to modify");
    EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"camera", "k1", "moved", "k3"}));
    EXPECT_EQ(LastMessage(), c.message);
    ASSERT_NE(editor->currentMapping, nullptr);
    if (c.copied) {
      EXPECT_NE(editor->currentMapping.get(), before);
      EXPECT_STREQ(editor->currentMapping->TypeName(), "planar");
      EXPECT_NEAR(editor->currentMapping->center.x, c.center.x, 1e-12);
      EXPECT_NEAR(editor->currentMapping->center.y, c.center.y, 1e-12);
      EXPECT_NEAR(editor->currentMapping->center.z, c.center.z, 1e-12);
    } else {
      EXPECT_EQ(editor->currentMapping.get(), before);
    }
    EXPECT_EQ(editor->modified, c.answer != nullptr && c.message.empty() ? 1 : 0);
    // The objects keep their own mappings where they were.
    EXPECT_DOUBLE_EQ(HeldCenter(editor->scene.FindObject("k1")).z, -2);
    EXPECT_DOUBLE_EQ(HeldCenter(editor->scene.FindObject("moved")).x, 0.5);
  }
}

}  // namespace
}  // namespace zavo::test
