// The sphere's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/core/sphere.h"
#include "scene/scene.h"

void GSphere::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { sphere\n\t\tcenter ";
  WritePoint3D(center_, os);
  os << ";\n\t\tradius " << radius_ << ";\n\t\tdiv " << div_ << ";\n\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_SphereModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                        CG_GraphicObjectCommData& data) {
  CG_SphereDescription description;
  bool haveCenter = false;
  bool haveRadius = false;
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      s.Next();
      if (!haveCenter || !haveRadius) return nullptr;
      description.progress = &scene.GetInterface();
      return std::make_unique<GSphere>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (std::strcmp(word, "center") == 0) {
      s.Next();
      if (!ReadPoint3D(description.center, s)) scene.SetError(5, "Wrong point definition");
      haveCenter = true;
      if (!scene.Expect(s, ';')) return nullptr;
      s.Next();
    } else if (std::strcmp(word, "radius") == 0) {
      s.Next();
      if (!zavo::ReadNumberAttribute(scene, s, description.radius, "Number wanted")) return nullptr;
      haveRadius = true;
    } else if (std::strcmp(word, "div") == 0) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, description.div, "Number wanted")) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
