#pragma once

// A boundary mesh copied from any object's indexed-mesh answers.

#include <memory>

#include "geometry/brep_model3.h"

class CG_GraphicObject;

// A new mesh named "mod": vertex k - 1 is the object's MeshVertex (k) for k
// from 1 to MeshVertexCount, and face i the one contour of the three vertex
// numbers of MeshTriangle (i), unchanged (signs kept), for i from 0 to
// MeshTriangleCount - 1; then every face's plane and box. Null when a
// triangle names a vertex the object does not have.
std::unique_ptr<BRepModel3> BuildBRepModel3FromMesh(const CG_GraphicObject& object);
