// The area lamp's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/core/area_lamp.h"
#include "scene/scene.h"

void CG_AreaLamp::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { arealamp\n";
  for (const Point3D& p : points_) {
    os << "\t\tp ";
    WritePoint3D(p, os);
    os << ";\n";
  }
  os << "\t\tdepth " << depth_ << ";\n\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_AreaLampModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                          CG_GraphicObjectCommData& data) {
  CG_AreaLampDescription description;
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      s.Next();
      description.progress = &scene.GetInterface();
      return std::make_unique<CG_AreaLamp>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (std::strcmp(word, "p") == 0) {
      s.Next();
      description.points.emplace_back();
      if (!ReadPoint3D(description.points.back(), s)) scene.SetError(5, "Wrong point definition");
      if (!scene.Expect(s, ';')) return nullptr;
      s.Next();
    } else if (std::strcmp(word, "depth") == 0) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, description.depth, "Number wanted")) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
