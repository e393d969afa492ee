#pragma once

// The abstract VRML node, model keyword "AbstractVRMLNode": a placeholder
// that carries name/value texts (associations) and a show flag for the
// tools that export VRML, and stands in the scene as a sphere: traced as
// one, turned into a sphere mesh for the views, previews and exporters.
//
// Its text body, inside "model { AbstractVRMLNode" ... "}":
//   center ( x , y , z );   required
//   radius r;               required
//   div n;                  tessellation density, default 6
//   show n;                 default 1
//   assoc {                 any number of associations
//     name "value";         the value: any characters but a double quote,
//   }                       line ends included

#include <iosfwd>
#include <memory>
#include <string>

#include "foundation/seq.h"
#include "geometry/bounding_object.h"
#include "geometry/brep_model3.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"
#include "scene/registry.h"
#include "scene/system_interface.h"

// One association: a name and its value text, both kept whole.
class AVNAssoc {
public:
  std::string name;
  std::string value;
};

class CG_AbstractVRMLNodeDescription {
public:
  Point3D center;
  double radius = 1.0;
  int div = 6;
  Seq<AVNAssoc> assoc;
  int show = 1;
  CG_GraphicSystemInterface* sysInterface = nullptr;  // not owned
};

// The hits of one ray: up to two, nearest first.
class CG_AbstractVRMLNodeIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return hits[i == 1 ? 1 : 0]; }
  int Count() const override { return count; }

  int count = 0;
  double hits[2] = {0.0, 0.0};
};

class CG_AbstractVRMLNode : public zavo::UniformModelObject {
public:
  // Name, IDname, toll and the uniform data from the common data (the
  // mapping moves in), then the description's fields and the bounding box.
  CG_AbstractVRMLNode(CG_GraphicObjectCommData& data, const CG_AbstractVRMLNodeDescription& description);

  // Copy all six description fields out and in; SetDescription also renews
  // the bounding box.
  void GetDescription(CG_AbstractVRMLNodeDescription& description) const;
  void SetDescription(const CG_AbstractVRMLNodeDescription& description);

  // The sphere mesh named after the object: (n + 1) × (n + 1) points, n the
  // div clamped to 2 … 1024, rows of longitude, columns of polar angle.
  std::unique_ptr<BRepModel3> MakeMesh() const;
  // The points of that mesh.
  std::int64_t TessellationVertices() const override;

  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "AbstractVRMLNode"; }
  // A node at the same place of the same size and div, show 1 and no
  // associations; null when the common data cannot be copied.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int IsRayTraceable() const override { return 1; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // The crossings of the sphere not below toll, nearest first; a tangent
  // ray gives the same parameter twice.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The hit point, the unit normal along P − centre (against the ray should
  // the node have no size), then mapping, texture and bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  // The cube around the centre of half-size √2·radius.
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // One owned boundary-mesh object of MakeMesh without a face hierarchy; 0
  // when the common data cannot be copied.
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;

private:
  void RenewBounding();
  int MeshPart(zavo::DeclassedParts& parts) const;

  Point3D center_;
  double radius_ = 1.0;
  Seq<AVNAssoc> assoc_;
  int show_ = 1;
  std::unique_ptr<BoundingBox> bounding_;
  int div_ = 6;
  CG_GraphicSystemInterface* sysInterface_ = nullptr;
};

// Reads the body up to and including "}". Without "center" or "radius" no
// object and no message of its own; code 5 "Number wanted", "Unknown
// attribute"; a malformed point records code 5 "Wrong point definition",
// keeps the previous centre, and reading goes on. A token that is no
// attribute word, a missing quote or ";" of an association: no object.
class CG_AbstractVRMLNodeModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "AbstractVRMLNode"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};

namespace zavo {

// Raw texts between double quotes, as the field and the node read and write
// them. Reads "\"" text "\"" with the scanner standing on the opening quote:
// 1 with the text and the scanner on the token after the closing quote; 0
// when the token in view is no quote or the input ends inside the text.
int ReadQuotedText(ScannerMemo& scanner, std::string& text);

}  // namespace zavo
