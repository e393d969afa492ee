// The text of the cylinder and the cone: the body reader and the writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "models/core/axial_solid.h"
#include "scene/scene.h"

namespace zavo {

void AxialSolid::Write(std::ostream& os) const {
  ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { " << Keyword() << "\n\t\thigh " << high_ << ";\n\t\tradius " << radius_ << ";\n\t\tdiv "
     << div_ << ";\n\t}\n}\n";
}

int ReadAxialSolidBody(CG_GraphicScene& scene, ScannerMemo& s, AxialSolidDescription& description) {
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      s.Next();
      description.progress = &scene.GetInterface();
      return 1;
    }
    if (s.Kind() != kTokenIdentifier) return 0;
    if (std::strcmp(word, "radius") == 0) {
      s.Next();
      if (!ReadNumberAttribute(scene, s, description.radius, "Number wanted")) return 0;
    } else if (std::strcmp(word, "high") == 0) {
      s.Next();
      if (!ReadNumberAttribute(scene, s, description.high, "Number wanted")) return 0;
    } else if (std::strcmp(word, "div") == 0) {
      s.Next();
      if (!ReadIntAttribute(scene, s, description.div, "Number wanted")) return 0;
    } else {
      scene.SetError(5, "Unknown attribute");
      return 0;
    }
  }
}

}  // namespace zavo
