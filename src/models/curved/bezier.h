#pragma once

// The Bezier patch model, model keyword "bezier": a surface of bicubic Bezier
// patches kept in a model file "<name>.bzr" found along the model path, or
// written inside the scene ("embedded"). It is never traced or drawn as
// patches: every conversion gives one boundary-mesh object tessellated from
// the patches and cached beside the model file (patch_model.h). The editor
// moves its control points through the patch-model interface.
//
// The patch text (the whole of a ".bzr" file, or the inline model):
//   { bezier
//     { patch  ( x , y , z ) ... sixteen points ...  }
//     ...
//   }
// Point k of a patch (k from 0 to 15) is the control point of row k mod 4 and
// column k div 4: the points are listed column by column, the row going with
// u. The body of the object, inside "model { bezier" ... "}":
//   model <patch text>   embedded patches (wins over "name")
//   name N;              the file "N.bzr", in the working directory or the model path
//   div n;               samples per patch side (default 5)
//   cache c;             non-zero: keep the mesh cache (default 1)

#include <iosfwd>
#include <memory>
#include <string>

#include "foundation/char_string.h"
#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/bezier_basis.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"
#include "models/core/patch_model_based.h"
#include "models/curved/patch_model.h"
#include "models/curved/patch_model_object.h"
#include "scene/registry.h"

// One coordinate of a patch: its control values G with the basis beside them.
using BezierCompunidim = BezierBasis;

// The three coordinates of a patch, x, y and z in this order.
struct BezierComp {
  BezierCompunidim coord[3];
};

// One bicubic patch; control point (r, c) has its coordinates in
// comp.coord[k].G(r, c), r going with u and c with v.
class CG_BezierPatch : public ListItem {
public:
  Point3D Control(int r, int c) const;
  void SetControl(int r, int c, const Point3D& p);
  // The Bernstein sum of the control points at (u, v), u and v in 0..1:
  // the weights of u and of v are each formed on their own, so that on an
  // edge (a parameter 0 or 1) the point depends on that edge's four control
  // points alone, bit for bit, and patches sharing the edge share its points.
  Point3D PointAt(double u, double v) const;

  BezierComp comp;
};

// One place of the control nets, and one record of the control table.
using BezRefs = zavo::PatchControlRef<CG_BezierPatch>;
using CG_BezControl = zavo::PatchControlRecord<BezRefs>;

// The settings that the reader, Clone and the editor exchange.
using CG_BezierDescription = zavo::PatchModelDescription<CG_BezierPatch>;

namespace zavo {

// What the Bezier patch model adds to the common patch-model object.
struct BezierModelTraits {
  using Patch = CG_BezierPatch;

  static constexpr const char* kKeyword = "bezier";
  static constexpr ModelFileTexts kFile{"bzr", "bezier", "Bezier model not found!"};
  static constexpr const char* kMarker = "// bezier mesh cache";
  static constexpr const char* kFileEnd = "";
  static constexpr const char* kInlineEnd = "\n";

  // The 4 x 4 control points, row by row.
  static void AddControls(CG_BezierPatch& patch, ControlTableBuilder<CG_BezControl, BezRefs>& table);
  static void SetControl(const BezRefs& ref, const Point3D& p) { ref.patch->SetControl(ref.row, ref.col, p); }
  // Sample (i, j) at u = i / (n - 1), v = j / (n - 1).
  static void SampleGrid(const CG_BezierPatch& patch, int n, Point3D* grid);
};

}  // namespace zavo

// The settings, the control table, the model file, the conversion and the
// object block are those of every patch model (patch_model_object.h), with
// "Bezier model not found!" and "Error in bezier model <modelPath>.bzr".
class GBezier : public zavo::PatchModelObject<GBezier, zavo::BezierModelTraits> {
public:
  using PatchModelObject::PatchModelObject;

  // ---- The patch text ----

  // Reads a patch text, the scanner standing on its "{": 1 with the scanner
  // on the token after the closing "}", or 0 at the first token that does
  // not fit. Each whole patch is appended to the list as it is read.
  static int ReadPatches(ScannerMemo& scanner, List<CG_BezierPatch>& patches);
  // "{ bezier\n", per patch "\t{ patch\n", the four point lines of each column
  // and "\n" after each column, "\t}\n"; then "}\n".
  static void WritePatches(std::ostream& os, const List<CG_BezierPatch>& patches);
};

extern template class zavo::PatchModelModule<GBezier>;

class CG_BezierModule : public zavo::PatchModelModule<GBezier> {};
