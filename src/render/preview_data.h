#pragma once

// What the scan-line preview keeps of each mesh it draws: the mesh's vertices
// projected to device coordinates and its triangles with their normals and
// their ranges of device height.

#include <memory>
#include <vector>

#include "geometry/point3d.h"
#include "geometry/transformation.h"

class CG_GraphicObject;
class CG_GraphicScene;
class CG_ViewReference;

// One triangle of a drawn mesh.
struct CG_GraphicObjectZBFace {
  int index[3] = {0, 0, 0};  // into the record's projected points, from 0
  Point3D normal;            // unit normal in world coordinates; zero when degenerate
  double ymin = 0;           // range of the projected vertices' y
  double ymax = 0;
};

// One drawn mesh: a scene object, or a part of one made by a declass, which
// the record then owns.
class CG_GraphicObjectZBData {
public:
  CG_GraphicObjectZBData(CG_GraphicObject* object, int owned) : object(object), owned(owned) {}
  ~CG_GraphicObjectZBData();
  CG_GraphicObjectZBData(const CG_GraphicObjectZBData&) = delete;
  CG_GraphicObjectZBData& operator=(const CG_GraphicObjectZBData&) = delete;

  // Takes the mesh through m, a matrix to clip coordinates (X, Y, Z, W) whose
  // drawn volume is 0 <= Z <= W (zavo::PreviewMatrix): points holds the mesh
  // vertices 1 .. MeshVertexCount divided by W ((0, 0, 0) where W is 0), and one
  // face is made per mesh triangle with the vertex numbers' magnitudes less 1,
  // the range of its projected y, and the normal (Q - P) x (R - Q) of its
  // unprojected vertices, normalised, or zero when each component of that
  // product is below 1e-20 in magnitude. A triangle that leaves the volume is
  // cut to its part inside (before the division, so a part behind the eye
  // never folds over into view): its new corners are added to points and the
  // part becomes a fan of faces with the triangle's normal; a triangle wholly
  // outside gives no face. ymin and ymax span the faces' ranges. A triangle
  // naming a vertex the mesh does not have is left out. Takes the colour of
  // the mesh material (the default colour without one).
  void Prepare(const Transformation& m);

  CG_GraphicObject* object;
  int owned;
  std::vector<Point3D> points;
  std::vector<CG_GraphicObjectZBFace> faces;
  double ymin = 0;
  double ymax = 0;
  Point3D colour{0.5, 0.5, 0.5};

private:
  // Sets the face's range of y from its projected vertices, widens the
  // record's range by it and appends it.
  void AddFace(CG_GraphicObjectZBFace face);
};

namespace zavo {

using PreviewRecords = std::vector<std::unique_ptr<CG_GraphicObjectZBData>>;

// The farthest any mesh vertex of the records lies in front of the eye of a
// sound view (zavo::DistanceAhead); -infinity for records without vertices.
double FarthestAhead(const PreviewRecords& records, const CG_ViewReference& view);

// Empties the records and makes one for each object of the scene in list
// order: none for a lamp or a camera (TracedAsSurface); the object itself (not
// owned) when it is an indexed mesh; else each part of its indexed-mesh
// declass (mode 0) that is no lamp or camera, owned as the declass says.
void CollectPreviewRecords(const CG_GraphicScene& scene, PreviewRecords& records);

}  // namespace zavo
