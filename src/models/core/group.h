#pragma once

// The group, model keyword "group": a named object that owns an ordered list
// of children and stands for all of them. It has no geometry or material of
// its own and answers no capability test itself: renderers, views and
// exporters reach its children through the declass conversions, which hand
// out each child that has the capability asked for (not owned) and the
// declassed parts of each child that has not (with their own flags).
//
// Its text body, inside "model \t{ group" ... "}": object blocks in any
// number, each written as an object section.

#include <iosfwd>
#include <memory>

#include "foundation/dbl_list.h"
#include "models/core/name_only_object.h"
#include "scene/registry.h"

// The editor's record: the children list, owned (null: none).
class CG_GroupDescription {
public:
  std::unique_ptr<DblList<CG_GraphicObject>> children;
};

class GGroup : public zavo::NameOnlyObject {
public:
  // Name, IDname and toll from the common data; the list (null: no
  // children) is taken over.
  GGroup(const CG_GraphicObjectCommData& data, std::unique_ptr<DblList<CG_GraphicObject>> children);
  GGroup(const GGroup&) = delete;

  // Hands the children over to the description; the group keeps none.
  void GetDescription(CG_GroupDescription& description);
  // Destroys the children and takes over the description's.
  void SetDescription(CG_GroupDescription& description);

  // 1 when a child contains the IDname; the group's own IDname is not looked at.
  int ContainsIDname(const char* id) const override;
  // The name only.
  // "{ object\n\tname N;\n\tmodel \t{ group\n", each child's block, "}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "group"; }
  // A group with the name only and the clones of the children in order; null
  // as soon as a child gives no clone.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  // Each child that answers IsRayTraceable (IsFaced (0), IsTriangleMesh,
  // IsIndexedMesh) as (child, not owned); the parts of the others' declass
  // (the faced and indexed ones asked with mode 0) with their own flags; a
  // child whose declass fails adds nothing. 1.
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override;
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;

  // The children in order; 1.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  // Every child's materials (textures), in order of the children; 0 as soon
  // as a child answers 0, else 1.
  int GetMaterials(Seq<CG_NamedMaterial*>& materials) const override;
  int GetTextures(Seq<CG_Texture*>& textures) const override;

private:
  // The declass walk over the children (see DeclassToRayTraceable).
  template <class Has, class Declass>
  int DeclassChildren(zavo::DeclassedParts& parts, Has has, Declass declass);

  std::unique_ptr<DblList<CG_GraphicObject>> children_;
};

class CG_GroupModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "group"; }
  // Reads object blocks up to and including "}". A failing block or a token
  // other than "{" and "}" (code 5 "Unknown attribute") gives null, the
  // children read so far destroyed.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
