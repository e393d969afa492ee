// The polyline's text: its reader module and its writer.

#include <cstdint>
#include <cstring>
#include <ostream>
#include <vector>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/curved/polyline.h"
#include "scene/scene.h"

void CG_Polyline::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { polyline\n\t\topen " << open_ << ";\n";
  for (std::uint32_t i = 0; i < points_.Count(); ++i) {
    os << "\t\tp ";
    WritePoint3D(points_[i], os);
    os << ";\n";
  }
  os << "\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_PolylineModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                          CG_GraphicObjectCommData& data) {
  std::vector<Point3D> points;
  CG_PolylineDescription description;
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      s.Next();
      description.points.SetSize(static_cast<std::uint32_t>(points.size()));
      for (std::uint32_t i = 0; i < points.size(); ++i) description.points[i] = points[i];
      description.sysInterface = &scene.GetInterface();
      return std::make_unique<CG_Polyline>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (std::strcmp(word, "p") == 0) {
      s.Next();
      Point3D point;
      if (!ReadPoint3D(point, s)) {
        scene.SetError(5, "Wrong point definition");
        point = Point3D{};
      }
      points.push_back(point);
      if (!scene.Expect(s, ';')) return nullptr;
      s.Next();
    } else if (std::strcmp(word, "open") == 0) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, description.open, "Number wanted")) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
