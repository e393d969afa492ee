#pragma once

// The blob, model keyword "blob": an implicit surface, the points where the
// summed field of spherical elements equals a threshold. An element with
// centre M, radius r and strength s adds, at a point P with d² = |P − M|²,
//   s·(1 − d²/r²)² = coef4·d⁴ + coef2·d² + coef0   when d² < r²
// with coef4 = s/r⁴, coef2 = −2s/r², coef0 = s, and nothing farther away.
//
// The elements live in the side file "<model>.blb"; the object block only
// names it:
//   model { blob
//     name drop;        the model name, looked up as "drop.blb"
//   }
//
// The side file: the header "[blob1.0]", then statements "key = values":
//   threshold = t                     the surface level (0.5 when absent)
//   sphere = x y z radius strength    one element
//   strength, grid_size, grid_on, snap_on, detail, zoom_factor,
//   camera_angle (1 value), camera, target, up (3), top_view, front_view,
//   side_view (4)                     read and ignored
// A key not in this list ends the file; the rest is not read.
//
// Rays are traced exactly: one quartic per stretch of the ray over which the
// set of elements whose sphere of influence it crosses stays the same, in a
// parameter counted from the stretch's middle (the ray parameter itself would
// leave the coefficients no digits once the eye is a few units away). Views,
// previews and exporters see one proxy sphere per element instead (the
// element's centre, its radius times the threshold).

#include <iosfwd>
#include <memory>
#include <vector>

#include "foundation/char_string.h"
#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/bounding_object.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"
#include "models/core/sphere.h"
#include "scene/registry.h"

// One element of a blob. The file gives centre, radius and strength; the
// rest is derived once at load.
class CG_BlobElement : public ListItem {
public:
  Point3D center;
  double radius = 0.0;
  double strength = 0.0;
  double radiusSq = 0.0;
  double coef4 = 0.0;
  double coef2 = 0.0;
  double coef0 = 0.0;
};

// What a side file yields: the elements in file order and the threshold.
class CG_BlobComplete {
public:
  CG_BlobComplete() = default;
  CG_BlobComplete(const CG_BlobComplete&) = delete;
  CG_BlobComplete& operator=(const CG_BlobComplete&) = delete;

  List<CG_BlobElement> elements;
  double threshold = 0.5;
};

// One event on a ray: the ray enters (kind 0) or leaves (kind 1) the sphere
// of influence of valid element number element at parameter t.
struct CG_BlobInterval {
  int kind = 0;
  int element = 0;
  double t = 0.0;
};

// The model as named in the scene and the file path without ".blb".
class CG_BlobDescription {
public:
  charString name;
  charString path;
};

// The hits of the last intersection, ascending.
class CG_BlobIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return hits[i]; }
  int Count() const override { return hits.Size(); }

  FragmentedSeq<double, int> hits;
};

// Reads a side file into complete, destroying the elements it held first:
// 1 on success. 0 for a wrong header, a key without "=", and the end of the
// input (or a token too long) inside a statement; the elements read before
// the failure stay.
int ReadBlobFile(CG_BlobComplete& complete, std::istream& in);

class GBlob : public zavo::UniformModelObject {
public:
  // What LoadModel found.
  enum LoadResult { kNotOpened = -1, kBadFile = 0, kLoaded = 1 };

  // Name, IDname, toll and the uniform data from the common data (the
  // mapping moves in), then LoadModel.
  GBlob(CG_GraphicObjectCommData& data, const CG_BlobDescription& description);
  ~GBlob() override;

  // Keeps the names, reads "<path>.blb" (whatever it holds, even nothing
  // after a failure), makes the proxy spheres and the valid elements.
  void LoadModel(const CG_BlobDescription& description);
  // kLoaded, kBadFile (the read failed; the elements before the failure
  // were kept) or kNotOpened (no elements).
  int GetLoadResult() const { return loadResult_; }
  // Copies the model name and path out.
  void GetDescription(CG_BlobDescription& description) const;

  // "{ object\n\tname " name ";\n", the uniform data's lines, then
  // "\tmodel { blob\n\t\tname " model name ";\n\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "blob"; }
  // The name and the uniform data from the record (the mapping moves in);
  // the proxy spheres take the new name, material, texture and bump.
  int SetCommData(CG_GraphicObjectCommData& data) override;
  // A blob gives no copy of its common data and no clone.
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override { return nullptr; }

  int IsRayTraceable() const override { return 1; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The point at the hit, NormalAt there (the reversed ray direction where
  // the field has no gradient), then mapping, texture and bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  // The box of the valid elements' spheres of influence; null without any.
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // One entry per proxy sphere: for ray tracing the spheres themselves (not
  // owned); otherwise the first part of each sphere's own conversion.
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override;
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;

  // The summed field of the valid elements at P (those with d² < r²).
  double FieldAt(const Point3D& p) const;
  // The negated gradient of the field at P (elements with d² ≤ r²), of unit
  // length: outward for positive strengths. The zero vector where the
  // gradient is zero.
  Point3D NormalAt(const Point3D& p) const;
  // The ordered events of the ray (entries and exits of the valid elements'
  // spheres of influence, parameters below minT taken as 0) into events;
  // answers their number.
  int FindIntervals(const Ray& ray, double minT, std::vector<CG_BlobInterval>& events) const;
  // The ray's crossings of the surface beyond toll into hits (emptied
  // first), ascending; answers their number.
  int IntersectRay(const Ray& ray, FragmentedSeq<double, int>& hits) const;

  const CG_BlobComplete& Complete() const { return complete_; }
  const Seq<CG_BlobElement>& Valid() const { return valid_; }
  int SphereCount() const { return static_cast<int>(spheres_.size()); }
  GSphere& Sphere(int i) const { return *spheres_[static_cast<std::size_t>(i)]; }

private:
  // Copies the valid elements with their derived values; builds the box.
  void Prepare();
  void MakeSpheres();
  // The proxies' name, material, texture and bump: the blob's.
  void ShareLookWithSpheres(CG_GraphicObjectCommData& data) const;
  // The first part of each sphere's conversion of this kind.
  template <class Convert>
  int DeclassSpheres(zavo::DeclassedParts& parts, Convert convert);

  std::unique_ptr<BoundingBox> bounding_;
  CG_BlobComplete complete_;
  Seq<CG_BlobElement> valid_;
  charString modelName_;
  charString modelPath_;
  std::vector<std::unique_ptr<GSphere>> spheres_;
  int loadResult_ = kNotOpened;
};

// The reader of "model { blob": "name" NAME ";" (NAME.blb looked up in the
// working directory, then the model path; code 4 when not found or when it
// cannot be opened), then "}". Code 5: "Model name missing", "Unknown
// attribute", "attribute or '}' waited", and "Error in blob model <path>.blb"
// for a side file that does not read.
class CG_BlobModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "blob"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
