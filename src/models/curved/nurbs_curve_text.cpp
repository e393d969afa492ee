// The NURBS curve's text: its reader module and its writer.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ostream>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/curved/control_block_text.h"
#include "models/curved/nurbs_curve.h"
#include "scene/scene.h"

void CG_NURBSCurve::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { NURBScurve\n\t\topen " << open_ << ";\n\t\tdiv " << div_ << ";\n\t\torder " << order_
     << ";\n\t\tncontrol " << controls_.Count() << ";\n\t\tcontrol {\n";
  for (std::uint32_t i = 0; i < controls_.Count(); ++i) {
    os << "\t\t\t";
    WritePoint3D(controls_[i], os);
    os << " , " << weights_[i] << ";\n";
  }
  os << "\t\t\t}\n\t\tknots {\n";
  for (std::uint32_t i = 0; i < knots_.Count(); ++i) os << "\t\t\t" << knots_[i] << ";\n";
  os << "\t\t\t}\n\t}\n}\n";
}

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

// "{" knot ";" ... "}" for every knot, standing on "{".
int ReadKnotBlock(CG_GraphicScene& scene, ScannerMemo& s, CG_NURBSCurveDescription& d) {
  if (!scene.Expect(s, '{')) return 0;
  s.Next();
  for (std::uint32_t i = 0; i < d.knots.Count(); ++i) {
    if (!zavo::ReadNumberAttribute(scene, s, d.knots[i], "Number wanted")) return 0;
  }
  if (!scene.Expect(s, '}')) return 0;
  s.Next();
  return 1;
}

// Sizes the blocks for n controls: points (0, 0, 0), weights 1, n + order
// knots 0. An order outside 1 .. 16 fails at the closing "}" whatever the
// knot count, so the count is capped there.
void SizeBlocks(CG_NURBSCurveDescription& d, int n) {
  const auto count = static_cast<std::uint32_t>(n);
  d.controls.SetSize(count);
  d.weights.SetSize(count);
  for (std::uint32_t i = 0; i < count; ++i) d.weights[i] = 1.0;
  const std::int64_t knots =
      std::clamp(std::int64_t{n} + d.order, std::int64_t{0}, std::int64_t{n} + zavo::kMaxNURBSOrder + 1);
  d.knots.SetSize(static_cast<std::uint32_t>(knots));
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_NURBSCurveModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                            CG_GraphicObjectCommData& data) {
  CG_NURBSCurveDescription d;
  bool knotsRead = false;  // a knots block after the last "ncontrol"
  for (;;) {
    if (Is(s, "}")) {
      const auto n = static_cast<std::int64_t>(d.controls.Count());
      if (d.order < 1 || d.order > zavo::kMaxNURBSOrder ||
          (n > 0 && (!knotsRead || static_cast<std::int64_t>(d.knots.Count()) != n + d.order))) {
        scene.SetError(5, "Wrong NURBS definition");
        return nullptr;
      }
      s.Next();
      d.progress = &scene.GetInterface();
      return std::make_unique<CG_NURBSCurve>(data, d);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (Is(s, "open")) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, d.open, "Number wanted")) return nullptr;
    } else if (Is(s, "div")) {
      s.Next();
      if (!zavo::ReadBoundedInt(scene, s, INT_MIN, zavo::kMaxCurveDiv, d.div)) return nullptr;
    } else if (Is(s, "order")) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, d.order, "Number wanted")) return nullptr;
    } else if (Is(s, "ncontrol")) {
      s.Next();
      int n = 0;
      if (!zavo::ReadBoundedInt(scene, s, 0, zavo::kMaxCurveControls, n)) return nullptr;
      SizeBlocks(d, n);
      knotsRead = false;
    } else if (Is(s, "control")) {
      s.Next();
      const auto readValue = [&](std::uint32_t i) {
        return zavo::ReadNumberAttribute(scene, s, d.weights[i], "Number wanted");
      };
      if (!zavo::ReadControlBlock(scene, s, d.controls, readValue)) return nullptr;
    } else if (Is(s, "knots")) {
      s.Next();
      if (!ReadKnotBlock(scene, s, d)) return nullptr;
      knotsRead = true;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
