#pragma once

// Materials: the material model interface, the Phong material with its reader
// module, named materials and the scene's list of them.

#include <iosfwd>

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "foundation/list.h"
#include "foundation/scanner.h"
#include "geometry/point3d.h"

// A material model. The coefficients here feed the ray tracer's reflected and
// refracted rays and the shadow test; a model type adds its shading data.
class CG_Material {
public:
  virtual ~CG_Material() = default;

  // Writes the model block.
  virtual void Write(std::ostream& os) const = 0;
  // The material's colour (r, g, b in x, y, z).
  virtual Point3D GetColour() const = 0;
  virtual void SetColour(const Point3D& colour) = 0;
  // Copies every coefficient of another material of the same model type; a
  // material of another type is a programming error.
  virtual void CopyFrom(const CG_Material& other) = 0;

  double Ks = 0.2;      // specular reflection: weight of the reflected ray
  double Kt = 0.0;      // transmission: weight of the refracted ray; 0 is opaque
  double ni = 1.0;      // index of refraction
  double anglet = 0.0;  // angle passed along with each refracted ray
  double angles = 0.0;  // angle passed along with each reflected ray
  int shadows = 1;      // non-zero: the "phong" method casts shadow rays

protected:
  CG_Material() = default;
  CG_Material(const CG_Material&) = default;
  CG_Material& operator=(const CG_Material&) = default;
};

// The Phong material, keyword "phong".
class CG_MaterialPhong : public CG_Material {
public:
  CG_MaterialPhong() = default;
  CG_MaterialPhong(const CG_MaterialPhong&) = default;
  CG_MaterialPhong& operator=(const CG_MaterialPhong&) = default;

  // "\t{ phong \n" then the keys, one a line; keys that hold the value the
  // reader would assume anyway (shadows 1, Kh equal to Ks, angles 0, anglet 0,
  // doubleside 1) are left out.
  void Write(std::ostream& os) const override;
  Point3D GetColour() const override { return Od; }
  void SetColour(const Point3D& colour) override { Od = colour; }
  // Copies Ka, Kd, Ks, Kt, Kh, ni, n, Od, Os, shadows, angles, anglet and doubleside.
  void CopyFrom(const CG_Material& other) override;

  // Reads the body of a "phong" block, standing after the keyword, up to and
  // including its "}". 1 on success; 0 at the first token that breaks the
  // grammar, with the keys read so far already stored.
  static int ReadBody(ScannerMemo& scanner, CG_MaterialPhong& material);

  double Ka = 0.2;                   // ambient reflection
  double Kd = 0.6;                   // diffuse reflection
  double Kh = 0.2;                   // specular highlight
  int n = 10;                        // specular exponent
  Point3D Od{0.5, 0.5, 0.5};         // diffuse colour
  Point3D Os{0.5, 0.5, 0.5};         // specular colour
  unsigned char doubleside = 1;      // 1: negative cosines count by their absolute value
};

namespace zavo {

// The material's colour, or the default Phong material's colour (0.5, 0.5,
// 0.5) for no material: an object without a material is drawn, previewed and
// exported in the default colour.
Point3D ColourOrDefault(const CG_Material* material);

}  // namespace zavo

// A material with a name; owns its model.
class CG_NamedMaterial : public DblListItem {
public:
  // Takes the model over (null is allowed).
  CG_NamedMaterial(const char* materialName, CG_Material* materialModel);
  ~CG_NamedMaterial();
  CG_NamedMaterial(const CG_NamedMaterial&) = delete;
  CG_NamedMaterial& operator=(const CG_NamedMaterial&) = delete;

  // "{ material\n\tname " name ";\n\tmodel " and the model's block, then "\n}".
  void Write(std::ostream& os) const;

  charString name;
  CG_Material* model = nullptr;
};

// The scene's named materials: names are unique, the first definition wins.
// Delete unlinks a named material and destroys it with its model.
template <>
class DblList<CG_NamedMaterial> : public DblListBase<CG_NamedMaterial> {
public:
  DblList() = default;

  // The first named material, from the head, whose name equals name exactly; null if none.
  CG_NamedMaterial* Find(const char* name) const;
  // Links the material at the tail when no material of its name is in the list
  // and answers 1; otherwise destroys it with its model and answers 0.
  int AddIfNew(CG_NamedMaterial* material);
  // Links the material at the tail and answers it when no material of its
  // name is in the list; otherwise the listed material takes over its model
  // (its old model destroyed), the new one is destroyed and the listed one
  // answered. Null for null.
  CG_NamedMaterial* AddOrReplace(CG_NamedMaterial* material);

  // Cursor iteration as for the texture list.
  static void ResetIteration(CG_NamedMaterial*& cursor) { cursor = nullptr; }
  int Next(CG_NamedMaterial*& cursor) const;
  using DblListBase<CG_NamedMaterial>::Next;

  // Every named material's block followed by "\n", from the head.
  void WriteAll(std::ostream& os) const;
};

// A reader of one material model type, found by keyword in the registry.
class CG_MaterialModule : public ListItem {
public:
  explicit CG_MaterialModule(const char* keyword) : keyword_(keyword) {}
  virtual ~CG_MaterialModule() = default;
  CG_MaterialModule(const CG_MaterialModule&) = delete;
  CG_MaterialModule& operator=(const CG_MaterialModule&) = delete;

  const char* Keyword() const { return keyword_.Text(); }
  // Reads a model body standing after the keyword, up to and including its
  // "}"; the new material, or null (nothing is left allocated) on an error.
  virtual CG_Material* Read(ScannerMemo& scanner) = 0;

private:
  charString keyword_;
};

class CG_MaterialPhongModule : public CG_MaterialModule {
public:
  CG_MaterialPhongModule() : CG_MaterialModule("phong") {}
  CG_Material* Read(ScannerMemo& scanner) override;
};
