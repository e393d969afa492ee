#pragma once

// Who in a scene refers to a named material or a texture: the question the
// delete commands ask before a record goes, and the letting go of the record
// once the user has decided that it goes anyway.

class CG_GraphicScene;
class CG_NamedMaterial;
class CG_Texture;

namespace zavo {

// What the objects of a scene answer about one record.
enum class RecordUse {
  kFree,      // every object can tell, and none uses it
  kUsed,      // at least one object lists it
  kMaybeUsed  // none lists it, but some object cannot tell
};

// Asks every object of the scene, in scene order, for the textures (texture
// and bump) it uses. Every object is asked: one that lists the texture makes
// it used, whatever objects before it could not tell.
RecordUse TextureUse(const CG_GraphicScene& scene, const CG_Texture* texture);
// The same question about a named material.
RecordUse MaterialUse(const CG_GraphicScene& scene, const CG_NamedMaterial* material);

// Every object of the scene, and every child of one, that refers to the
// material or to the texture (as texture or as bump) through its common data
// lets go of it. A null argument is left alone.
void ReleaseRecord(CG_GraphicScene& scene, const CG_NamedMaterial* material, const CG_Texture* texture);

}  // namespace zavo
