#pragma once

// The appearance of a single-material object: material, texture, bump texture
// and texture mapping, their lines in the object block, and their evaluation
// at a hit.

#include <iosfwd>
#include <memory>
#include <typeinfo>

#include "foundation/seq.h"
#include "geometry/point3d.h"
#include "scene/comm_data.h"
#include "scene/mapping.h"

class CG_Material;
class CG_NamedMaterial;
class CG_Texture;

// A base of each single-material object type. The mapping is owned; material,
// texture and bump belong to the scene's lists and must outlive the object.
class GUniformObjectData {
public:
  // Takes material, texture and bump, and takes the mapping over: the common
  // data's mapping becomes null.
  explicit GUniformObjectData(CG_GraphicObjectCommData& data);
  GUniformObjectData(const GUniformObjectData&) = delete;
  GUniformObjectData& operator=(const GUniformObjectData&) = delete;

  // Takes material, texture and bump; destroys the own mapping and takes the
  // common data's over (the common data's becomes null). Answers 0.
  int SetCommData(CG_GraphicObjectCommData& data);
  // Gives material, texture and bump; destroys the common data's mapping and
  // moves the own one there (the own one becomes null). Answers 0.
  // A caller that only wants to look uses FillCommData.
  int GetCommData(CG_GraphicObjectCommData& data);
  // Gives material, texture and bump; destroys the common data's mapping and
  // gives it a clone of the own one (null when there is none). 1, or 0 when the
  // mapping cannot be cloned (the common data then has no mapping).
  int FillCommData(CG_GraphicObjectCommData& data) const;

  // The material as the only item, or an empty sequence. Answers 1.
  int GetMaterials(Seq<CG_NamedMaterial*>& materials) const;
  // Emptied, then the texture and the bump texture, each when set. Answers 1.
  int GetTextures(Seq<CG_Texture*>& textures) const;
  // 1 when the mapping is of exactly this dynamic type, e.g.
  // HasMappingOfType(typeid(CG_PlanarMapping)); 0 otherwise or without a mapping.
  int HasMappingOfType(const std::type_info& type) const;
  // 1 when the model of the material is of exactly the dynamic type of the
  // given material. Without a material (or with a material without a model)
  // the object answers as the default Phong material would.
  int HasMaterialOfClass(const CG_Material& given) const;
  // The colour of the material's model; the default Phong colour without one.
  Point3D MaterialColour() const;

  // Copies the material into the working material; an object without a
  // material (or a material without a model) gives the default Phong material.
  // With a texture, the texel at the mapped (u, v) becomes the working
  // material's colour; a texture without a mapping answers 0. Else 1.
  int MapPoint(CG_Material& working, const Point3D& point) const;
  // Bends the normal at the point by the bump texture; without a bump texture
  // or without a mapping the normal stays as it is.
  void EvalTexture(const Point3D& point, Point3D& normal) const;
  // 1 when MapPoint gives a Phong material with Kt 0 at every point: the
  // material's model is a Phong material with Kt 0, or there is none (the
  // default Phong material). A texture sets only the colour.
  int OpaqueMaterial() const;

  // The object-block lines of the attributes that are set: "\tmaterial ",
  // "\ttexture ", "\tbump " and the mapping block, in this order.
  void Write(std::ostream& os) const;

  CG_NamedMaterial* material = nullptr;       // not owned
  std::unique_ptr<CG_MappingMetod> mapping;   // owned
  CG_Texture* texture = nullptr;              // not owned
  CG_Texture* bump = nullptr;                 // not owned
};
