#pragma once

// The spline surface, model keyword "ucbspline": a uniform bicubic B-spline
// surface over a grid of control points read from a text file "<name>.bsp"
// in the scene's model directory (two counts n and m, then n * m points of
// three reals, row by row). Rays meet the surface itself when usebrep is set;
// otherwise, and for the views, previews and exporters, a mesh of samples
// over the whole surface stands in, made anew at every conversion.
//
// Its body, inside "model { ucbspline" ... "}":
//   name N;        the file "<model directory>/N.bsp"
//   usebrep u;     0: trace the mesh instead of the surface (default 1)

#include <iosfwd>
#include <memory>
#include <string>

#include "foundation/char_string.h"
#include "foundation/seq.h"
#include "geometry/bspline_patch.h"
#include "geometry/bspline_surface.h"
#include "geometry/geo_interface.h"
#include "models/core/model_object.h"
#include "models/curved/patch_model.h"
#include "scene/registry.h"

// The hits of one ray: count and the (t, u, v) records, nearest first.
class CG_SplineIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return hits[static_cast<std::uint32_t>(i)].t; }
  int Count() const override { return count; }

  std::int32_t count = 0;
  Seq<BSplineIntrInfo> hits;
};

namespace zavo {

// The spline surface's model file and what its reader says.
inline constexpr ModelFileTexts kSplineFile{"bsp", "spline", "modello inesistente"};

}  // namespace zavo

class CG_SplineDescription {
public:
  charString modelName;
  charString modelPath;            // the model directory and the name, without ".bsp"
  int usebrep = 1;
  GeoInterface* progress = nullptr;  // not owned
};

class GSpline : public zavo::UniformModelObject {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); then the model file is loaded without messages (LoadResult).
  GSpline(CG_GraphicObjectCommData& data, const CG_SplineDescription& description);

  // Loads the model file again with the description's settings. A file that
  // does not open leaves an empty surface and shows "modello inesistente";
  // one that does not read leaves an empty surface and shows "Error in spline
  // model <modelPath>.bsp" (through the progress interface's Message).
  void SetDescription(const CG_SplineDescription& description);
  void GetDescription(CG_SplineDescription& description) const;
  zavo::ModelLoad LoadResult() const { return load_; }

  const char* Keyword() const override { return "ucbspline"; }
  // Head, "\tmodel { ucbspline\n\t\tname N;\n", "\t\tusebrep 0;\n" only when
  // usebrep is 0, "\t}\n}\n".
  void Write(std::ostream& os) const override;
  // The type has no copies: null.
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override { return nullptr; }

  int IsRayTraceable() const override { return usebrep_; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // Every window's hit (a CG_SplineIntrInfo), polished in double precision
  // (RefineSurfaceHit; one that does not polish is dropped), beyond toll,
  // each place once, ordered by ray parameter by a selection sort in which a
  // later hit replaces the candidate only when strictly nearer.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The hit point; the normal du x dv normalised, the derivatives taken at
  // the hit's place on the surface (the reversed ray direction when the
  // cross product has no length); then the mapping, texture and bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;

  // One owned boundary-mesh object of TessellateSplineSurface's samples over
  // the whole parameter rectangle (no hierarchy, no smoothing), made anew at
  // each call.
  std::int64_t TessellationVertices() const override { return SplineMeshVertexCount(*surface_); }
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override { return Tessellate(parts); }
  int DeclassToFaced(zavo::DeclassedParts& parts, int) override { return Tessellate(parts); }
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override { return Tessellate(parts); }
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) override { return Tessellate(parts); }

  const BSplineSurface& Surface() const { return *surface_; }
  const char* ModelName() const { return modelName_.Text(); }
  const char* ModelPath() const { return modelPath_.Text(); }
  int UseBRep() const { return usebrep_; }

private:
  void LoadModelFile(const CG_SplineDescription& description, bool tell);
  int Tessellate(zavo::DeclassedParts& parts) const;

  GeoInterface* progress_ = nullptr;
  charString modelName_;
  charString modelPath_;
  std::unique_ptr<BSplineSurface> surface_;
  std::int32_t usebrep_ = 1;
  zavo::ModelLoad load_ = zavo::ModelLoad::kLoaded;
};

class CG_SplineModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "ucbspline"; }
  // Reads the body up to and including "}". A file "<model directory>/N.bsp"
  // that does not open: code 4 "file \"N.bsp\" not found in model path"; one
  // that does not read as a grid: code 5 "Error in spline model
  // <path>.bsp". A missing ";", another word, a token that is no word, or no
  // "name": null without a message.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
