#pragma once

// The boundary mesh: a named set of vertices and planar faces (an outer
// contour and any holes, Face3), an edge table for wire-frame drawing,
// optional per-vertex normals kept in the contours, and a box hierarchy over
// the faces for ray queries.
//
// Vertex k has the number k in pbrep text and k + 1 in contours; -(k + 1)
// refers to the same vertex and marks the edge leaving it as hidden.
// Invariants: every contour entry refers to an existing vertex, every face
// has a contour and every contour an entry. The pbrep reader refuses text
// that breaks them; the constructor from sequences and UpdateFaces,
// BuildEdges and ComputeVertexNormals stop with an internal error on a vertex
// number outside the vertex sequence.
//
// The edge table, the per-vertex normals and the hierarchy are derived data:
// the hierarchy is dropped by Clear, Read, UpdateFaces and every hierarchy
// build; the normals are replaced by ComputeVertexNormals; the edge table by
// BuildEdges or an edge list in pbrep text.

#include <cstdint>
#include <iosfwd>

#include "foundation/char_string.h"
#include "foundation/fragmented_seq.h"
#include "foundation/hier_node.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/box.h"
#include "geometry/face3.h"
#include "geometry/face_layout.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "geometry/ray.h"

class ScannerMemo;

// One entry of the edge table: the higher-numbered endpoint as a 1-based
// number, negative when the edge is hidden, and the lower-numbered endpoint
// (edges read from pbrep text keep the numbers as the text gives them).
struct GEO_BRepEdge {
  std::int32_t first = 0;
  std::int32_t second = 0;

  friend bool operator==(const GEO_BRepEdge&, const GEO_BRepEdge&) = default;
};

// One ray hit on a mesh: the ray parameter and the face number.
struct BRepIntrInfo3 {
  double t = 0.0;
  std::int32_t face = 0;
};

class BRepModel3 : public ListItem {
public:
  using Node = HierNode<int, GEO_Box>;
  // The hits of a ray query (the callers' block size is 100).
  using Hits = FragmentedSeq<BRepIntrInfo3, unsigned int>;

  // An empty mesh with a copy of the name (null gives null).
  explicit BRepModel3(const char* name);
  // Copies of the name, the vertices and the faces (planes, unit normals and
  // the contours' vertex numbers; no per-vertex normals); no edges, no
  // hierarchy; then UpdateFaces.
  BRepModel3(const char* name, const Seq<Point3D>& vertices, const Seq<Face3>& faces);
  // As above with the other mesh's name, vertices and faces.
  BRepModel3(const BRepModel3& other);
  BRepModel3& operator=(const BRepModel3&) = delete;
  ~BRepModel3();

  charString name;
  Seq<Point3D> vertices;
  Seq<Face3> faces;
  Seq<GEO_BRepEdge> edges;
  // The root of the face hierarchy, owned; null when there is none.
  Node* hierarchy = nullptr;

  // Deletes the hierarchy (nothing when there is none).
  void FreeHierarchy();
  // Deletes the hierarchy and empties vertices and faces; the edge table stays.
  void Clear();
  // Deletes the hierarchy and recomputes every face's plane, axes and unit
  // normal from its first contour.
  void UpdateFaces();
  // The smallest box holding every vertex; the zero box for a mesh without vertices.
  GEO_Box GetBox() const;
  // The unit normal of the face a hit names.
  Point3D FaceNormal(const BRepIntrInfo3& hit) const;
  // Empties out, then appends face i once for every occurrence of vertex v
  // (0-based, either sign) in any contour of face i, faces in order.
  void FacesOfVertex(int v, Seq<Face3*>& out);

  // Fills the edge table from the contours: every undirected edge once, in
  // ascending order of its lower endpoint, then in the order first met; the
  // first occurrence decides whether it is hidden.
  void BuildEdges();
  // Gives every contour one normal per entry: the mean of the unit normals
  // of the faces around the vertex whose angle to the own face's normal is
  // below limit (radians), the own face always included; not normalised.
  void ComputeVertexNormals(double limit);

  // Reads one pbrep block; the scanner stands on its "{" (standard
  // configuration, number mode -3). 1 with the scanner after the block's
  // "}", or 0 at the first token that does not fit, the mesh then holding the
  // vertices and the whole faces read before it. The hierarchy is dropped
  // and vertices and faces emptied first; the edge table is replaced only by
  // an edge list in the text.
  int Read(ScannerMemo& scanner);
  // Writes the pbrep block, a line break, and flushes. With withNormals 0 no
  // per-vertex normals are written.
  std::ostream& Write(std::ostream& os, int withNormals) const;
  // The text of one face in a pbrep block.
  static void WriteFace(const Face3& face, std::ostream& os, int withNormals);

  // The level build (growth factor) of the face hierarchy: loads it from the
  // file when one is named and opens, else builds it and, with a file name,
  // saves it there. A file that does not fit (see zavo::LoadHierarchy), or
  // one with a leaf whose box does not hold the boxes of its faces (beyond
  // the rounding of the six digits written), is built as if it had not
  // opened and overwritten. Status texts: "Loading
  // hierarchy " file, "Creating hierarchy", "Saving hierarchy " file.
  // 1, or 0 when the file could not be written (the hierarchy is kept).
  // A user break during a build leaves a valid but coarse tree, written
  // nowhere, and gives 0.
  int BuildHierarchy(double factor, const char* file, GeoInterface* progress);
  // The grid build with the given grid dimension, loading and saving as
  // above. A mesh of more than 10000 vertices takes BuildHierarchy2Default; a
  // mesh without faces is left as it is. A tree of fewer than 3 levels along
  // first children is replaced by BuildHierarchy2Default.
  int BuildHierarchy2(double factor, int gridDimension, const char* file, GeoInterface* progress);
  // The median build, loading as above; a built tree is saved only for a mesh
  // of more than 6000 vertices (or over a file that did not fit).
  int BuildHierarchy2Default(const char* file, GeoInterface* progress);

  // Ray queries. Each writes hit records from out[0] on and returns their
  // number; out may be larger than that (before writing record n it grows to
  // n + 11 when it holds n or fewer). A face counts only when hit beyond tmin.
  // Without a hierarchy all three test every face in order.
  //
  // Every face hit, through the hierarchy's boxes.
  int Intersect(const Ray& ray, Hits& out, double tmin) const;
  // Depth-first, children in order of entry distance, skipping the children
  // entered beyond the nearest hit found so far. Every hit in a visited leaf
  // is reported, the nearest among them.
  int IntersectFirst(const Ray& ray, Hits& out, double tmin) const;
  // Best-first: nodes opened in order of entry distance from a queue. The
  // nearest hit is among those reported.
  int IntersectBestFirst(const Ray& ray, Hits& out, double tmin) const;
  // Whether some face is hit beyond tmin and nearer than limit: exactly when
  // the nearest hit of IntersectBestFirst lies nearer than limit. Visits the
  // nodes IntersectBestFirst may open (and those it skips), depth first, and
  // stops at the first such hit.
  bool HitBefore(const Ray& ray, double tmin, double limit) const;

private:
  // Internal error unless every contour entry names a vertex.
  void CheckVertexNumbers(const char* operation) const;

  // The hierarchy laid out for the ray queries; dropped with the hierarchy.
  zavo::FaceLayoutCache layout_;
};
