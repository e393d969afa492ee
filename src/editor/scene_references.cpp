#include "editor/scene_references.h"

#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "scene/scene.h"

namespace zavo {

namespace {

// The object's common data without the record, then its children's.
void Release(CG_GraphicObject& object, const CG_NamedMaterial* material, const CG_Texture* texture) {
  // The object lends its mapping to the record and takes it back with it.
  CG_GraphicObjectCommData data;
  object.GetCommData(data);
  if (material != nullptr && data.material == material) data.material = nullptr;
  if (texture != nullptr && data.texture == texture) data.texture = nullptr;
  if (texture != nullptr && data.bump == texture) data.bump = nullptr;
  object.SetCommData(data);

  Seq<CG_GraphicObject*> children;
  if (object.GetChildren(children) == 0) return;
  for (std::uint32_t i = 0; i < children.Count(); ++i) {
    if (children[i] != nullptr) Release(*children[i], material, texture);
  }
}

}  // namespace

RecordUse TextureUse(const CG_GraphicScene& scene, const CG_Texture* texture) {
  RecordUse use = RecordUse::kFree;
  for (const CG_GraphicObject& object : scene.GetObjects()) {
    Seq<CG_Texture*> textures;
    if (object.GetTextures(textures) == 0) {
      use = RecordUse::kMaybeUsed;
      continue;
    }
    for (std::uint32_t i = 0; i < textures.Count(); ++i) {
      if (textures[i] == texture) return RecordUse::kUsed;
    }
  }
  return use;
}

void ReleaseRecord(CG_GraphicScene& scene, const CG_NamedMaterial* material, const CG_Texture* texture) {
  CG_GraphicObject* object = nullptr;
  scene.ResetObjectIteration(object);
  while (scene.NextObject(object) != 0) Release(*object, material, texture);
}

}  // namespace zavo
