#include "models/core/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "model_scene.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "scene/fakes.h"
#include "scene/scene.h"

namespace {

using zavo::test::Written;

void ExpectNear(const Point3D& actual, const Point3D& expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

CG_ViewReference View(const Point3D& vrp, const Point3D& vpn, const Point3D& vup) {
  CG_CameraDescription fresh;
  CG_ViewReference view = fresh.vrc;
  view.vrp = vrp;
  view.vpn = vpn;
  view.vup = vup;
  return view;
}

std::unique_ptr<CG_Camera> MakeCamera(const CG_ViewReference& view, CG_CameraModule* module = nullptr,
                                      double size = 0.25, int div = 6, const char* name = "cam") {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_CameraDescription description;
  description.vrc = view;
  description.module = module;
  description.size = size;
  description.div = div;
  return std::make_unique<CG_Camera>(data, description);
}

// A module whose prototype is the box from (0, 0, 0) to (1, 2, 3).
std::unique_ptr<CG_CameraModule> BoxPrototypeModule() {
  auto module = std::make_unique<CG_CameraModule>();
  CG_GraphicObjectCommData data;
  data.name = "__camera__";
  module->SetPrototype(std::make_unique<GBox>(data, GEO_Box{0, 1, 0, 2, 0, 3}));
  return module;
}

// A scene with the camera module of a test registry (the model modules of
// the library, the camera among them).
class CameraScene {
public:
  CameraScene() : scene_(Registry()) {}
  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene_.Load(in);
  }
  CG_GraphicScene& scene() { return scene_; }
  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      BoundingObjectModule::CreateDefaultList(registry.boundingModules);
      registry.materialModules.Append(new CG_MaterialPhongModule());
      registry.modelModules.Append(new CG_SphereModule());
      registry.modelModules.Append(new CG_BRepModule());
      registry.modelModules.Append(new CG_BoxModule());
      registry.modelModules.Append(new CG_CameraModule());
      registry.SetBoxFactory(zavo::NewStandInBox);
      registry.SetCameraFactory(zavo::NewCameraObject);
      return true;
    }();
    (void)filled;
    return registry;
  }

private:
  CG_GraphicScene scene_;
};

TEST(Camera, FreshDescription) {
  const CG_CameraDescription d;
  EXPECT_EQ(d.size, 0.25);
  EXPECT_EQ(d.div, 6);
  const CG_ViewReference expected({1, 1, 1}, {0, 0, -1}, {1, 0, 0}, {0, 0, 1}, 1, -1, 1, -1, 1, 1, 0, 0, 0);
  EXPECT_EQ(d.vrc, expected);
  EXPECT_EQ(d.progress, nullptr);
  EXPECT_EQ(d.module, nullptr);
}

// Without a prototype: a sphere grid of radius 1 around vrp, whatever size
// is, which shows as the box of its points.
TEST(Camera, SphereGridAroundTheViewPoint) {
  CameraScene::Registry();  // installs the stand-in box of the default declass
  const Point3D vrp{2, -1, 5};
  for (double size : {0.25, 7.0}) {
    auto camera = MakeCamera(View(vrp, {1, 0, 0}, {0, 0, 1}), nullptr, size);
    const auto* brep = dynamic_cast<const GBRep*>(&camera->Representation());
    ASSERT_NE(brep, nullptr);
    EXPECT_STREQ(brep->name.Text(), "cam");
    ASSERT_EQ(brep->VertexCount(), 49);
    EXPECT_EQ(brep->FaceCount(), 72);
    for (int i = 0; i < brep->VertexCount(); ++i) {
      Point3D p;
      brep->Vertex(i, p);
      EXPECT_NEAR(Distance3D(p, vrp), 1.0, 1e-12);
    }
    for (int mode = 0; mode < 3; ++mode) {
      zavo::DeclassedParts parts;
      const int ok = mode == 0   ? camera->DeclassToIndexedMesh(parts, 0)
                     : mode == 1 ? camera->DeclassToFaced(parts, 0)
                                 : camera->DeclassToTriangleMesh(parts);
      ASSERT_EQ(ok, 1);
      ASSERT_EQ(parts.Size(), 1);
      ASSERT_NE(dynamic_cast<GBox*>(parts[0].object), nullptr);
      EXPECT_EQ(parts[0].owned, 1);
      GEO_Box box;
      ASSERT_EQ(CG_GraphicObject::GetBox(parts[0].object, box), 1);
      const double h = std::sqrt(3.0) / 2;
      ExpectNear({box.xmin, box.ymin, box.zmin}, vrp - Point3D{1, h, 1});
      ExpectNear({box.xmax, box.ymax, box.zmax}, vrp + Point3D{1, h, 1});
      zavo::ReleaseDeclassedParts(parts);
    }
  }
}

// A div below 2 would give an infinite step or a negative table: the grid
// uses 2; the stored div stays as given.
TEST(Camera, GridDivisionsBelowTwo) {
  const struct {
    int div;
    int vertices;
  } cases[] = {{-3, 9}, {0, 9}, {1, 9}, {2, 9}, {3, 16}};
  for (const auto& c : cases) {
    auto camera = MakeCamera(View({0, 0, 0}, {1, 0, 0}, {0, 0, 1}), nullptr, 0.25, c.div);
    EXPECT_EQ(camera->Div(), c.div);
    const auto* brep = dynamic_cast<const GBRep*>(&camera->Representation());
    ASSERT_NE(brep, nullptr) << c.div;
    EXPECT_EQ(brep->VertexCount(), c.vertices) << c.div;
    for (int i = 0; i < brep->VertexCount(); ++i) {
      Point3D p;
      brep->Vertex(i, p);
      EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << c.div;
    }
  }
}

// With a prototype: a transf of s, r1, r2, r3 and t around a clone; the
// prototype's z axis goes along vpn, its x axis along vup x vpn.
TEST(Camera, PrototypePlacedByTheView) {
  CameraScene::Registry();  // installs the stand-in box of the default declass
  auto module = BoxPrototypeModule();
  const Point3D vrp{1, 2, 3};
  auto camera = MakeCamera(View(vrp, {2, 0, 0}, {0, 0, 5}), module.get(), 0.5);
  const auto* transf = dynamic_cast<const GTransf*>(&camera->Representation());
  ASSERT_NE(transf, nullptr);
  EXPECT_EQ(Written(*transf),
            "{ object\n\tname cam;\n\tmodel \t{ transf\n"
            "\t\ts ( 0.5 , 0.5 , 0.5 );\n"
            "\t\tr1 ( 0 , 0 , 1 );\n"
            "\t\tr2 ( 1 , 0 , 0 );\n"
            "\t\tr3 ( 0 , 1 , 0 );\n"
            "\t\tt ( 1 , 2 , 3 );\n" +
                Written(*module->Prototype()) + "\t}\n}\n");

  zavo::DeclassedParts parts;
  ASSERT_EQ(camera->DeclassToIndexedMesh(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 1);
  CG_GraphicObject* part = parts[0].object;
  EXPECT_EQ(parts[0].owned, 1);
  ASSERT_EQ(part->MeshVertexCount(), 8);
  // Box vertices 1 (0,0,0), 2 (1,0,0), 4 (0,2,0), 5 (0,0,3).
  Point3D p;
  part->MeshVertex(1, p);
  ExpectNear(p, vrp);
  part->MeshVertex(2, p);
  ExpectNear(p, vrp + Point3D{0, 0.5, 0});
  part->MeshVertex(4, p);
  ExpectNear(p, vrp + Point3D{0, 0, 1});
  part->MeshVertex(5, p);
  ExpectNear(p, vrp + Point3D{1.5, 0, 0});
  zavo::ReleaseDeclassedParts(parts);
  // The clone is the camera's: the prototype stays with the module.
  EXPECT_NE(module->Prototype(), nullptr);
}

// A frame that cannot be formed, a size 0 (no inverse) or a prototype that
// gives no clone: the sphere grid, never a failure.
TEST(Camera, UnplaceablePrototypeFallsBackToTheGrid) {
  auto module = BoxPrototypeModule();
  const struct {
    const char* what;
    Point3D vpn, vup;
    double size;
  } cases[] = {
      {"vpn of length 0", {0, 0, 0}, {0, 0, 1}, 0.25},
      {"vup of length 0", {1, 0, 0}, {0, 0, 0}, 0.25},
      {"vup along vpn", {0, 0, 2}, {0, 0, -3}, 0.25},
      {"non-finite vpn", {NAN, 0, 0}, {0, 0, 1}, 0.25},
      {"size 0", {1, 0, 0}, {0, 0, 1}, 0.0},
  };
  for (const auto& c : cases) {
    auto camera = MakeCamera(View({0, 0, 0}, c.vpn, c.vup), module.get(), c.size);
    EXPECT_NE(dynamic_cast<const GBRep*>(&camera->Representation()), nullptr) << c.what;
  }
  // An inline brep prototype gives no clone.
  auto grid = MakeCamera(View({0, 0, 0}, {1, 0, 0}, {0, 0, 1}));
  auto breps = std::make_unique<CG_CameraModule>();
  zavo::DeclassedParts parts;
  CG_GraphicObjectCommData data;
  data.name = "__camera__";
  CG_SphereDescription sphere;
  GSphere ball(data, sphere);
  ASSERT_EQ(ball.DeclassToIndexedMesh(parts, 0), 1);
  breps->SetPrototype(std::unique_ptr<CG_GraphicObject>(parts[0].object));
  parts[0].owned = 0;
  auto camera = MakeCamera(View({0, 0, 0}, {1, 0, 0}, {0, 0, 1}), breps.get());
  EXPECT_NE(dynamic_cast<const GBRep*>(&camera->Representation()), nullptr);
}

// SetView keeps the representation; SetDescription and Rebuild renew it; a
// prototype installed later waits for the next rebuild.
TEST(Camera, WhenTheRepresentationChanges) {
  auto module = std::make_unique<CG_CameraModule>();
  auto camera = MakeCamera(View({0, 0, 0}, {1, 0, 0}, {0, 0, 1}), module.get());
  const CG_GraphicObject* first = &camera->Representation();
  EXPECT_EQ(camera->IsCamera(), 1);

  const CG_ViewReference moved = View({5, 5, 5}, {0, 1, 0}, {0, 0, 1});
  EXPECT_EQ(camera->SetView(moved), 1);
  CG_ViewReference out;
  EXPECT_EQ(camera->GetView(out), 1);
  EXPECT_EQ(out, moved);
  EXPECT_EQ(&camera->Representation(), first);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(first, box), 1);
  EXPECT_NEAR(box.xmin, -1, 1e-12);

  CG_GraphicObjectCommData data;
  data.name = "__camera__";
  module->SetPrototype(std::make_unique<GBox>(data, GEO_Box{0, 1, 0, 1, 0, 1}));
  EXPECT_NE(dynamic_cast<const GBRep*>(&camera->Representation()), nullptr);

  CG_CameraDescription description;
  camera->GetDescription(description);
  EXPECT_EQ(description.vrc, moved);
  EXPECT_EQ(description.module, module.get());
  EXPECT_EQ(camera->SetDescription(description), 1);
  EXPECT_NE(dynamic_cast<const GTransf*>(&camera->Representation()), nullptr);

  // Replacing the prototype destroys the old one; taking it away returns the
  // camera to the grid at its next rebuild.
  module->SetPrototype(nullptr);
  EXPECT_EQ(camera->Rebuild(), 1);
  EXPECT_NE(dynamic_cast<const GBRep*>(&camera->Representation()), nullptr);
}

TEST(Camera, CloneKeepsViewSizeDivAndKind) {
  auto module = BoxPrototypeModule();
  for (CG_CameraModule* m : {static_cast<CG_CameraModule*>(nullptr), module.get()}) {
    auto camera = MakeCamera(View({1, 2, 3}, {0, 1, 0}, {0, 0, 1}), m, 0.75, 9);
    std::unique_ptr<CG_GraphicObject> clone = camera->Clone();
    auto* copy = dynamic_cast<CG_Camera*>(clone.get());
    ASSERT_NE(copy, nullptr);
    CG_ViewReference a, b;
    camera->GetView(a);
    copy->GetView(b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(copy->Size(), 0.75);
    EXPECT_EQ(copy->Div(), 9);
    const CG_GraphicObject& copied = copy->Representation();
    const CG_GraphicObject& original = camera->Representation();
    EXPECT_EQ(typeid(copied), typeid(original));
    EXPECT_EQ(Written(*copy), Written(*camera));
  }
}

// Never traced: no ray-traceable parts, no hits, no trace entry.
TEST(Camera, NeverTraced) {
  auto camera = MakeCamera(View({0, 0, 0}, {1, 0, 0}, {0, 0, 1}));
  EXPECT_EQ(camera->IsRayTraceable(), 0);
  zavo::DeclassedParts parts;
  EXPECT_EQ(camera->DeclassToRayTraceable(parts), 0);
  EXPECT_EQ(parts.Size(), 0);
  EXPECT_EQ(camera->GetBoundingObject(), nullptr);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = camera->NewIntrInfo();
  ASSERT_NE(record, nullptr);
  // A ray straight through vrp, where the grid is.
  const Ray ray = Ray::FromDirection({-5, 0, 0}, {1, 0, 0});
  EXPECT_EQ(camera->Intersect(ray, *record), 0);
  EXPECT_EQ(record->Count(), 0);
  Seq<CG_GraphicObject*> children;
  EXPECT_EQ(camera->GetChildren(children), 1);
  EXPECT_EQ(children.Count(), 0u);

  CameraScene s;
  ASSERT_EQ(s.Load("{ vrc vrp ( 0 , 0 , 0 ); }\n"
                   "{ object name ball; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n.\n"),
            1);
  s.scene().PrepareTraceData();
  int entries = 0;
  for (CG_GraphicObjectQZData& entry : s.scene().GetTraceList()) {
    ++entries;
    EXPECT_EQ(entry.object->IsCamera(), 0);
  }
  EXPECT_EQ(entries, 1);
}

// Each "{ vrc" section gives a camera named "camera", "camera_1", ...,
// which becomes the current camera and carries the section's view.
TEST(Camera, ViewSectionsBecomeCameras) {
  CameraScene s;
  ASSERT_EQ(s.Load("{ vrc vrp ( 1 , 2 , 3 ); }\n{ vrc vrp ( 4 , 5 , 6 ); }\n.\n"), 1)
      << s.scene().GetErrorMessage();
  CG_GraphicObject* first = s.scene().FindObject("camera");
  CG_GraphicObject* second = s.scene().FindObject("camera_1");
  ASSERT_NE(dynamic_cast<CG_Camera*>(first), nullptr);
  ASSERT_NE(dynamic_cast<CG_Camera*>(second), nullptr);
  EXPECT_EQ(second->IsCamera(), 1);
  EXPECT_EQ(s.scene().GetCurrentCamera(), second);
  CG_ViewReference view;
  second->GetView(view);
  EXPECT_EQ(view, s.scene().GetViewReference());
  EXPECT_EQ(view.vrp, (Point3D{4, 5, 6}));
  auto* camera = static_cast<CG_Camera*>(second);
  EXPECT_EQ(camera->Size(), 0.25);
  EXPECT_EQ(camera->Div(), 6);
  CG_CameraDescription description;
  camera->GetDescription(description);
  EXPECT_EQ(description.module, FindModule(CameraScene::Registry().modelModules, "camera"));
}

TEST(Camera, WriterAndReadBack) {
  CG_GraphicObjectCommData data;
  data.name = "eye";
  CG_CameraDescription description;
  description.size = 1.5;
  description.div = 10;
  description.vrc.vrp = {0.5, -2, 3};
  CG_Camera camera(data, description);
  std::ostringstream view;
  description.vrc.Write(view);
  const std::string text = Written(camera);
  EXPECT_EQ(text, "{ object\n\tname eye;\n\tmodel { camera\n\t\tsize 1.5;\n\t\tvrc " + view.str() + "\n\t}\n}\n");

  CameraScene s;
  ASSERT_EQ(s.Load(text + ".\n"), 1) << s.scene().GetErrorMessage();
  auto* back = dynamic_cast<CG_Camera*>(s.scene().FindObject("eye"));
  ASSERT_NE(back, nullptr);
  CG_ViewReference read;
  back->GetView(read);
  EXPECT_EQ(read, description.vrc);
  EXPECT_EQ(back->Size(), 1.5);
  EXPECT_EQ(back->Div(), 6);  // div is not written
  EXPECT_EQ(Written(*back), text);
  CG_CameraDescription readDescription;
  back->GetDescription(readDescription);
  EXPECT_EQ(readDescription.progress, &s.scene().GetInterface());
  EXPECT_EQ(readDescription.module, FindModule(CameraScene::Registry().modelModules, "camera"));
}

TEST(Camera, BodyReading) {
  const struct {
    std::string body;
    int loads;
    int code;
    const char* message;
    double size;
    int div;
    Point3D vrp;
  } cases[] = {
      {"", 1, 0, "", 0.25, 6, {1, 1, 1}},
      {"size 2; div 3;", 1, 0, "", 2, 3, {1, 1, 1}},
      {"div 4.9; vrc { vrc vrp ( 7 , 8 , 9 ); }", 1, 0, "", 0.25, 4, {7, 8, 9}},
      {"size x;", 0, 5, "Number wanted", 0, 0, {}},
      {"div ;", 0, 5, "Number wanted", 0, 0, {}},
      {"size 2", 0, 2, "Caracter ';' not found", 0, 0, {}},
      {"zoom 2;", 0, 5, "Unknown attribute", 0, 0, {}},
      {"vrc vrc vrp ( 7 , 8 , 9 ); }", 0, 2, "Caracter '{' not found", 0, 0, {}},
      // No message of the camera's own: the scene's "Generic Error".
      {"vrc { view vrp ( 7 , 8 , 9 ); }", 0, 1, "Generic Error", 0, 0, {}},
      {"7;", 0, 1, "Generic Error", 0, 0, {}},
  };
  for (const auto& c : cases) {
    CameraScene s;
    const int loaded = s.Load("{ object name c; model { camera " + c.body + " } }\n.\n");
    EXPECT_EQ(loaded, c.loads) << c.body;
    EXPECT_EQ(s.scene().GetErrorCode(), c.code) << c.body;
    const char* message = s.scene().GetErrorMessage();
    EXPECT_EQ(std::string(message != nullptr ? message : ""), c.message) << c.body;
    if (!c.loads) continue;
    auto* camera = dynamic_cast<CG_Camera*>(s.scene().FindObject("c"));
    ASSERT_NE(camera, nullptr) << c.body;
    EXPECT_EQ(camera->Size(), c.size) << c.body;
    EXPECT_EQ(camera->Div(), c.div) << c.body;
    CG_ViewReference view;
    camera->GetView(view);
    EXPECT_EQ(view.vrp, c.vrp) << c.body;
  }
}

}  // namespace
