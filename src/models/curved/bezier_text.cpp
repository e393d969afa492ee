// The Bezier patch model's texts: the patch text and the reader module.

#include <memory>
#include <ostream>
#include <string>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/curved/bezier.h"
#include "models/curved/patch_model_text.h"

int GBezier::ReadPatches(ScannerMemo& s, List<CG_BezierPatch>& patches) {
  return zavo::ReadPatchList(s, "bezier", patches, [](ScannerMemo& s, CG_BezierPatch& patch) {
    for (int k = 0; k < 16; ++k) {
      Point3D p;
      if (!ReadPoint3D(p, s)) return false;
      patch.SetControl(k % 4, k / 4, p);
    }
    return true;
  });
}

void GBezier::WritePatches(std::ostream& os, const List<CG_BezierPatch>& patches) {
  zavo::ClassicNumbers classic(os);
  os << "{ bezier\n";
  for (const CG_BezierPatch& patch : patches) {
    os << "\t{ patch\n";
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r < 4; ++r) {
        os << "\t\t";
        WritePoint3D(patch.Control(r, c), os);
        os << "\n";
      }
      os << "\n";
    }
    os << "\t}\n";
  }
  os << "}\n";
}

template class zavo::PatchModelModule<GBezier>;
