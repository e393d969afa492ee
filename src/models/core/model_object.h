#pragma once

// What the model types of this library share: the single-material object
// base that answers the common-data, material and texture operations the same
// way for every such type, and the small pieces of text reading and writing
// that every model body uses.
//
// A model type is a handful of pieces, each in the type's own files
// (sphere.h / sphere.cpp / sphere_text.cpp are the pattern to copy):
//   - the object class, derived from UniformModelObject (single material) or
//     CG_GraphicObject;
//   - its description: the shape's own attributes, taken by the constructor
//     and handed out and in by GetDescription / SetDescription;
//   - its intersection record, derived from CG_GraphicObjectIntrInfo;
//   - its reader module, derived from CG_GraphicObjectModule and entered in
//     BuildRegistry (src/models/registry.cpp) under its keyword;
//   - its writer, Write, which writes the whole "{ object" block.

#include <iosfwd>
#include <locale>
#include <memory>
#include <typeinfo>

#include "foundation/seq.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "scene/uniform_object_data.h"

class CG_GraphicScene;
class ScannerMemo;

namespace zavo {

// A single-material object: name, IDname and toll of the object, material,
// mapping, texture and bump of the uniform data. It copies the common data
// as every single-material type does: the name and the uniform data travel,
// IDname and toll do not.
class UniformModelObject : public CG_GraphicObject, public GUniformObjectData {
public:
  // The name into the record, then the uniform data (the mapping moves out).
  int GetCommData(CG_GraphicObjectCommData& data) override;
  // A new record with a copy of the name and of the uniform data (the
  // mapping cloned); IDname and toll keep the record's defaults. Null when
  // the mapping cannot be cloned.
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override;
  // The name from the record, then the uniform data (the mapping moves in).
  int SetCommData(CG_GraphicObjectCommData& data) override;

  int MappingTest(const std::type_info& kind) const override { return HasMappingOfType(kind); }
  int HasMaterialOfClass(const CG_Material& material) const override {
    return GUniformObjectData::HasMaterialOfClass(material);
  }
  // A single-material object has no children: the list is emptied; 1.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  int GetMaterials(Seq<CG_NamedMaterial*>& materials) const override {
    return GUniformObjectData::GetMaterials(materials);
  }
  int GetTextures(Seq<CG_Texture*>& textures) const override {
    return GUniformObjectData::GetTextures(textures);
  }

protected:
  // Takes name, IDname and toll, and the uniform data (the mapping moves in).
  explicit UniformModelObject(CG_GraphicObjectCommData& data)
      : CG_GraphicObject(data), GUniformObjectData(data) {}

  // "{ object\n\tname " name ";\n" and the uniform data's lines: the head of
  // every object block, up to its "\tmodel { " line.
  void WriteHead(std::ostream& os) const;
};

// While it lives, the stream writes numbers in the C locale's default format
// (six significant digits), whatever locale it had.
class ClassicNumbers {
public:
  explicit ClassicNumbers(std::ostream& os);
  ~ClassicNumbers();
  ClassicNumbers(const ClassicNumbers&) = delete;
  ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
  std::ostream& os_;
  std::locale old_;
};

// The value and the ";" of an attribute "key value ;", the scanner standing
// on the value: 1 with the scanner after the ";". A value that is no number
// token (or that overflows) answers 0, recording code 5 with the text wanted
// when it is not null; a missing ";" answers 0 with the scene's code 2.
int ReadNumberAttribute(CG_GraphicScene& scene, ScannerMemo& scanner, double& value, const char* wanted);
// The same, the number truncated toward zero into an int; a number outside
// the range of int is no number.
int ReadIntAttribute(CG_GraphicScene& scene, ScannerMemo& scanner, int& value, const char* wanted);

}  // namespace zavo
