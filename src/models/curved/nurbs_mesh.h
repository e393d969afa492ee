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
#include "models/curved/patch_model_object.h"
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

// One place of the control nets, and one record of the control table.
using CG_NURBSControlRef = zavo::PatchControlRef<CG_NURBSPatch>;
using CG_NURBSControlIndex = zavo::PatchControlRecord<CG_NURBSControlRef>;

using CG_NURBSMeshDescription = zavo::PatchModelDescription<CG_NURBSPatch>;

namespace zavo {

// What the NURBS mesh model adds to the common patch-model object.
struct NURBSMeshTraits {
  using Patch = CG_NURBSPatch;

  static constexpr const char* kKeyword = "NURBSmesh";
  static constexpr ModelFileTexts kFile{"nrb", "NURBS", "NURBS model not found!"};
  static constexpr const char* kMarker = "// NURBS mesh cache";
  static constexpr const char* kFileEnd = ".\n";
  static constexpr const char* kInlineEnd = "";

  // The dimx x dimy control points, row by row.
  static void AddControls(CG_NURBSPatch& patch,
                          ControlTableBuilder<CG_NURBSControlIndex, CG_NURBSControlRef>& table);
  // The weights stay as they are.
  static void SetControl(const CG_NURBSControlRef& ref, const Point3D& p) {
    ref.patch->controls(static_cast<std::uint32_t>(ref.row), static_cast<std::uint32_t>(ref.col)) = p;
  }
  // Sample (i, j) at even steps over the patch's parameter range, both ends
  // exactly.
  static void SampleGrid(const CG_NURBSPatch& patch, int n, Point3D* grid);
};

}  // namespace zavo

// Everything but the NURBS text is that of every patch model
// (patch_model_object.h, as GBezier), with "NURBS model not found!" and "Error
// in NURBS model <modelPath>.nrb"; a model file ends with a line ".".
class CG_NURBSMesh : public zavo::PatchModelObject<CG_NURBSMesh, zavo::NURBSMeshTraits> {
public:
  using PatchModelObject::PatchModelObject;

  // ---- The NURBS text ----

  // Reads a NURBS text, the scanner standing on its "{": 1 with the scanner
  // on the token after the closing "}", or 0 at the first token that does
  // not fit (a patch whose header breaks the bounds included; nothing is
  // allocated for it before its header is checked). Each whole patch is
  // appended as it is read.
  static int ReadPatches(ScannerMemo& scanner, List<CG_NURBSPatch>& patches);
  // The text above, without the "." line.
  static void WritePatches(std::ostream& os, const List<CG_NURBSPatch>& patches);
};

extern template class zavo::PatchModelModule<CG_NURBSMesh>;

class CG_NURBSMeshModule : public zavo::PatchModelModule<CG_NURBSMesh> {};
