// Reads arbitrary text as a blob side file, then builds a blob from the same
// text (written to a file in a scratch directory) and traces eight fixed rays
// through it, with the hit details of every hit, and asks for the field and
// the normal at a few points. Reading and the blob must agree on the
// elements; hits come in ascending order. For files whose numbers stay within
// ±1e6, every ray parameter, hit point, normal and field value is finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "models/curved/blob.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

fs::path* directory = nullptr;

bool IsFinite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

bool Moderate(const CG_BlobComplete& complete) {
  if (!(std::fabs(complete.threshold) <= 1e6)) return false;
  for (const CG_BlobElement& e : complete.elements) {
    for (double v : {e.center.x, e.center.y, e.center.z, e.radius, e.strength}) {
      if (!(std::fabs(v) <= 1e6)) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char shared[] = "/dev/shm/zavo-fuzz-blb-XXXXXX";
  char temporary[] = "/tmp/zavo-fuzz-blb-XXXXXX";
  const char* dir = mkdtemp(shared);
  if (dir == nullptr) dir = mkdtemp(temporary);
  if (dir == nullptr) std::abort();
  directory = new fs::path(dir);
  std::atexit([] {
    std::error_code error;
    fs::remove_all(*directory, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CG_BlobComplete complete;
  std::istringstream in(text);
  const int read = ReadBlobFile(complete, in);
  Check(read == 0 || read == 1);
  long count = 0;
  for (const CG_BlobElement& e : complete.elements) {
    (void)e;
    ++count;
  }

  const std::string stem = (*directory / "input").string();
  {
    std::ofstream out(stem + ".blb", std::ios::binary | std::ios::trunc);
    out << text;
  }
  CG_GraphicObjectCommData common;
  common.name = "b";
  CG_BlobDescription description;
  description.name = "input";
  description.path = stem.c_str();
  GBlob blob(common, description);
  Check(blob.GetLoadResult() == (read ? GBlob::kLoaded : GBlob::kBadFile));
  Check(blob.SphereCount() == count);
  Check(blob.Valid().Count() <= static_cast<std::uint32_t>(count));
  const bool moderate = Moderate(complete);

  const Ray rays[8] = {
      {{0, 0, -5}, {0, 0, 1}},
      {{0, 0, 5}, {0, 0, -1}},
      {{-5, 0, 0}, {1, 0, 0}},
      {{0, -5, 0.25}, {0, 1, 0}},
      {{0, 0, 0}, {0, 0, 1}},
      Ray::FromDirection({-3, -2, -1}, {3, 2, 1}),
      Ray::FromDirection({10, 10, 10}, {-1, -1, -1.2}),
      Ray::FromDirection({0.3, -0.2, -4}, {0.01, 0.02, 1}),
  };
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = blob.NewIntrInfo();
  for (const Ray& ray : rays) {
    const int n = blob.Intersect(ray, *record);
    Check(n == record->Count());
    for (int i = 0; i < n; ++i) {
      Check(std::isfinite(record->Value(i)));
      Check(record->Value(i) > blob.toll);
      if (i > 0) Check(record->Value(i - 1) <= record->Value(i));
      CG_MaterialPhong material;
      Point3D point;
      Point3D normal;
      blob.HitDetails(ray, *record, i, material, point, normal);
      if (moderate) Check(IsFinite(point) && IsFinite(normal));
    }
  }
  for (const Point3D& p : {Point3D{0, 0, 0}, Point3D{0.5, 0.25, -0.125}, Point3D{1, 1, 1}, Point3D{-2, 0, 3}}) {
    const double field = blob.FieldAt(p);
    const Point3D normal = blob.NormalAt(p);
    if (moderate) Check(std::isfinite(field) && IsFinite(normal));
  }
  return 0;
}
