// Loads a spline surface object from arbitrary ".bsp" text in a temporary
// directory, then sends eight fixed rays through Intersect and HitDetails and
// converts it into its mesh once. Hits must come in increasing order with
// finite unit normals.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "models/core/brep.h"
#include "models/curved/spline.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

fs::path* workDirectory = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zavo-fuzz-bsp-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (dir == nullptr) std::abort();
  workDirectory = new fs::path(dir);
  std::atexit([] {
    std::error_code error;
    fs::remove_all(*workDirectory, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(*workDirectory / "grid.bsp", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CG_SplineDescription d;
  d.modelName = "grid";
  d.modelPath = (*workDirectory / "grid").string().c_str();
  CG_GraphicObjectCommData common;
  common.name = "fuzz";
  GSpline spline(common, d);
  if (spline.LoadResult() != zavo::ModelLoad::kLoaded) {
    Check(spline.Surface().N() == 0);
  }
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = spline.NewIntrInfo();
  const Point3D origins[8] = {{0, 0, 10}, {0.5, 0.5, 10}, {1.5, 1.5, -10}, {-3, 2, 1},
                              {2, -3, 0.5}, {1, 1, 1}, {100, 0, 0}, {0.25, 3, 7}};
  const Point3D directions[8] = {{0, 0, -1}, {0.1, 0.1, -1}, {0, 0, 1}, {1, 0, 0},
                                 {0, 1, 0}, {-1, -1, -1}, {-1, 0.01, 0}, {0, -0.5, -1}};
  for (int k = 0; k < 8; ++k) {
    const Ray ray = Ray::FromDirection(origins[k], directions[k]);
    const int n = spline.Intersect(ray, *record);
    Check(n == record->Count());
    for (int i = 0; i < n; ++i) {
      if (i > 0) Check(record->Value(i - 1) <= record->Value(i));
      CG_MaterialPhong material;
      Point3D point, normal;
      spline.HitDetails(ray, *record, i, material, point, normal);
      Check(std::isfinite(normal.x) && std::isfinite(normal.y) && std::isfinite(normal.z));
    }
  }
  zavo::DeclassedParts parts;
  Check(spline.DeclassToFaced(parts, 0) == 1);
  Check(parts.Size() == 1 && parts[0].owned == 1);
  zavo::ReleaseDeclassedParts(parts);
  return 0;
}
