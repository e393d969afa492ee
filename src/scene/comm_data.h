#pragma once

// The attributes every object carries besides its geometry, as they travel
// between the scene reader, the objects, the editor commands and the dialogs.

#include <memory>

#include "foundation/char_string.h"
#include "scene/mapping.h"

class CG_NamedMaterial;
class CG_Texture;

// One set of common attributes. It lives for one operation (an object header,
// a dialog, a copy) and owns its strings and its mapping; material, texture
// and bump belong to the scene's lists. An object that takes the mapping over
// leaves this record's mapping null.
class CG_GraphicObjectCommData {
public:
  CG_GraphicObjectCommData() = default;
  CG_GraphicObjectCommData(const CG_GraphicObjectCommData&) = delete;
  CG_GraphicObjectCommData& operator=(const CG_GraphicObjectCommData&) = delete;

  charString name;
  charString IDname;
  double toll = 0.01;                         // the object's tolerance
  CG_NamedMaterial* material = nullptr;       // not owned
  CG_Texture* texture = nullptr;              // not owned
  CG_Texture* bump = nullptr;                 // not owned
  std::unique_ptr<CG_MappingMetod> mapping;   // owned
};
