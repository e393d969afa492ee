// The field's text: its reader module and its writer.

#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "models/core/model_object.h"
#include "models/core/object_block.h"
#include "models/curved/field.h"
#include "models/curved/vrml_node.h"
#include "scene/scene.h"

void CG_Field::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  zavo::WriteWrapperHead(os, *this, "field");
  if (object_ != nullptr) object_->Write(os);
  if (decoration_ != nullptr) {
    os << "\t\tdecoration \n";
    decoration_->Write(os);
  }
  // An empty name would read back as the material ";".
  if (dfmat_.Text() != nullptr && dfmat_.Text()[0] != '\0') os << "\t\tdfmat " << dfmat_ << ";\n";
  os << "\t\tparam {\n";
  for (std::uint32_t i = 0; i < params_.Count(); ++i) {
    const CG_ValueParamItem& p = params_[i];
    os << "\t\t\t" << p.name << "  value " << p.value << " from " << p.from << " to " << p.to << ";\n";
  }
  os << "\t\t}\n\t\tmat {\n";
  for (std::uint32_t i = 0; i < items_.Count(); ++i) {
    os << "\t\t\t" << items_[i].name << " \"" << items_[i].text << "\";\n";
  }
  os << "\t\t}\n\t}\n}\n";
}

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

template <class T>
void AppendAll(Seq<T>& seq, std::vector<T>& read) {
  const std::uint32_t n = seq.Count();
  seq.Resize(n + static_cast<std::uint32_t>(read.size()));
  for (std::size_t i = 0; i < read.size(); ++i) seq[n + static_cast<std::uint32_t>(i)] = std::move(read[i]);
}

// One object block into a description slot, replacing what it held.
int ReadPart(CG_GraphicScene& scene, ScannerMemo& s, CG_GraphicObject*& part, int& owned) {
  std::unique_ptr<CG_GraphicObject> object = zavo::ReadObjectBlock(scene, s);
  if (!object) return 0;
  if (owned) delete part;
  part = object.release();
  owned = 1;
  return 1;
}

// "mat {" items "}", standing on "{".
int ReadItems(CG_GraphicScene& scene, ScannerMemo& s, Seq<CG_FieldItem>& items) {
  if (!scene.Expect(s, '{')) return 0;
  s.Next();
  std::vector<CG_FieldItem> read;
  while (!Is(s, "}")) {
    if (s.Kind() == zavo::kTokenError) return 0;
    CG_FieldItem item;
    item.name = s.Text();
    s.Next();
    if (!zavo::ReadQuotedText(s, item.text)) return 0;
    if (!Is(s, ";")) return 0;
    s.Next();
    read.push_back(std::move(item));
  }
  s.Next();
  AppendAll(items, read);
  return 1;
}

// The word, then a number token into value.
int ReadParamNumber(CG_GraphicScene& scene, ScannerMemo& s, const char* word, double& value) {
  if (!Is(s, word)) return 0;
  s.Next();
  if (!zavo::TokenToDouble(s, value)) {
    scene.SetError(5, "Number wanted");
    return 0;
  }
  s.Next();
  return 1;
}

// "param {" parameters "}", standing on "{".
int ReadParams(CG_GraphicScene& scene, ScannerMemo& s, Seq<CG_ValueParamItem>& params) {
  if (!scene.Expect(s, '{')) return 0;
  s.Next();
  std::vector<CG_ValueParamItem> read;
  while (!Is(s, "}")) {
    if (s.Kind() == zavo::kTokenError) return 0;
    CG_ValueParamItem p;
    p.name = s.Text();
    s.Next();
    if (!ReadParamNumber(scene, s, "value", p.value) || !ReadParamNumber(scene, s, "from", p.from) ||
        !ReadParamNumber(scene, s, "to", p.to)) {
      return 0;
    }
    if (!Is(s, ";")) return 0;
    s.Next();
    read.push_back(std::move(p));
  }
  s.Next();
  AppendAll(params, read);
  return 1;
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_FieldModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                       CG_GraphicObjectCommData& data) {
  CG_FieldDescription description;  // destroys what was read on every failure
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      description.scene = &scene;
      return std::make_unique<CG_Field>(data, description);
    }
    int ok = 0;
    if (Is(s, "{")) {
      ok = ReadPart(scene, s, description.object, description.objectOwned);
    } else if (Is(s, "decoration")) {
      s.Next();
      ok = scene.Expect(s, '{') && ReadPart(scene, s, description.decoration, description.decorationOwned);
    } else if (Is(s, "dfmat")) {
      s.Next();
      if (s.Kind() != zavo::kTokenError) {
        description.dfmat = s.Text();
        s.Next();
        ok = scene.Expect(s, ';');
        if (ok) s.Next();
      }
    } else if (Is(s, "mat")) {
      s.Next();
      ok = ReadItems(scene, s, description.items);
    } else if (Is(s, "param")) {
      s.Next();
      ok = ReadParams(scene, s, description.params);
    } else {
      scene.SetError(5, "Unknown attribute");
    }
    if (!ok) return nullptr;
  }
}
