// Cameras and anims through the full registry.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "models/core/anim.h"
#include "models/core/camera.h"
#include "models/core/transf.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

std::string Written(const CG_GraphicScene& scene) {
  std::ostringstream os;
  scene.Write(os);
  return os.str();
}

// The view section and the camera objects of a scene text: the section
// becomes "camera_1" beside the object "camera"; the camera named in use by
// the parameters is the current camera; written and read back, the cameras
// keep their views.
TEST(CameraAnimScene, ViewSectionsAndCameraObjects) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  std::istringstream in(
      "{ object name camera; model { camera size 0.5; vrc { vrc vrp ( 0 , -5 , 0 ); vpn ( 0 , 1 , 0 ); } } }\n"
      "{ vrc vrp ( 9 , 9 , 9 ); }\n"
      "{ param CameraInUse eye; }\n"
      "{ object name eye; model { camera vrc { vrc vrp ( 3 , 0 , 0 ); } } }\n.\n");
  ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " line " << scene.GetErrorLine();
  auto* section = dynamic_cast<CG_Camera*>(scene.FindObject("camera_1"));
  ASSERT_NE(section, nullptr);
  CG_ViewReference view;
  section->GetView(view);
  EXPECT_EQ(view.vrp, (Point3D{9, 9, 9}));
  EXPECT_EQ(view, scene.GetViewReference());
  // The parameters name the object "eye", read after them: it is the one in use.
  EXPECT_EQ(scene.GetCurrentCamera(), scene.FindObject("eye"));
  EXPECT_STREQ(scene.GetParam().CameraInUse.Text(), "eye");

  const std::string text = Written(scene);
  CG_GraphicScene again(registry);
  std::istringstream back(text);
  ASSERT_EQ(again.Load(back), 1) << again.GetErrorMessage();
  for (const char* name : {"camera", "camera_1", "eye"}) {
    CG_GraphicObject* a = scene.FindObject(name);
    CG_GraphicObject* b = again.FindObject(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->IsCamera(), 1) << name;
    CG_ViewReference va, vb;
    a->GetView(va);
    b->GetView(vb);
    EXPECT_EQ(va, vb) << name;
  }
  EXPECT_EQ(again.GetCurrentCamera(), again.FindObject("eye"));
  EXPECT_EQ(Written(again), text);

  // No camera enters the trace list.
  again.PrepareTraceData();
  EXPECT_TRUE(again.GetTraceList().IsEmpty());
}

// An anim of the full registry around a sphere: traced through one transf
// of the sphere; the scene writes it back as read.
TEST(CameraAnimScene, AnimOfASphere) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  const std::string block =
      "{ object\n\tname spin;\n\tmodel \t{ anim\n"
      "{ object\n\tname ball;\n\tmodel { sphere\n\t\tcenter ( 0 , 0 , 0 );\n\t\tradius 1;\n\t\tdiv 6;\n\t}\n}\n"
      "\t\tcenter ( 0 , 0 , 0 );\n\t\tfrom 0;\n\t\tto 10;\n\t}\n}\n";
  std::istringstream in(block + ".\n");
  ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage();
  auto* anim = dynamic_cast<GAnim*>(scene.FindObject("spin"));
  ASSERT_NE(anim, nullptr);
  std::ostringstream os;
  anim->Write(os);
  EXPECT_EQ(os.str(), block);
  scene.PrepareTraceData();
  int entries = 0;
  for (CG_GraphicObjectQZData& entry : scene.GetTraceList()) {
    ++entries;
    EXPECT_NE(dynamic_cast<GTransf*>(entry.object), nullptr);
    EXPECT_STREQ(entry.object->name.Text(), "ball");
    // The entry knows the anim it came from, for the motion blur.
    EXPECT_EQ(entry.source, anim);
  }
  EXPECT_EQ(entries, 1);
}

}  // namespace

namespace {

// Straight move paths from (0,0,0) to (10,0,0), a polyline and an area
// lamp of two points: the sphere is half way at frame 5 of 0 to 10.
TEST(CameraAnimScene, StraightMovePaths) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  for (const char* path : {"polyline p ( 0 , 0 , 0 ); p ( 10 , 0 , 0 );", "arealamp p ( 0 , 0 , 0 ); p ( 10 , 0 , 0 );"}) {
    CG_GraphicScene scene(registry);
    std::istringstream in(std::string("{ object name slide; model { anim\n"
                                      "  { object name ball; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
                                      "  move { object name path; model { ") +
                          path + " } }\n} }\n.\n");
    ASSERT_EQ(scene.Load(in), 1) << path << ": " << scene.GetErrorMessage();
    auto* anim = dynamic_cast<GAnim*>(scene.FindObject("slide"));
    ASSERT_NE(anim, nullptr) << path;
    EXPECT_EQ(anim->SetFrame(5), 1);
    zavo::DeclassedParts parts;
    ASSERT_EQ(anim->DeclassToRayTraceable(parts), 1) << path;
    ASSERT_EQ(parts.Size(), 1) << path;
    GEO_Box box;
    ASSERT_EQ(CG_GraphicObject::GetBox(parts[0].object, box), 1);
    EXPECT_NEAR((box.xmin + box.xmax) / 2, 5, 1e-9) << path;
    EXPECT_NEAR((box.ymin + box.ymax) / 2, 0, 1e-9) << path;
    EXPECT_NEAR((box.zmin + box.zmax) / 2, 0, 1e-9) << path;
    zavo::ReleaseDeclassedParts(parts);
    // The path inside the anim is no lamp of the scene.
    scene.PrepareTraceData();
    EXPECT_EQ(scene.GetLampSequence().Size(), 0) << path;
  }
}

// A rotation path reads back as written.
TEST(CameraAnimScene, RotationPathReadsBack) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  std::istringstream in(
      "{ object name slide; model { anim\n"
      "  { object name ball; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
      "  rotate { object name turn; model { polyline p ( 0.6 , 0.8 , 0 ); p ( 1 , 1 , 1 ); } }\n"
      "} }\n.\n");
  ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " line " << scene.GetErrorLine();
  CG_GraphicObject* anim = scene.FindObject("slide");
  ASSERT_NE(anim, nullptr);
  std::ostringstream os;
  anim->Write(os);
  CG_GraphicScene again(registry);
  std::istringstream back(os.str() + ".\n");
  ASSERT_EQ(again.Load(back), 1) << again.GetErrorMessage();
  std::ostringstream os2;
  again.FindObject("slide")->Write(os2);
  EXPECT_EQ(os2.str(), os.str());
  Seq<CG_GraphicObject*> children;
  again.FindObject("slide")->GetChildren(children);
  ASSERT_EQ(children.Count(), 2u);
  EXPECT_STREQ(children[1]->Keyword(), "polyline");
  Point3D start;
  ASSERT_EQ(children[1]->Evaluate(children[1]->ParamMin(), start), 1);
  EXPECT_EQ(start, (Point3D{0.6, 0.8, 0}));
}

}  // namespace
