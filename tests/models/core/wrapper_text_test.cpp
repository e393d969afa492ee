// The texts of the transf, group and flip: bodies, errors and writers.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model_scene.h"
#include "models/core/flip.h"
#include "models/core/group.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "scene/fakes.h"

namespace {

using zavo::test::FakeObject;
using zavo::test::ModelScene;
using zavo::test::Written;

const std::string kChild = " { object name c; model { fake hit 2; } } ";
const std::string kChild2 = " { object name d; model { fake hit 3; } } ";

TEST(WrapperReaders, BodiesAndErrors) {
  struct Case {
    std::string body;
    int loads;
    int code;
    const char* message;
    const char* keyword;   // of the object made
    int kept;              // children alive with it
    const char* lastChild; // the name of the (last) child
  };
  // The body of "model { ... }" without its closing brace.
  const std::vector<Case> cases = {
      {"transf t ( 1 , 0 , 0 ); r ( 0 , 0 , 1 );" + kChild + "s ( 2 , 2 , 2 );", 1, 0, "", "transf", 1, "c"},
      {"transf" + kChild + kChild2, 1, 0, "", "transf", 1, "d"},
      {"transf r ;" + kChild, 1, 5, "Wrong point definition", "transf", 1, "c"},
      {"transf", 0, 5, "Object block missing", nullptr, 0, nullptr},
      {"transf s ( 2 , 2 , 2 );", 0, 5, "Object block missing", nullptr, 0, nullptr},
      {"transf 7" + kChild, 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"transf T ( 1 , 0 , 0 );" + kChild, 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"transf" + kChild + "x", 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"transf" + kChild + "r ( 1 , 0 , 0 )" + kChild2, 0, 2, "Caracter ';' not found", nullptr, 0, nullptr},
      // A translation takes the token after its point as its end, whatever it is.
      {"transf t ( 1 , 0 , 0 )" + kChild, 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"transf { objet name c; model { fake } }", 0, 3, "Word \"object\" not found", nullptr, 0, nullptr},
      {"transf { object name c; model { fake hit 2; } ;", 0, 2, "Caracter '}' not found", nullptr, 0, nullptr},
      {"flip" + kChild, 1, 0, "", "flip", 1, "c"},
      {"flip" + kChild + kChild2, 1, 0, "", "flip", 1, "d"},
      {"flip", 0, 5, "Object block missing", nullptr, 0, nullptr},
      {"flip t ( 1 , 0 , 0 );" + kChild, 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"flip" + kChild + kChild2 + "x", 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"flip { object name c; model { nosuch } }", 0, 1, "Generic Error", nullptr, 0, nullptr},
      {"group", 1, 0, "", "group", 0, nullptr},
      {"group" + kChild + kChild2, 1, 0, "", "group", 2, "d"},
      {"group r1 ( 1 , 0 , 0 );", 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"group" + kChild + kChild2 + "7", 0, 5, "Unknown attribute", nullptr, 0, nullptr},
      {"group" + kChild + "{ object name d; model { fake hit 3; } x", 0, 2, "Caracter '}' not found", nullptr, 0,
       nullptr},
      {"group { name d;", 0, 3, "Word \"object\" not found", nullptr, 0, nullptr},
  };
  const int alive = FakeObject::alive;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    {
      ModelScene scene;
      EXPECT_EQ(scene.LoadObject(c.body, "w"), c.loads);
      EXPECT_EQ(scene.Code(), c.code);
      EXPECT_EQ(scene.Message(), c.message);
      CG_GraphicObject* object = scene.Find("w");
      ASSERT_EQ(object != nullptr, c.loads == 1);
      EXPECT_EQ(FakeObject::alive, alive + c.kept);
      if (object == nullptr) continue;
      EXPECT_STREQ(object->Keyword(), c.keyword);
      Seq<CG_GraphicObject*> children;
      ASSERT_EQ(object->GetChildren(children), 1);
      ASSERT_EQ(static_cast<int>(children.Count()), c.kept);
      if (c.kept > 0) {
        EXPECT_STREQ(children[children.Count() - 1]->name.Text(), c.lastChild);
      }
    }
    EXPECT_EQ(FakeObject::alive, alive);
  }
}

TEST(WrapperWriters, WriteTheirBlocksExactly) {
  ModelScene scene;
  const std::string sphere = "{ object name c; model { sphere center ( 0 , 0 , 0 ); radius 1; } }";
  const std::string sphereText =
      "{ object\n\tname c;\n\tmodel { sphere\n\t\tcenter ( 0 , 0 , 0 );\n\t\tradius 1;\n\t\tdiv 6;\n\t}\n}\n";
  ASSERT_EQ(scene.Load("{ object name m; IDname A; toll 0.5; model { transf t ( 0 , 0 , -3 ); s ( 2 , 2 , 0.5 ); " +
                       sphere + " } }\n"
                       "{ object name g; model { group } }\n"
                       "{ object name f; IDname B; model { flip " + sphere + " } }\n"
                       "{ object name h; model { group " + sphere + " { object name e; model { group } } } }\n.\n"),
            1)
      << scene.Message();
  EXPECT_EQ(Written(*scene.Find("m")),
            "{ object\n\tname m;\n\tIDname A;\n\ttoll 0.5;\n\tmodel \t{ transf\n\t\tt ( 0 , 0 , -3 );\n\t\ts ( 2 , 2 , 0.5 );\n" + sphereText +
                "\t}\n}\n");
  EXPECT_EQ(Written(*scene.Find("g")), "{ object\n\tname g;\n\tmodel \t{ group\n}\n}\n");
  EXPECT_EQ(Written(*scene.Find("f")), "{ object\n\tname f;\n\tIDname B;\n\tmodel \t{ flip\n" + sphereText + "\t}\n}\n");
  EXPECT_EQ(Written(*scene.Find("h")), "{ object\n\tname h;\n\tmodel \t{ group\n" + sphereText +
                                           "{ object\n\tname e;\n\tmodel \t{ group\n}\n}\n}\n}\n");
}

TEST(WrapperWriters, WrittenScenesReadBackTheSame) {
  ModelScene first;
  ASSERT_EQ(first.Load("{ material name gold; model { phong } }\n"
                       "{ object name top; model { group\n"
                       "  { object name moved; model { transf r1 ( 0 , 1 , 0 ); r2 ( 1 , 0 , 0 ); r3 ( 0 , 0 , 1 );\n"
                       "      sh ( 1 , 0 , 5 ); t ( 1 , 2 , 3 );\n"
                       "      { object name inside; model { flip { object name ball; material gold;\n"
                       "          model { sphere center ( 1 , 2 , 3 ); radius 0.5; } } } } } }\n"
                       "  { object name crate; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
                       "} }\n.\n"),
            1)
      << first.Message();
  std::ostringstream text;
  first.scene().Write(text);
  ModelScene second;
  ASSERT_EQ(second.Load(text.str()), 1) << second.Message() << " at line " << second.scene().GetErrorLine();
  std::ostringstream again;
  second.scene().Write(again);
  EXPECT_EQ(again.str(), text.str());
  auto* top = dynamic_cast<GGroup*>(second.Find("top"));
  ASSERT_NE(top, nullptr);
  Seq<CG_GraphicObject*> children;
  top->GetChildren(children);
  ASSERT_EQ(children.Count(), 2u);
  EXPECT_NE(dynamic_cast<GTransf*>(children[0]), nullptr);
  Seq<CG_NamedMaterial*> materials;
  ASSERT_EQ(top->GetMaterials(materials), 1);
  ASSERT_EQ(materials.Count(), 1u);
  EXPECT_STREQ(materials[0]->name.Text(), "gold");
}

TEST(WrapperReaders, ASingularTransfFailsTheLoadAndLeaksNothing) {
  const int alive = FakeObject::alive;
  {
    ModelScene scene;
    EXPECT_EQ(scene.Load("{ object name ok; model { fake hit 1; } }\n"
                         "{ object name m; model { transf\n"
                         "  s ( 0 , 1 , 1 );\n"
                         "  { object name c; model { fake hit 2; } }\n"
                         "} }\n"
                         "{ object name later; model { fake hit 1; } }\n"
                         ".\n"),
              0);
    EXPECT_EQ(scene.Code(), 1);
    EXPECT_EQ(scene.Message(), "Generic Error");
    EXPECT_EQ(scene.scene().GetErrorLine(), 5);
    EXPECT_NE(scene.Find("ok"), nullptr);
    EXPECT_EQ(scene.Find("m"), nullptr);
    EXPECT_EQ(scene.Find("later"), nullptr);
    EXPECT_EQ(FakeObject::alive, alive + 1);

    // The scene reads on afterwards.
    EXPECT_EQ(scene.LoadObject("transf s ( 1 , 1 , 1 );" + kChild, "m"), 1);
    EXPECT_NE(scene.Find("m"), nullptr);
  }
  EXPECT_EQ(FakeObject::alive, alive);
}

}  // namespace
