// The analysis report: for each object, whether it is or can become a
// triangle mesh and faced polygon data, with the box of its vertices.

#include <ostream>

#include "geometry/box.h"
#include "render/output_file.h"
#include "render/sound_view.h"
#include "scene/graphic_object.h"
#include "scene/scene.h"

namespace {

// The box block of the vertices of a faced object; nothing for an object
// without vertices, which has no box.
void WriteVertexBox(std::ostream& os, const CG_GraphicObject& object) {
  const int n = object.VertexCount();
  if (n <= 0) return;
  GEO_Box box;
  Point3D p;
  object.Vertex(0, p);
  box.SetPoint(p);
  for (int i = 1; i < n; ++i) {
    object.Vertex(i, p);
    box.Extend(p);
  }
  os << " Box = [ " << "Xmin=" << box.xmin << " , " << "Xmax=" << box.xmax << " , \n"
     << "\tYmin=" << box.ymin << " , " << "Ymax=" << box.ymax << " , \n"
     << "\tZmin=" << box.zmin << " , " << "Zmax=" << box.zmax << " ]\n"
     << "Center = ( " << (box.xmin + box.xmax) / 2 << " , " << (box.ymin + box.ymax) / 2 << " , "
     << (box.zmin + box.zmax) / 2 << " )\n";
}

void WriteObject(std::ostream& os, CG_GraphicObject& object) {
  os << "\nAnalizing : " << zavo::NameText(object.name) << "\n";
  if (object.IsTriangleMesh()) {
    os << " -- is triangle mesh \n";
  } else {
    zavo::DeclassedParts parts;
    zavo::DeclassedPartsRelease release{parts};
    os << (object.DeclassToTriangleMesh(parts) == 0 ? " -- isn' t triangle mesh \n"
                                                    : " -- declassable triangle mesh \n");
  }
  if (object.IsFaced(0)) {
    os << " -- is faced \n";
    WriteVertexBox(os, object);
    return;
  }
  zavo::DeclassedParts parts;
  zavo::DeclassedPartsRelease release{parts};
  if (object.DeclassToFaced(parts, 0) == 0) {
    os << " -- isn' t faced\n";
    return;
  }
  os << " -- declassable faced\n";
  for (long k = 0; k < parts.Size(); ++k) {
    const CG_GraphicObject* part = parts[k].object;
    if (part == nullptr) continue;
    os << "(" << k << ") " << zavo::NameText(part->name) << "\n";
    WriteVertexBox(os, *part);
  }
}

}  // namespace

int CG_GraphicScene::ExportAnalysis() {
  if (!zavo::CheckView(viewReference_, *interface_)) return 0;
  return zavo::WriteOutputFile(*this, ".ana", [this](std::ostream& os) {
    CG_GraphicObject* object = nullptr;
    ResetObjectIteration(object);
    while (NextObject(object)) WriteObject(os, *object);
    return true;
  });
}
