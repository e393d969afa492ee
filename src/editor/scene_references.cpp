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

namespace {

// Every object is asked, in scene order, for the records of one kind it
// uses (list answers 0 when the object cannot tell): one that lists the
// record makes it used, whatever objects before it could not tell.
template <class Record, class List>
RecordUse FindUse(const CG_GraphicScene& scene, const Record* record, List list) {
  RecordUse use = RecordUse::kFree;
  for (const CG_GraphicObject& object : scene.GetObjects()) {
    Seq<Record*> listed;
    const int told = list(object, listed);
    for (std::uint32_t i = 0; i < listed.Count(); ++i) {
      if (listed[i] == record) return RecordUse::kUsed;
    }
    if (told == 0) use = RecordUse::kMaybeUsed;
  }
  return use;
}

}  // namespace

RecordUse TextureUse(const CG_GraphicScene& scene, const CG_Texture* texture) {
  return FindUse(scene, texture,
                 [](const CG_GraphicObject& object, Seq<CG_Texture*>& listed) { return object.GetTextures(listed); });
}

RecordUse MaterialUse(const CG_GraphicScene& scene, const CG_NamedMaterial* material) {
  return FindUse(scene, material, [](const CG_GraphicObject& object, Seq<CG_NamedMaterial*>& listed) {
    return object.GetMaterials(listed);
  });
}

void ReleaseRecord(CG_GraphicScene& scene, const CG_NamedMaterial* material, const CG_Texture* texture) {
  CG_GraphicObject* object = nullptr;
  scene.ResetObjectIteration(object);
  while (scene.NextObject(object) != 0) Release(*object, material, texture);
}

}  // namespace zavo
