#pragma once

// The walk of the mesh exports (VRML, DXF, TGL): the scene's objects in list
// order, each as its own indexed mesh or as the parts of its indexed-mesh
// declass.

#include <climits>
#include <functional>

class CG_GraphicObject;
class CG_GraphicScene;

namespace zavo {

// mesh: the object to write; owner: the scene object it comes from; part: -1
// when mesh is the owner itself, else the number of the declassed part, from 0.
using ExportMeshVisitor =
    std::function<void(CG_GraphicObject& mesh, const CG_GraphicObject& owner, int part)>;

// An object that is an indexed mesh is visited itself; any other is asked for
// DeclassToIndexedMesh (mode 0) and each part it gives is visited in order, a
// part it owns being destroyed right after its visit (also when the visitor
// throws). Objects that give neither are passed over; cameras are not treated
// apart.
void ForEachExportMesh(const CG_GraphicScene& scene, const ExportMeshVisitor& visit);

// The vertex a triangle's vertex number names, whatever its sign (a negative
// number only hides an edge): its magnitude, INT_MAX for INT_MIN.
inline int VertexOfNumber(int number) {
  if (number >= 0) return number;
  return number == INT_MIN ? INT_MAX : -number;
}

}  // namespace zavo
