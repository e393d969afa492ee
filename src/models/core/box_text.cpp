// The box's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "models/core/box.h"
#include "scene/scene.h"

void GBox::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { box\n\t\txmin " << box_.xmin << ";\n\t\txmax " << box_.xmax << ";\n\t\tymin " << box_.ymin
     << ";\n\t\tymax " << box_.ymax << ";\n\t\tzmin " << box_.zmin << ";\n\t\tzmax " << box_.zmax
     << ";\n\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_BoxModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                     CG_GraphicObjectCommData& data) {
  static constexpr const char* kBounds[6] = {"xmin", "xmax", "ymin", "ymax", "zmin", "zmax"};
  double values[6] = {0, 0, 0, 0, 0, 0};
  bool seen[6] = {false, false, false, false, false, false};
  for (;;) {
    if (std::strcmp(s.Text(), "}") == 0) {
      s.Next();
      for (bool flag : seen) {
        if (!flag) return nullptr;
      }
      const CG_BoxDescription description{values[0], values[1], values[2], values[3], values[4], values[5]};
      return std::make_unique<GBox>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    int bound = 0;
    while (bound < 6 && std::strcmp(s.Text(), kBounds[bound]) != 0) ++bound;
    if (bound == 6) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    s.Next();
    if (!zavo::ReadNumberAttribute(scene, s, values[bound], "Number wanted")) return nullptr;
    seen[bound] = true;
  }
}
