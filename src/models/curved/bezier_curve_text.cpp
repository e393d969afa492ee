// The Bezier curve's text: its reader module and its writer.

#include <climits>
#include <cstdint>
#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/curved/control_block_text.h"
#include "models/curved/bezier_curve.h"
#include "scene/scene.h"

void CG_BezierCurve::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { beziercurve\n\t\topen " << open_ << ";\n\t\tdiv " << div_ << ";\n\t\tncontrol "
     << controls_.Count() << ";\n\t\tcontrol {\n";
  for (std::uint32_t i = 0; i < controls_.Count(); ++i) {
    os << "\t\t\t";
    WritePoint3D(controls_[i], os);
    os << " , " << tags_[i] << ";\n";
  }
  os << "\t\t\t}\n\t}\n}\n";
}

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_BezierCurveModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                             CG_GraphicObjectCommData& data) {
  CG_BezierCurveDescription d;
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      d.progress = &scene.GetInterface();
      return std::make_unique<CG_BezierCurve>(data, d);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (Is(s, "open")) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, d.open, "Number wanted")) return nullptr;
    } else if (Is(s, "div")) {
      s.Next();
      if (!zavo::ReadBoundedInt(scene, s, INT_MIN, zavo::kMaxCurveDiv, d.div)) return nullptr;
    } else if (Is(s, "ncontrol")) {
      s.Next();
      int n = 0;
      if (!zavo::ReadBoundedInt(scene, s, 0, zavo::kMaxCurveControls, n)) return nullptr;
      d.controls.SetSize(static_cast<std::uint32_t>(n));
      d.tags.SetSize(static_cast<std::uint32_t>(n));
    } else if (Is(s, "control")) {
      s.Next();
      const auto readValue = [&](std::uint32_t i) {
        return zavo::ReadIntAttribute(scene, s, d.tags[i], "Number wanted");
      };
      if (!zavo::ReadControlBlock(scene, s, d.controls, readValue)) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
