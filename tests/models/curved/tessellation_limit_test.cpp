// The bound on the tessellation of a scene: the meshes that the objects of
// one scene would make together stay within kMaxSceneTessellationVertices.
// A scene beyond it is refused when read, on the line where the object that
// crosses the bound ends; a conversion that alone would cross it fails with
// a message instead of exhausting memory.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "curved_scene.h"
#include "models/curved/bezier.h"
#include "models/curved/vrml_node.h"
#include "patch_text.h"
#include "procedural_scene.h"

namespace {

using zavo::test::BezierText;
using zavo::test::Converted;
using zavo::test::FlatBezierPatch;
using zavo::test::ProceduralScene;
using zavo::test::RecordingInterface;

std::string Patches(int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += FlatBezierPatch(0.3 * k, 0.1, 0.1);
  return BezierText(text);
}

std::string BezierObject(const std::string& name, int patches, int div) {
  return "{ object\n\tname " + name + ";\n\tmodel { bezier\n\t\tmodel " + Patches(patches) + "\t\tdiv " +
         std::to_string(div) + ";\n\t}\n}\n";
}

std::string NodeObject(const std::string& name, int div) {
  return "{ object\n\tname " + name + ";\n\tmodel { AbstractVRMLNode\n\t\tcenter ( 0.5 , 0.5 , -3 );\n\t\tradius 0.7;\n"
         "\t\tdiv " + std::to_string(div) + ";\n\t}\n}\n";
}

int LastLine(const std::string& text) {
  int lines = 1;
  for (const char c : text) lines += c == '\n';
  return lines;
}

TEST(TessellationLimit, AScenePastTheBoundIsRefusedWhereItCrossesIt) {
  struct Case {
    const char* what;
    std::string before;  // what loads
    std::string crossing;  // the object that crosses the bound
    long long vertices;    // the scene's sum with it
    int linesAfter;        // lines after the one where reading stops
  };
  const Case cases[] = {
      // Each patch at div 1024 is within the per-patch limit; four are still
      // within the scene's bound, five are not.
      {"one model of many patches", "", BezierObject("wing", 5, 1024), 5LL * 1024 * 1024, 0},
      {"models that each fit", BezierObject("a", 2, 1024) + BezierObject("b", 1, 1024),
       BezierObject("c", 1, 1024), 4LL * 1024 * 1024, 0},
      {"nodes", NodeObject("n1", 1000) + NodeObject("n2", 1000) + NodeObject("n3", 1000), NodeObject("n4", 1000),
       4LL * 1001 * 1001, 0},
      {"a node nested in a transf", BezierObject("a", 3, 1024),
       "{ object\n\tname t;\n\tmodel { transf\n\t\tt ( 1 , 0 , 0 );\n" + NodeObject("inner", 1000) + "\t}\n}\n",
       3LL * 1024 * 1024 + 1001 * 1001, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProceduralScene fits;
    EXPECT_EQ(fits.Load(c.before + ".\n"), 1) << fits.Message();
    ProceduralScene beyond;
    EXPECT_EQ(beyond.Load(c.before + c.crossing + ".\n"), 0);
    EXPECT_EQ(beyond.Code(), 5);
    EXPECT_EQ(beyond.Message(), "Tessellation too large: " + std::to_string(c.vertices) +
                                    " vertices, the limit is 4000000");
    // The line of the token after the crossing object's model block: its
    // object block's closing brace.
    EXPECT_EQ(beyond.Line(), LastLine(c.before + c.crossing) - 1 - c.linesAfter);
  }
}

TEST(TessellationLimit, ObjectsAlreadyInTheSceneCountForALaterRead) {
  ProceduralScene scene;
  ASSERT_EQ(scene.Load(BezierObject("a", 3, 1024) + ".\n"), 1);
  std::istringstream more(BezierObject("b", 1, 1024) + ".\n");
  EXPECT_EQ(scene.scene().Get(more), 0);
  EXPECT_EQ(scene.Message(), "Tessellation too large: 4194304 vertices, the limit is 4000000");
  std::istringstream small(BezierObject("c", 1, 100) + ".\n");
  EXPECT_EQ(scene.scene().Get(small), 1);
}

// The editor can raise div on a model that was read: its conversion then
// fails with the message and makes nothing.
TEST(TessellationLimit, AConversionPastTheBoundFailsWithAMessage) {
  ProceduralScene scene;
  ASSERT_EQ(scene.Load(BezierObject("wing", 5, 10) + ".\n"), 1);
  auto* wing = dynamic_cast<GBezier*>(scene.Find("wing"));
  ASSERT_NE(wing, nullptr);
  EXPECT_EQ(wing->TessellationVertices(), 5 * 10 * 10);
  RecordingInterface shown;
  CG_BezierDescription d;
  wing->GetDescription(d);
  d.div = 1024;
  d.progress = &shown;
  wing->SetDescription(d);
  Converted mesh;
  EXPECT_EQ(wing->DeclassToFaced(mesh.parts, 0), 0);
  EXPECT_EQ(mesh.parts.Size(), 0);
  ASSERT_EQ(shown.messages.size(), 1u);
  EXPECT_EQ(shown.messages[0], "Tessellation too large: 5242880 vertices, the limit is 4000000");
  EXPECT_TRUE(shown.statuses.empty());
}

}  // namespace
