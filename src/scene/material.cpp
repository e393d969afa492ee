#include "scene/material.h"

#include <cstring>
#include <memory>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/runtime_error_box.h"
#include "geometry/point_stream.h"
#include "geometry/real_text.h"

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

void WriteKey(std::ostream& os, const char* key, double value) {
  os << ";\n\t\t" << key << ' ';
  zavo::WriteReal(os, value);
}

}  // namespace

void CG_MaterialPhong::Write(std::ostream& os) const {
  os << "\t{ phong \n\n\t\tKs ";
  zavo::WriteReal(os, Ks);
  WriteKey(os, "Kt", Kt);
  WriteKey(os, "ni", ni);
  WriteKey(os, "Ka", Ka);
  WriteKey(os, "Kd", Kd);
  os << ";\n\t\tn " << std::to_string(n);
  os << ";\n\t\tOd ";
  WritePoint3DShort(Od, os);
  os << ";\n\t\tOs ";
  WritePoint3DShort(Os, os);
  if (shadows == 0) os << ";\n\t\tshadows 0";
  if (!zavo::WrittenAlike(Kh, Ks)) WriteKey(os, "Kh", Kh);
  if (!zavo::WrittenAlike(angles, 0.0)) WriteKey(os, "angles", angles);
  if (!zavo::WrittenAlike(anglet, 0.0)) WriteKey(os, "anglet", anglet);
  if (doubleside == 0) os << ";\n\t\tdoubleside 0";
  os << ";\n\t}\n";
}

void CG_MaterialPhong::CopyFrom(const CG_Material& other) {
  const auto* phong = dynamic_cast<const CG_MaterialPhong*>(&other);
  if (phong == nullptr) RuntimeErrorBox("CG_MaterialPhong::CopyFrom");
  if (phong != this) *this = *phong;
}

int CG_MaterialPhong::ReadBody(ScannerMemo& s, CG_MaterialPhong& m) {
  static const char* const kKeys[] = {"Ka",      "Kh",         "Kd",     "Ks",     "Kt",
                                      "ni",      "n",          "shadows", "doubleside",
                                      "angles",  "anglet",     "Od",     "Os"};
  bool khGiven = false;
  for (;;) {
    if (s.Text()[0] == '}') {
      s.Next();
      return 1;
    }
    if (s.Kind() != zavo::kTokenIdentifier) return 0;
    int key = -1;
    for (int i = 0; i < static_cast<int>(std::size(kKeys)); ++i) {
      if (Is(s, kKeys[i])) {
        key = i;
        break;
      }
    }
    if (key < 0) return 0;
    s.Next();
    if (key >= 11) {  // Od, Os: the colour changes only when the ";" follows
      Point3D colour;
      if (!ReadPoint3DShort(colour, s)) return 0;
      if (!Is(s, ";")) return 0;
      (key == 11 ? m.Od : m.Os) = colour;
    } else {
      double value = 0;
      if (!zavo::TokenToDouble(s, value)) return 0;
      int whole = 0;
      switch (key) {
        case 0: m.Ka = value; break;
        case 1: m.Kh = value; khGiven = true; break;
        case 2: m.Kd = value; break;
        case 3:
          m.Ks = value;
          if (!khGiven) m.Kh = value;
          break;
        case 4: m.Kt = value; break;
        case 5: m.ni = value; break;
        case 6:
          if (!zavo::TruncateToInt(value, whole)) return 0;
          m.n = whole;
          break;
        case 7:
          if (!zavo::TruncateToInt(value, whole)) return 0;
          m.shadows = whole;
          break;
        case 8: m.doubleside = value != 0 ? 1 : 0; break;
        case 9: m.angles = value; break;
        case 10: m.anglet = value; break;
      }
      s.Next();
    }
    if (!Is(s, ";")) return 0;
    s.Next();
  }
}

CG_Material* CG_MaterialPhongModule::Read(ScannerMemo& scanner) {
  auto material = std::make_unique<CG_MaterialPhong>();
  if (!CG_MaterialPhong::ReadBody(scanner, *material)) return nullptr;
  return material.release();
}

Point3D zavo::ColourOrDefault(const CG_Material* material) {
  return material != nullptr ? material->GetColour() : CG_MaterialPhong().GetColour();
}

CG_NamedMaterial::CG_NamedMaterial(const char* materialName, CG_Material* materialModel)
    : name(materialName), model(materialModel) {}

CG_NamedMaterial::~CG_NamedMaterial() { delete model; }

void CG_NamedMaterial::Write(std::ostream& os) const {
  os << "{ material\n\tname " << name << ";\n\tmodel ";
  if (model != nullptr) model->Write(os);
  os << "\n}";
}

CG_NamedMaterial* DblList<CG_NamedMaterial>::Find(const char* materialName) const {
  if (materialName == nullptr) return nullptr;
  for (CG_NamedMaterial& m : *this) {
    if (m.name.Text() != nullptr && std::strcmp(m.name.Text(), materialName) == 0) return &m;
  }
  return nullptr;
}

int DblList<CG_NamedMaterial>::AddIfNew(CG_NamedMaterial* material) {
  if (material == nullptr) return 0;
  if (Find(material->name.Text()) != nullptr) {
    delete material;
    return 0;
  }
  Append(material);
  return 1;
}

CG_NamedMaterial* DblList<CG_NamedMaterial>::AddOrReplace(CG_NamedMaterial* material) {
  if (material == nullptr) return nullptr;
  CG_NamedMaterial* listed = Find(material->name.Text());
  if (listed == nullptr) {
    Append(material);
    return material;
  }
  delete listed->model;
  listed->model = material->model;
  material->model = nullptr;
  delete material;
  return listed;
}

int DblList<CG_NamedMaterial>::Next(CG_NamedMaterial*& cursor) const {
  cursor = cursor == nullptr ? First() : DblListBase<CG_NamedMaterial>::Next(cursor);
  return cursor != nullptr;
}

void DblList<CG_NamedMaterial>::WriteAll(std::ostream& os) const {
  for (const CG_NamedMaterial& m : *this) {
    m.Write(os);
    os << "\n";
  }
}
