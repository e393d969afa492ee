#pragma once

// The boundary-mesh object, model keyword "brep": a scene object that holds a
// BRepModel3. Its mesh lives either in a pbrep file "<path>.brp" found along
// the model path ("file mesh"), or in the scene text or in memory ("inline
// mesh"). Every model type that turns itself into a mesh (sphere, cylinder,
// cone, CSG, camera, lamps) builds a BRepModel3 and wraps it in an inline
// GBRep through the constructor below.
//
// Its text body, inside "model { brep" ... "}"; every attribute but "model"
// is ended by ";":
//   name N          the file "N.brp", in the working directory or the model path
//   model { pbrep ... }   an inline mesh (wins over "name")
//   costr c         cost parameter of the face hierarchy; 0: none; default 1.2
//   algoritm a      which ray search a nearest-hit query uses (1, 2, 3); read only
//   interp i        non-zero: smooth shading normals (triangle meshes only)
//   interp_ang a    crease angle of the smoothing, radians; default pi / 6
//   interp_hold h   non-zero: the smoothing normals are written with an inline mesh
//   abspos v        read and ignored
// A file mesh keeps the face hierarchy in "<path>.br_"; a cache that does not
// fit the mesh (structure, counts, indices, boxes) is rebuilt and rewritten.
//
// Rays meet the mesh face by face (brep_trace.cpp): all hits in order, or the
// nearest by the search the algorithm names; with interp set, shading
// normals are blended from the corner normals across each triangle.

#include <iosfwd>
#include <memory>
#include <numbers>
#include <string>

#include "foundation/char_string.h"
#include "geometry/bounding_object.h"
#include "geometry/box.h"
#include "geometry/brep_model3.h"
#include "geometry/geo_interface.h"
#include "models/core/model_object.h"
#include "models/core/patch_model_based.h"
#include "scene/registry.h"

namespace zavo {

// The crease angle of a fresh description, 30 degrees.
inline constexpr double kDefaultCreaseAngle = std::numbers::pi / 6;

}  // namespace zavo

// The hits of one ray on a brep: the count and the (ray parameter, face)
// pairs, nearest first after Intersect and IntersectAny. The list grows by
// blocks of 100 and keeps them from one query to the next.
class CG_BRepIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return hits[static_cast<unsigned int>(i)].t; }
  int Count() const override { return count; }

  int count = 0;
  BRepModel3::Hits hits;
};

// The settings of a brep object as they travel between the reader, the
// builders of in-memory meshes, the editor and the object.
class CG_BRepDescription {
public:
  CG_BRepDescription() = default;
  CG_BRepDescription(const CG_BRepDescription&) = delete;
  CG_BRepDescription& operator=(const CG_BRepDescription&) = delete;

  int isInline = 0;                    // 1: the mesh below; 0: the file "<path>.brp"
  std::unique_ptr<BRepModel3> mesh;    // the inline mesh, handed over to the object
  charString name;                     // the model name after "name"
  charString path;                     // the model file without ".brp"
  double costr = 1.2;                  // 0: no face hierarchy
  charString hierKind{"auto"};         // "auto", "hier", "fasthier", "median"
  int gridDim = 20;                    // grid of the "fasthier" build
  int algorithm = 1;                   // nearest-hit ray search: 1, 2 or 3
  int interp = 0;
  double interp_ang = zavo::kDefaultCreaseAngle;
  int interp_hold = 0;
  GeoInterface* progress = nullptr;    // not owned
};

class GBRep : public zavo::UniformModelObject, public zavo::PatchModelPoints {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); algorithm, inline flag, progress, hierarchy kind and grid size
  // from the description; then the load: the description's mesh (taken
  // over) when the inline flag is set, else the file "<path>.brp". After a
  // load Loaded answers 1; a file that cannot be opened or read, or an inline
  // description without a mesh, leaves an empty mesh and Loaded 0.
  //
  // Every load builds the edge table when the mesh has none, sets the
  // all-triangles flag (every face one contour of three entries), takes
  // interp, interp_ang and interp_hold from the description for a triangle
  // mesh (computing the smoothing normals when interp is set and the mesh
  // carries none) or resets them, and with costr non-zero builds the face
  // hierarchy by the hierarchy kind: "fasthier" the grid build, "auto" and
  // "median" the median build (and then algorithm 3), anything else the level
  // build; a file mesh loads and saves it through "<path>.br_".
  GBRep(CG_GraphicObjectCommData& data, CG_BRepDescription& description);

  int Loaded() const { return loaded_; }

  // The object block: head, "\tmodel { brep", then for a file mesh
  // "\n\t\tname " N ";\n\t\tcostr " c, for an inline mesh "\n\t\tmodel " and
  // the pbrep block (with the smoothing normals when interp_hold is set) and
  // "\n\t\tcostr " c; then ";\n\t\tinterp " i, ";\n\t\tinterp_ang " a unless
  // it is pi / 6, ";\n\t\tinterp_hold " h unless it is 0, ";\n\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "brep"; }
  // Null for an inline mesh; otherwise a new object with NewCommData's
  // record and these settings, which loads the file again (null when that
  // fails).
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int IsRayTraceable() const override { return 1; }
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // ---- Ray tracing (a CG_BRepIntrInfo). Without a face hierarchy (costr 0)
  // a ray that misses the mesh box finds nothing; a face counts only when
  // hit beyond toll ----

  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // Every face hit, in increasing ray parameter; among equal parameters the
  // order is that of a selection sort over the hits as the mesh found them.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The nearest hit only (the first found among equal parameters), by the
  // search the algorithm names: 1 every hit, 2 depth-first, 3 best-first; any
  // other algorithm finds nothing. 1 or 0.
  int IntersectAny(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // With the best-first search, a walk that stops at the first face hit
  // nearer than limit; the record is left empty.
  int HitsBefore(const Ray& ray, double limit, CG_GraphicObjectIntrInfo& record) const override;
  int AlwaysOpaque() const override { return OpaqueMaterial(); }
  // The hit point; the face's plane normal, or with interp set the corner
  // normals of the hit triangle blended at the point by a scan line in the
  // face's projection plane and normalised (the plane normal when no blend
  // can be made); then the mapping, texture and bump of the uniform data.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;

  // ---- The mesh as polygons, triangles and an indexed mesh; colours are the
  // material's, the default Phong colour without a material ----

  int IsFaced(int) const override { return 1; }
  int VertexCount() const override;
  // Vertex i, from 0.
  void Vertex(int i, Point3D& point) const override;
  int FaceCount() const override;
  int FaceLoopCount(int face) const override;
  // The entries of contour loop (from 0) of the face, as the mesh keeps them
  // (from 1, negative for an edge not drawn). A contour the face does not
  // have is an internal error.
  void FaceIndices(int face, int loop, Seq<int>& indices) const override;
  void FaceColour(int face, Point3D& colour) const override;
  int IsTriangleMesh() const override { return allTriangles_; }
  int TriangleCount() const override { return FaceCount(); }
  // The vertices of the first three entries of the face's first contour.
  void Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const override;
  int IsIndexedMesh() const override { return allTriangles_; }
  int MeshVertexCount() const override { return VertexCount(); }
  // Vertex i, from 1.
  void MeshVertex(int i, Point3D& point) const override;
  int MeshTriangleCount() const override { return FaceCount(); }
  // The first three entries of face i's first contour, as stored.
  void MeshTriangle(int i, int& a, int& b, int& c) const override;
  // The named material's model; null without a material.
  CG_Material* MeshMaterial() const override;
  // The mesh's edge table.
  int HasEdges() const override;
  int EdgeCount() const override;
  void Edge(int i, int& a, int& b) const override;

  // ---- The patch-model interface: the vertices, from 0 ----

  int PointCount() const override { return VertexCount(); }
  int GetPoint(int i, Point3D& point) const override;
  int SetPoint(int i, const Point3D& point) override;
  // Commits moved vertices. An inline mesh recomputes its faces; a file mesh
  // is written to "<path>.brp" (with its smoothing normals, then "\n.\n";
  // replaced whole or not at all) and "<path>.br_" is removed. Then the
  // object applies its own description again, which reloads the file mesh
  // and rebuilds edges, normals, box, hierarchy and bounding volume. 1, or 0
  // with a message through the progress interface when the file cannot be
  // written or read back (the object then keeps its mesh).
  int UpdateModel() override;

  // ---- Settings for the editor ----

  // Copies every setting out; an inline mesh is handed over to the
  // description, and the object holds an empty mesh until SetDescription.
  void GetDescription(CG_BRepDescription& description);
  // Loads from the description (its inline mesh taken over, or its file),
  // then takes algorithm, progress, hierarchy kind and grid size from it. 1;
  // or 0 when the file cannot be read, with a message through the progress
  // interface naming the file: the object then keeps its mesh and settings.
  int SetDescription(CG_BRepDescription& description);
  // From now on the mesh is written into the scene text.
  void SetNew() { isInline_ = 1; }
  // Sets the hierarchy cost afterwards (for a mesh whose face hierarchy its
  // maker built); nothing is built or dropped.
  void SetCostr(double costr) { costr_ = costr; }

  // ---- What the ray queries and the tests read ----

  const BRepModel3& Mesh() const { return *mesh_; }
  const GEO_Box& MeshBox() const { return box_; }
  int IsInline() const { return isInline_; }
  double Costr() const { return costr_; }
  int Algorithm() const { return algorithm_; }
  int Interp() const { return interp_; }
  double InterpAngle() const { return interp_ang_; }
  int InterpHold() const { return interp_hold_; }
  const char* ModelName() const { return modelName_.Text(); }
  const char* ModelPath() const { return modelPath_.Text(); }

private:
  // The load of the constructor, SetDescription and UpdateModel: 1, or 0
  // with the object untouched and the reason in failure.
  int Load(CG_BRepDescription& description, std::string& failure);
  void BuildFaceHierarchy(double factor, const char* cacheFile);
  // Copies the settings, not the mesh.
  void CopySettings(CG_BRepDescription& description) const;
  // Shows a text through the progress interface, when there is one.
  void Tell(const std::string& text) const;
  // The blended corner normal of the face at the point (see HitDetails).
  Point3D InterpolatedNormal(const Face3& face, const Point3D& point) const;

  int allTriangles_ = 1;
  int interp_ = 0;
  charString modelName_;
  charString modelPath_;
  double interp_ang_ = zavo::kDefaultCreaseAngle;
  int interp_hold_ = 0;
  charString hierKind_;
  int gridDim_ = 20;
  int algorithm_ = 1;
  int isInline_ = 0;
  double costr_ = 0.0;
  GeoInterface* progress_ = nullptr;
  std::unique_ptr<BoundingBox> bounding_;
  std::unique_ptr<BRepModel3> mesh_;
  GEO_Box box_;
  int loaded_ = 0;
};

class CG_BRepModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "brep"; }
  // Reads the attributes up to and including "}" and makes the object, the
  // hierarchy kind and grid size taken from the scene's "_brep_optimiz" and
  // "_brep_grid_dim". Failures (null): a token that is no attribute word,
  // "attribute or '}' waited"; another word, "Unknown attribute"; neither
  // "name" nor "model", "Model name missing"; a pbrep block that does not
  // read, "Error in pbrep model" (inline) or "Error in pbrep model " path
  // ".brp" (file) (all code 5); a model file not found, code 4 "file \"N.brp\"
  // not found in model path"; a missing ";", code 2; a value that is no
  // number, no message of its own.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
