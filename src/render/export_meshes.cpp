#include "render/export_meshes.h"

#include "scene/graphic_object.h"
#include "scene/scene.h"

namespace zavo {

void ForEachExportMesh(const CG_GraphicScene& scene, const ExportMeshVisitor& visit) {
  CG_GraphicObject* object = nullptr;
  scene.ResetObjectIteration(object);
  while (scene.NextObject(object)) {
    if (object->IsIndexedMesh()) {
      visit(*object, *object, -1);
      continue;
    }
    DeclassedParts parts;
    DeclassedPartsRelease release{parts};
    object->DeclassToIndexedMesh(parts, 0);
    for (long k = 0; k < parts.Size(); ++k) {
      CG_DeclassedGraphicObject& part = parts[k];
      if (part.object == nullptr) continue;
      visit(*part.object, *object, static_cast<int>(k));
      if (part.owned) {
        delete part.object;
        part.object = nullptr;
        part.owned = 0;
      }
    }
  }
}

}  // namespace zavo
