// The NURBS mesh model's texts: the NURBS text and the reader module.

#include <memory>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/curved/nurbs_mesh.h"
#include "models/curved/patch_model_text.h"

namespace {

// A number token truncated to an int.
bool ReadCount(ScannerMemo& s, std::int32_t& value) {
  int v = 0;
  if (!zavo::TokenToInt(s, v)) return false;
  value = v;
  s.Next();
  return true;
}

bool ReadReal(ScannerMemo& s, double& value) {
  if (!zavo::TokenToDouble(s, value)) return false;
  s.Next();
  return true;
}

bool HeaderFits(std::int32_t order, std::int32_t dim) {
  return order >= 1 && order <= zavo::kMaxNURBSOrder && dim >= order && dim <= zavo::kMaxNURBSDimension;
}

// "{" (not looked at), n entries of a number and a separator (not looked
// at), "}" (not looked at); the knots must never decrease.
bool ReadKnots(ScannerMemo& s, std::uint32_t n, Vector<double>& knots) {
  knots.SetSize(n);
  s.Next();
  for (std::uint32_t i = 0; i < n; ++i) {
    if (!ReadReal(s, knots[i])) return false;
    if (i > 0 && knots[i] < knots[i - 1]) return false;
    s.Next();
  }
  s.Next();
  return true;
}

bool ReadPatch(ScannerMemo& s, CG_NURBSPatch& patch) {
  std::int32_t header[4] = {0, 0, 0, 0};
  for (std::int32_t& value : header) {
    s.Next();  // past the word
    if (!ReadCount(s, value)) return false;
    s.Next();  // the separator
  }
  patch.orderx = header[0];
  patch.ordery = header[1];
  patch.dimx = header[2];
  patch.dimy = header[3];
  if (!HeaderFits(patch.orderx, patch.dimx) || !HeaderFits(patch.ordery, patch.dimy)) return false;
  if (static_cast<std::int64_t>(patch.dimx) * patch.dimy > zavo::kMaxNURBSPoints) return false;
  const auto dx = static_cast<std::uint32_t>(patch.dimx);
  const auto dy = static_cast<std::uint32_t>(patch.dimy);
  if (!ReadKnots(s, dx + static_cast<std::uint32_t>(patch.orderx), patch.knotsU)) return false;
  if (!ReadKnots(s, dy + static_cast<std::uint32_t>(patch.ordery), patch.knotsV)) return false;
  patch.weights.Allocate(dx, dy);
  patch.controls.Allocate(dx, dy);
  for (std::uint32_t c = 0; c < dy; ++c) {
    for (std::uint32_t r = 0; r < dx; ++r) {
      if (!ReadPoint3D(patch.controls(r, c), s)) return false;
      s.Next();  // ","
      if (!ReadReal(s, patch.weights(r, c))) return false;
      s.Next();  // ";"
    }
  }
  return true;
}

}  // namespace

int CG_NURBSMesh::ReadPatches(ScannerMemo& s, List<CG_NURBSPatch>& patches) {
  return zavo::ReadPatchList(s, "NURBS", patches, ReadPatch);
}

void CG_NURBSMesh::WritePatches(std::ostream& os, const List<CG_NURBSPatch>& patches) {
  zavo::ClassicNumbers classic(os);
  os << "{ NURBS\n\n";
  for (const CG_NURBSPatch& p : patches) {
    os << "\t{ patch\n\t\torderx " << p.orderx << ";\n\t\tordery " << p.ordery << ";\n\t\tdimx " << p.dimx
       << ";\n\t\tdimy " << p.dimy << ";\n";
    for (const Vector<double>* knots : {&p.knotsU, &p.knotsV}) {
      os << "\t\t{\n";
      for (std::uint32_t i = 0; i < knots->Count(); ++i) os << "\t\t\t" << (*knots)[i] << ";\n";
      os << "\t\t}\n";
    }
    for (std::uint32_t c = 0; c < static_cast<std::uint32_t>(p.dimy); ++c) {
      for (std::uint32_t r = 0; r < static_cast<std::uint32_t>(p.dimx); ++r) {
        WritePoint3D(p.controls(r, c), os);
        os << " , " << p.weights(r, c) << ";\n";
      }
    }
    os << "\t}\n\n";
  }
  os << "}\n";
}

template class zavo::PatchModelModule<CG_NURBSMesh>;
