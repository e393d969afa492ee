#pragma once

// CSG objects, model keywords "intersect", "subtract" and "union": two child
// objects of any model type combined by a set operation. One object class
// (GCSG) and one reader (CG_CSGModule) serve the three operations; each
// registered module carries the operation's three rules:
//
//   interval rule  merges the two children's ray hits (the ray tracer traces
//                  a CSG object directly);
//   bound rule     combines the children's bounding volumes;
//   mesh boolean   combines the children's meshes into the mesh object that
//                  the views, the preview and the exporters see.
//
// Its text body, inside "model { <keyword>" ... "}":
//   first { object <header> model { <keyword> ... } } ;    required
//   second { object <header> model { <keyword> ... } } ;   required
// each child a whole object block as the scene text has them at top level;
// the ";" after a child's closing brace is optional.
//
// The mesh object is cached as "<scene>.qzd/object/<IDname>/model.brp", whose
// first line records what it was computed from (CacheRecord); a readable
// cache with the CSG's own record decides the mesh (see SetDescription).

#include <iosfwd>
#include <memory>
#include <string>

#include "foundation/char_string.h"
#include "foundation/fragmented_seq.h"
#include "geometry/bounding_object.h"
#include "geometry/geo_interface.h"
#include "geometry/mesh_boolean.h"
#include "scene/graphic_object.h"
#include "scene/registry.h"
#include "scene/uniform_object_data.h"

class CG_CSGIntrInfo;
class CG_GraphicScene;
class GBRep;

namespace zavo {

// Merges the hits of the two children (either may be null: no hits) into the
// record and answers their number.
using CSGIntervalRule = int (*)(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                                CG_CSGIntrInfo& record);
// The bounding volume of the combination (owned by the caller); null when
// either volume is null.
using CSGBoundRule = std::unique_ptr<BoundingObject> (*)(const BoundingObject* first,
                                                         const BoundingObject* second);

// The bound rules: the intersection of the two volumes (null when they do not
// meet), a box volume of the first one's box, the union of the two.
std::unique_ptr<BoundingObject> CSGIntersectBound(const BoundingObject* first, const BoundingObject* second);
std::unique_ptr<BoundingObject> CSGSubtractBound(const BoundingObject* first, const BoundingObject* second);
std::unique_ptr<BoundingObject> CSGUnionBound(const BoundingObject* first, const BoundingObject* second);

}  // namespace zavo

// The interval rules. Each asks both children for their hits with their own
// records, counts the ray as starting inside a child whose hit count is odd,
// and walks the two hit lists by increasing ray parameter (on equal
// parameters the second child's hit first). A merged hit is recorded where
// the ray enters or leaves the combination:
//   intersect  inside the first and inside the second
//   subtract   inside the first and not inside the second; a hit of the
//              second child gets sign -1 (its surface seen from inside)
//   union      inside the first or inside the second
int CSGIntersectIntervals(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                          CG_CSGIntrInfo& record);
int CSGSubtractIntervals(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                         CG_CSGIntrInfo& record);
int CSGUnionIntervals(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                      CG_CSGIntrInfo& record);

// One merged hit: the ray parameter, the child it comes from (1 the first, 2
// the second), its index in that child's record and the sign of its normal.
struct CSGIntrInfo {
  double t = 0.0;
  int child = 0;
  int index = 0;
  double sign = 1.0;
};

// The hits of one ray on a CSG object, with the two children's own records
// (either null when that child is absent or makes none).
class CG_CSGIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  CG_CSGIntrInfo(std::unique_ptr<CG_GraphicObjectIntrInfo> firstRecord,
                 std::unique_ptr<CG_GraphicObjectIntrInfo> secondRecord)
      : first(std::move(firstRecord)), second(std::move(secondRecord)) {}

  // The parameter of merged hit i; 0 for an index outside the hits.
  double Value(int i) const override { return i >= 0 && i < count ? merged[static_cast<unsigned int>(i)].t : 0.0; }
  int Count() const override { return count; }

  int count = 0;
  // Grown by whole blocks to the two children's hit counts before each
  // merge, never shrunk.
  FragmentedSeq<CSGIntrInfo, unsigned int> merged;
  std::unique_ptr<CG_GraphicObjectIntrInfo> first;
  std::unique_ptr<CG_GraphicObjectIntrInfo> second;
};

// The attributes of a CSG object as the reader, Clone and the editor hand
// them to it. The description owns the children whose flag is set and
// destroys them with itself.
class CG_CSGDescription {
public:
  CG_CSGDescription() = default;
  ~CG_CSGDescription();
  CG_CSGDescription(const CG_CSGDescription&) = delete;
  CG_CSGDescription& operator=(const CG_CSGDescription&) = delete;

  // Replace a child: an owned earlier one (other than the new) is destroyed.
  void SetFirst(CG_GraphicObject* child, int owned);
  void SetSecond(CG_GraphicObject* child, int owned);
  // Destroys the owned children; both become null.
  void DropChildren();

  CG_GraphicObject* first = nullptr;
  CG_GraphicObject* second = nullptr;
  int ownsFirst = 0;
  int ownsSecond = 0;
  int convert = 1;                       // 1: compute the mesh object when there is no cache
  GeoInterface* progress = nullptr;      // the scene's output interface; not owned
  CG_GraphicScene* scene = nullptr;      // the scene of the object; not owned
  charString keyword;
  zavo::CSGIntervalRule intervals = nullptr;
  zavo::CSGBoundRule bound = nullptr;
  zavo::MeshBoolean meshBoolean = nullptr;
};

class GCSG : public CG_GraphicObject, public GUniformObjectData {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); then SetDescription with the description. A CSG without an
  // IDname takes the name of a cache directory of the scene made from the
  // same description (CacheRecord) that no object of the scene holds, else
  // the scene's UniqueIDname (its children's IDnames avoided): a scene read
  // again finds the caches of its unnamed CSGs.
  GCSG(CG_GraphicObjectCommData& data, CG_CSGDescription& description);
  ~GCSG() override;

  // 1 when the IDname is the object's own (two nulls are equal), else the
  // first child's answer, else the second's.
  int ContainsIDname(const char* id) const override;
  // Name and IDname into the record, then the uniform data (the mapping
  // moves out).
  int GetCommData(CG_GraphicObjectCommData& data) override;
  // A record holding a copy of the name only.
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override;
  // Name and IDname from the record, then the uniform data.
  int SetCommData(CG_GraphicObjectCommData& data) override;
  // "{ object\n\tname " N ";\n\tIDname " I ";\n", the uniform lines,
  // "\tmodel { " keyword "\nfirst ", the first child's block, ";\nsecond ",
  // the second child's block, ";\n}\n}\n". A null child is an internal error.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return keyword_.Text(); }
  // Copies of both children in a new CSG with the same keyword and rules,
  // convert flag 1 and a new IDname; null (nothing left behind) when the
  // common data or a child cannot be copied.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int IsRayTraceable() const override { return 1; }
  // A CG_CSGIntrInfo with a record of each child.
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // The interval rule; the record is a CG_CSGIntrInfo of this object.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The rule over both children's answers; 0 unless both have one.
  int ImplicitInside(const Point3D& point, int& inside) const override;
  // The hit details of the child the merged hit names (point, mapping,
  // texture), the normal times the hit's sign. An index outside the hits, or
  // a hit naming neither child, is an internal error.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  // 1 only when both children answer 1.
  int HasMaterialOfClass(const CG_Material& material) const override;
  // The bound rule's volume, or null.
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // The mesh object, not owned by the caller (flag 0), when there is one;
  // otherwise the stand-in box of the bounding volume (no material).
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;

  // The first child (when present), then the second (when present); 1.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  // The first child's list followed by the second's, duplicates kept; 0 when
  // a child answers 0. The object's own uniform data is not consulted.
  int GetMaterials(Seq<CG_NamedMaterial*>& materials) const override;
  int GetTextures(Seq<CG_Texture*>& textures) const override;

  // Fills the description from the object; the children stay the object's
  // (the description does not own them; children it owned are destroyed).
  void GetDescription(CG_CSGDescription& description) const;
  // Takes the children over (the description's flags are cleared; a child
  // that is replaced is destroyed), the keyword, the rules, interface, scene
  // and convert flag, and renews the bounding volume. Then the mesh object:
  // a readable cache file whose record is the CSG's own wins (the children
  // are not meshed); a cache of another record is never used; else, with
  // convert flag 1 and a mesh boolean, each child is turned into one mesh
  // and the boolean of the two becomes the mesh object, which is written to
  // the cache. When a child gives no mesh or the boolean none, the object
  // keeps no mesh object and writes nothing. The cache is used only when the
  // scene has a name and the IDname is a plain file name.
  void SetDescription(CG_CSGDescription& description);

  // ---- What the tests and the editor read ----

  const CG_GraphicObject* First() const { return first_.get(); }
  const CG_GraphicObject* Second() const { return second_.get(); }
  // The mesh object, or null.
  const GBRep* MeshObject() const { return mesh_.get(); }
  int ConvertFlag() const { return convert_; }
  // The first line of the CSG's mesh cache: "// csg mesh from " and the
  // SHA-256 of the keyword and the two children's blocks as written.
  std::string CacheRecord() const;

private:
  // Takes the name of a cache directory of the scene whose record is this
  // CSG's and whose name no object of the scene (nor a child) holds; the
  // directories are tried in the order the scene gives new names. 1 when one
  // was taken.
  int ReuseCacheName(const CG_GraphicScene& scene);
  // The mesh object from the cache file: 1, or 0 when there is no readable cache.
  int LoadCachedMesh();
  // The mesh object from the children's meshes and the mesh boolean.
  void ComputeMesh();
  // A new mesh object holding the mesh, with the first child's common data.
  void MakeMeshObject(std::unique_ptr<BRepModel3> mesh);

  std::unique_ptr<BoundingObject> bounding_;
  std::unique_ptr<CG_GraphicObject> first_;
  std::unique_ptr<CG_GraphicObject> second_;
  charString keyword_;
  zavo::CSGIntervalRule intervals_ = nullptr;
  zavo::CSGBoundRule bound_ = nullptr;
  zavo::MeshBoolean meshBoolean_ = nullptr;
  int convert_ = 1;
  std::unique_ptr<GBRep> mesh_;
  GeoInterface* progress_ = nullptr;
  CG_GraphicScene* scene_ = nullptr;
};

// The reader of one CSG operation, registered three times with the
// operation's keyword and rules.
class CG_CSGModule : public CG_GraphicObjectModule {
public:
  CG_CSGModule(const char* keyword, zavo::CSGIntervalRule intervals, zavo::CSGBoundRule bound,
               zavo::MeshBoolean meshBoolean)
      : keyword_(keyword), intervals_(intervals), bound_(bound), meshBoolean_(meshBoolean) {}

  const char* Keyword() const override { return keyword_.Text(); }
  // Reads "first" and "second" up to and including "}" and makes the CSG,
  // its convert flag from the scene's "_csg_convert". Failures (null, the
  // children read so far destroyed): a missing "{" after "first" or
  // "second" (code 2), a missing word "object" (code 3), a child whose
  // header or model does not read, a missing "}" after a child (code 2),
  // another word, "Unknown attribute" (code 5), a body without "first" or
  // without "second", "Object block missing" (code 5); a token that is no
  // attribute word gives no message of its own.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;

private:
  charString keyword_;
  zavo::CSGIntervalRule intervals_;
  zavo::CSGBoundRule bound_;
  zavo::MeshBoolean meshBoolean_;
};
