#pragma once

// The NURBS mesh model, model keyword "NURBSmesh": a surface of rational
// B-spline patches of any order and size, kept in a model file "<name>.nrb"
// or inside the scene, converted like the Bezier model into one cached
// boundary-mesh object (patch_model.h), its control points moved through the
// patch-model interface.
//
// The NURBS text (a ".nrb" file adds a line "." after it):
//   { NURBS
//     { patch
//       orderx ox; ordery oy; dimx dx; dimy dy;     words and separators not looked at
//       { u knot; ... dx + ox knots ... }
//       { v knot; ... dy + oy knots ... }
//       ( x , y , z ) , w;  ... dx * dy entries, column c outer, row r inner ...
//     }
//   }
// Row r runs along u, column c along v. A patch must have 1 <= order <= 16,
// order <= dimension <= 10000, dx * dy <= 1000000 and knots that never
// decrease; anything else fails the text.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "foundation/char_string.h"
#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "foundation/matrix.h"
#include "foundation/seq.h"
#include "foundation/table.h"
#include "foundation/vector.h"
#include "geometry/bspline_surface.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"
#include "models/core/patch_model_based.h"
#include "models/curved/patch_model.h"
#include "scene/registry.h"

namespace zavo {

inline constexpr std::int32_t kMaxNURBSDimension = 10000;
inline constexpr std::int64_t kMaxNURBSPoints = 1000000;

}  // namespace zavo

class CG_NURBSPatch : public ListItem {
public:
  // The point at (u, v): the weighted sum of the control points over the
  // weighted sum of the basis products. At the upper end of the parameter
  // range, where the half-open basis of order 1 vanishes, the last non-empty
  // span is taken as closed at its right end (the limit from below). Where
  // the weights sum to 0 the unweighted point is given; the result is always
  // finite (the first control point when nothing else is).
  Point3D PointAt(double u, double v) const;
  // The parameter range of the tessellation: knotsU[orderx - 1] to
  // knotsU[dimx], knotsV[ordery - 1] to knotsV[dimy].
  double UMin() const { return knotsU[static_cast<std::uint32_t>(orderx - 1)]; }
  double UMax() const { return knotsU[static_cast<std::uint32_t>(dimx)]; }
  double VMin() const { return knotsV[static_cast<std::uint32_t>(ordery - 1)]; }
  double VMax() const { return knotsV[static_cast<std::uint32_t>(dimy)]; }
  // Not defined: each shows "CG_NURBSPatch::DU undef" / "CG_NURBSPatch::DV
  // undef" through the internal-error box. Nothing calls them.
  int DU(double u, double v, Point3D& out) const;
  int DV(double u, double v, Point3D& out) const;

  std::int32_t orderx = 0;
  std::int32_t ordery = 0;
  std::int32_t dimx = 0;
  std::int32_t dimy = 0;
  Vector<double> knotsU;       // dimx + orderx knots
  Vector<double> knotsV;       // dimy + ordery knots
  Matrix<double> weights;      // dimx rows x dimy columns
  Table<Point3D> controls;     // dimx rows x dimy columns
};

struct CG_NURBSControlRef {
  CG_NURBSPatch* patch = nullptr;
  int row = 0;
  int col = 0;
};

struct CG_NURBSControlIndex {
  Point3D position;
  Seq<CG_NURBSControlRef> refs;
};

class CG_NURBSMeshDescription {
public:
  CG_NURBSMeshDescription() = default;
  CG_NURBSMeshDescription(const CG_NURBSMeshDescription&) = delete;
  CG_NURBSMeshDescription& operator=(const CG_NURBSMeshDescription&) = delete;

  int embedded = 0;
  List<CG_NURBSPatch> patches;     // only for an embedded model
  charString modelName;
  charString modelPath;            // the found model file without ".nrb"
  int div = 5;
  int cache = 1;
  charString hierKind{"auto"};
  int gridDim = 0;
  GeoInterface* progress = nullptr;  // not owned
};

class CG_NURBSMesh : public zavo::UniformModelObject, public zavo::PatchModelPoints {
public:
  // As GBezier: the description applied without messages, LoadResult telling
  // how a model file went.
  CG_NURBSMesh(CG_GraphicObjectCommData& data, const CG_NURBSMeshDescription& description);

  // As GBezier::SetDescription, with "NURBS model not found!" and "Error in
  // NURBS model <modelPath>.nrb".
  void SetDescription(const CG_NURBSMeshDescription& description);
  void GetDescription(CG_NURBSMeshDescription& description) const;
  // Also called SetChanged by the editor: from now on the patches are written
  // into the scene.
  void SetNew() { embedded_ = 1; }
  zavo::ModelLoad LoadResult() const { return load_; }

  const char* Keyword() const override { return "NURBSmesh"; }
  void Write(std::ostream& os) const override;
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override { return BuildBRep(parts); }
  int DeclassToFaced(zavo::DeclassedParts& parts, int) override { return BuildBRep(parts); }
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override { return BuildBRep(parts); }
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) override { return BuildBRep(parts); }

  // ---- The patch-model interface (see GBezier); weights stay as they are ----

  int PointCount() const override { return static_cast<int>(controls_.Size()); }
  int GetPoint(int i, Point3D& point) const override;
  int SetPoint(int i, const Point3D& point) override;
  int UpdateModel() override;

  // ---- The NURBS text ----

  // Reads a NURBS text, the scanner standing on its "{": 1 with the scanner
  // on the token after the closing "}", or 0 at the first token that does
  // not fit (a patch whose header breaks the bounds included; nothing is
  // allocated for it before its header is checked). Each whole patch is
  // appended as it is read.
  static int ReadPatches(ScannerMemo& scanner, List<CG_NURBSPatch>& patches);
  // The text above, without the "." line.
  static void WritePatches(std::ostream& os, const List<CG_NURBSPatch>& patches);

  const List<CG_NURBSPatch>& Patches() const { return patches_; }
  const FragmentedSeq<CG_NURBSControlIndex, long>& Controls() const { return controls_; }
  int Embedded() const { return embedded_; }
  int Div() const { return div_; }
  int Cache() const { return cache_; }
  const char* ModelName() const { return modelName_.Text(); }
  const char* ModelPath() const { return modelPath_.Text(); }
  const char* HierKind() const { return hierKind_.Text(); }
  int GridDim() const { return gridDim_; }
  bool DiffersFromFile() const { return moved_; }

private:
  void Apply(const CG_NURBSMeshDescription& description, bool tell);
  void BuildControlTable();
  int BuildBRep(zavo::DeclassedParts& parts);

  GeoInterface* progress_ = nullptr;
  charString modelName_;
  charString modelPath_;
  List<CG_NURBSPatch> patches_;
  int embedded_ = 0;
  int div_ = 5;
  int cache_ = 1;
  charString hierKind_{"auto"};
  int gridDim_ = 0;
  FragmentedSeq<CG_NURBSControlIndex, long> controls_;
  std::string modelFile_;
  zavo::ModelLoad load_ = zavo::ModelLoad::kLoaded;
  bool moved_ = false;
};

class CG_NURBSMeshModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "NURBSmesh"; }
  // As CG_BezierModule, with ".nrb" and "Error in NURBS model <path>.nrb".
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
