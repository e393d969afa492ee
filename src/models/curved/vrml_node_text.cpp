// The abstract VRML node's text: its reader module and its writer, and the
// quoted raw texts that it shares with the field.

#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/curved/vrml_node.h"
#include "scene/scene.h"

namespace zavo {

int ReadQuotedText(ScannerMemo& s, std::string& text) {
  if (std::strcmp(s.Text(), "\"") != 0) return 0;
  if (!s.ReadRaw('"', text)) return 0;
  s.Next();
  return 1;
}

}  // namespace zavo

void CG_AbstractVRMLNode::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { AbstractVRMLNode\n\t\tcenter ";
  WritePoint3D(center_, os);
  os << ";\n\t\tradius " << radius_ << ";\n\t\tdiv " << div_ << ";\n\t\tshow " << show_ << ";\n";
  os << "\t\tassoc {\n";
  for (std::uint32_t i = 0; i < assoc_.Count(); ++i) {
    os << "\t\t\t" << assoc_[i].name << " \"" << assoc_[i].value << "\";\n";
  }
  os << "\t\t}\n\t}\n}\n";
}

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

// The associations after "assoc", standing on "{": 1 with the scanner after
// the closing "}".
int ReadAssociations(CG_GraphicScene& scene, ScannerMemo& s, Seq<AVNAssoc>& assoc) {
  if (!scene.Expect(s, '{')) return 0;
  s.Next();
  std::vector<AVNAssoc> read;
  while (!Is(s, "}")) {
    if (s.Kind() == zavo::kTokenError) return 0;
    AVNAssoc item;
    item.name = s.Text();
    s.Next();
    if (!zavo::ReadQuotedText(s, item.value)) return 0;
    if (!Is(s, ";")) return 0;
    s.Next();
    read.push_back(std::move(item));
  }
  s.Next();
  const std::uint32_t n = assoc.Count();
  assoc.Resize(n + static_cast<std::uint32_t>(read.size()));
  for (std::size_t i = 0; i < read.size(); ++i) assoc[n + static_cast<std::uint32_t>(i)] = std::move(read[i]);
  return 1;
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_AbstractVRMLNodeModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                                  CG_GraphicObjectCommData& data) {
  CG_AbstractVRMLNodeDescription description;
  bool haveCenter = false;
  bool haveRadius = false;
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      if (!haveCenter || !haveRadius) return nullptr;
      description.sysInterface = &scene.GetInterface();
      return std::make_unique<CG_AbstractVRMLNode>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    const std::string word = s.Text();
    s.Next();
    if (word == "center") {
      Point3D point = description.center;
      if (ReadPoint3D(point, s)) {
        description.center = point;
      } else {
        scene.SetError(5, "Wrong point definition");
      }
      haveCenter = true;
      if (!scene.Expect(s, ';')) return nullptr;
      s.Next();
    } else if (word == "radius") {
      // A sphere of no size has no surface normal: refused where it is read.
      double radius = 0.0;
      if (zavo::TokenToDouble(s, radius) && !(radius > 0.0)) {
        scene.SetError(5, "Radius must be positive");
        return nullptr;
      }
      if (!zavo::ReadNumberAttribute(scene, s, description.radius, "Number wanted")) return nullptr;
      haveRadius = true;
    } else if (word == "div") {
      if (!zavo::ReadIntAttribute(scene, s, description.div, "Number wanted")) return nullptr;
    } else if (word == "show") {
      if (!zavo::ReadIntAttribute(scene, s, description.show, "Number wanted")) return nullptr;
    } else if (word == "assoc") {
      if (!ReadAssociations(scene, s, description.assoc)) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
