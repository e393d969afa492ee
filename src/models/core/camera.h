#pragma once

// The camera object, model keyword "camera": a view record made visible and
// editable as a scene object. Every "{ vrc" section of a scene text becomes
// one (the registry's camera factory, NewCameraObject below), and the view
// of the scene's current camera is the view that the scene is drawn and
// rendered from.
//
// A camera is never ray traced. For the views, the preview and the exporters
// it shows a representation rebuilt from its view at construction and by
// SetDescription (never by SetView):
//   - without a prototype shape in its module: an inline brep of a sphere
//     grid of radius 1 around vrp (div + 1 points each way; size plays no
//     part), which the drawing path shows as the box of its points;
//   - with one: a transf around a clone of the prototype, with the steps
//     "s" (size, size, size), "r1" "r2" "r3" (the rows of the frame of the
//     unit vpn and vup, SetAxisFrame) and "t" (vrp).
// A view whose frame cannot be formed (vpn of length 0, vup of length 0 or
// along vpn, non-finite values, a size of 0) and a prototype that gives no
// clone fall back to the sphere grid: a camera never fails to be made.
//
// Its text body, inside "model { camera" ... "}":
//   size s;          scale of the prototype shape
//   div n;           divisions of the sphere grid (not written: 6 on reading back)
//   vrc { vrc ... }  the view, as the scene writes its "{ vrc" section

#include <iosfwd>
#include <memory>

#include "geometry/geo_interface.h"
#include "models/core/model_object.h"
#include "scene/registry.h"
#include "scene/view_reference.h"

class CG_CameraModule;

// The camera's settings. A fresh one: size 0.25, div 6, the view vrp
// (1, 1, 1), prp (0, 0, -1), vpn (1, 0, 0), vup (0, 0, 1), perspective (type
// 1), window -1..1 on both axes, f 1, b 0, fon 0, bon 0; no progress, no module.
class CG_CameraDescription {
public:
  CG_CameraDescription();

  double size = 0.25;
  int div = 6;
  CG_ViewReference vrc;
  GeoInterface* progress = nullptr;    // handed on to the sphere grid; not owned
  CG_CameraModule* module = nullptr;   // the "camera" module (prototype holder); not owned
};

// A camera is never hit: the count stays 0.
class CG_CameraIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return i == 1 ? t[1] : t[0]; }
  int Count() const override { return count; }

  int count = 0;
  double t[2] = {0.0, 0.0};
};

class CG_Camera : public zavo::UniformModelObject {
public:
  // Name, IDname, toll and the uniform data from the common data (the
  // mapping moves in); the settings from the description; then Rebuild.
  CG_Camera(CG_GraphicObjectCommData& data, const CG_CameraDescription& description);
  ~CG_Camera() override;
  CG_Camera(const CG_Camera&) = delete;

  void GetDescription(CG_CameraDescription& description) const;
  // Takes the settings, then Rebuild; 1.
  int SetDescription(const CG_CameraDescription& description);
  // Makes the representation again from the settings and the module's
  // present prototype; 1.
  int Rebuild();

  // The representation (never null after construction).
  const CG_GraphicObject& Representation() const { return *representation_; }

  // The object block: head, "\tmodel { camera\n\t\tsize " s ";\n\t\tvrc ",
  // the "{ vrc" block, "\n\t}\n}\n". div is not written.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "camera"; }
  // A camera with NewCommData's record and these settings; null when the
  // record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  // Never traced: no parts, no hits.
  int IsRayTraceable() const override { return 0; }
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override;
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;

  // All three: the representation's DeclassToIndexedMesh with 1.
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;

  int IsCamera() const override { return 1; }
  int GetView(CG_ViewReference& view) const override;
  // The representation stays as it is until the next rebuild.
  int SetView(const CG_ViewReference& view) override;

  double Size() const { return size_; }
  int Div() const { return div_; }

private:
  // The inline brep of the sphere grid around vrp.
  std::unique_ptr<CG_GraphicObject> SphereGrid() const;
  // The transf around a clone of the prototype, or null when the frame
  // cannot be formed or the prototype gives no clone.
  std::unique_ptr<CG_GraphicObject> PlacedPrototype(const CG_GraphicObject& prototype) const;

  double size_ = 0.25;
  int div_ = 6;
  CG_ViewReference vrc_;
  GeoInterface* progress_ = nullptr;
  CG_CameraModule* module_ = nullptr;
  std::unique_ptr<CG_GraphicObject> representation_;
};

class CG_CameraModule : public CG_GraphicObjectModule {
public:
  CG_CameraModule();
  ~CG_CameraModule() override;

  const char* Keyword() const override { return "camera"; }
  // Reads the attributes up to and including "}" (table above). "size" or
  // "div" without a number: code 5 "Number wanted"; another word: code 5
  // "Unknown attribute"; a missing ";" or a missing "{" after "vrc": the
  // scene's code 2. A token that is no word, a missing "vrc" inside the
  // braces or a view block that does not read: null with no message of its
  // own. The camera gets the scene's progress interface and this module.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;

  // The prototype shape (owned), or null.
  const CG_GraphicObject* Prototype() const { return prototype_.get(); }
  // Replaces the prototype, destroying the previous one. Cameras that exist
  // keep their representation until their next rebuild.
  void SetPrototype(std::unique_ptr<CG_GraphicObject> prototype);

private:
  std::unique_ptr<CG_GraphicObject> prototype_;
};

namespace zavo {

// The registry's camera factory: a camera from a fresh description with the
// view, made with the given module when it is a CG_CameraModule.
std::unique_ptr<CG_GraphicObject> NewCameraObject(CG_GraphicObjectCommData& data, const CG_ViewReference& view,
                                                  CG_GraphicObjectModule* cameraModule);

}  // namespace zavo
