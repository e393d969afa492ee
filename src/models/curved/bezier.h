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
  // The Bernstein sum of the control points at (u, v), u and v in 0..1.
  Point3D PointAt(double u, double v) const { return BezierBasis::EvaluatePoint(comp.coord, u, v); }

  BezierComp comp;
};

// One place of the control nets: a patch, a row and a column.
struct BezRefs {
  CG_BezierPatch* patch = nullptr;
  int row = 0;
  int col = 0;
};

// One record of the control table: a position and every place holding it.
struct CG_BezControl {
  Point3D position;
  Seq<BezRefs> refs;
};

// The settings that the reader, Clone and the editor exchange.
class CG_BezierDescription {
public:
  CG_BezierDescription() = default;
  CG_BezierDescription(const CG_BezierDescription&) = delete;
  CG_BezierDescription& operator=(const CG_BezierDescription&) = delete;

  int embedded = 0;
  List<CG_BezierPatch> patches;    // only for an embedded model
  charString modelName;            // the name as written after "name"
  charString modelPath;            // the found model file without ".bzr"
  int div = 5;
  int cache = 1;
  charString hierKind{"auto"};
  int gridDim = 0;
  GeoInterface* progress = nullptr;  // not owned
};

class GBezier : public zavo::UniformModelObject, public zavo::PatchModelPoints {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); then the description is applied without messages: a model
  // file that is missing or does not read leaves LoadResult telling so.
  GBezier(CG_GraphicObjectCommData& data, const CG_BezierDescription& description);

  // Applies the description: progress and embedded; for an embedded model
  // div, cache, hierarchy kind, grid dimension and a copy of the patches; for
  // a model file also the names, then the file "<modelPath>.bzr" is read. A
  // file that is missing leaves no patches and shows "Bezier model not
  // found!"; one that fails part-way keeps the patches read before the
  // failure and shows "Error in bezier model <modelPath>.bzr" (both through
  // the progress interface's Message). The control table is rebuilt from the
  // patches held, and nothing counts as moved any more.
  void SetDescription(const CG_BezierDescription& description);
  // Copies every setting out; the patches only for an embedded model.
  void GetDescription(CG_BezierDescription& description) const;
  // From now on the patches are written into the scene.
  void SetNew() { embedded_ = 1; }
  zavo::ModelLoad LoadResult() const { return load_; }

  const char* Keyword() const override { return "bezier"; }
  void Write(std::ostream& os) const override;
  // A new object with NewCommData's record and every setting of this one;
  // null when the record cannot be made or a model file no longer reads.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override { return BuildBRep(parts); }
  int DeclassToFaced(zavo::DeclassedParts& parts, int) override { return BuildBRep(parts); }
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override { return BuildBRep(parts); }
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) override { return BuildBRep(parts); }

  // ---- The patch-model interface: the control table's records ----

  int PointCount() const override { return static_cast<int>(controls_.Size()); }
  // 0, changing nothing, for an index outside the table.
  int GetPoint(int i, Point3D& point) const override;
  // Moves record i and every control point it names; the model then counts
  // as differing from its file until UpdateModel or SetDescription.
  int SetPoint(int i, const Point3D& point) override;
  // A model file is written (replaced whole) and its own mesh cache deleted;
  // then the description is applied again. 1; or 0 with "Cannot write
  // <file>" through Message when the file cannot be written, the old file,
  // the cache and the moved points then kept.
  int UpdateModel() override;

  // ---- The patch text ----

  // Reads a patch text, the scanner standing on its "{": 1 with the scanner
  // on the token after the closing "}", or 0 at the first token that does
  // not fit. Each whole patch is appended to the list as it is read.
  static int ReadPatches(ScannerMemo& scanner, List<CG_BezierPatch>& patches);
  // "{ bezier\n", per patch "\t{ patch\n", the four point lines of each column
  // and "\n" after each column, "\t}\n"; then "}\n".
  static void WritePatches(std::ostream& os, const List<CG_BezierPatch>& patches);

  // ---- What the tests and the editor read ----

  const List<CG_BezierPatch>& Patches() const { return patches_; }
  const FragmentedSeq<CG_BezControl, long>& Controls() const { return controls_; }
  int Embedded() const { return embedded_; }
  int Div() const { return div_; }
  int Cache() const { return cache_; }
  const char* ModelName() const { return modelName_.Text(); }
  const char* ModelPath() const { return modelPath_.Text(); }
  const char* HierKind() const { return hierKind_.Text(); }
  int GridDim() const { return gridDim_; }
  bool DiffersFromFile() const { return moved_; }

private:
  void Apply(const CG_BezierDescription& description, bool tell);
  void BuildControlTable();
  int BuildBRep(zavo::DeclassedParts& parts);

  GeoInterface* progress_ = nullptr;
  int embedded_ = 0;
  charString modelName_;
  charString modelPath_;
  List<CG_BezierPatch> patches_;
  int div_ = 5;
  int cache_ = 1;
  charString hierKind_{"auto"};
  int gridDim_ = 0;
  FragmentedSeq<CG_BezControl, long> controls_;
  std::string modelFile_;   // the file read, which UpdateModel replaces
  zavo::ModelLoad load_ = zavo::ModelLoad::kLoaded;
  bool moved_ = false;
};

class CG_BezierModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "bezier"; }
  // Reads the body up to and including "}". A name whose file is not found:
  // code 4 "file \"N.bzr\" not found in model path"; a model file that does
  // not read: code 5 "Error in bezier model <path>.bzr". Any other failure
  // (a missing ";", another word, a token that is no word, inline text that
  // does not read, neither "model" nor "name") gives null without a message.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
