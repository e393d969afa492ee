// Reads arbitrary text as a "phong" material body, as the body of each of the
// three mapping types, as a "{ param" section body and as a "{ vrc" block body
// through GeoScanner. Whatever reads must write a block that reads back, a
// mapping must map points to finite coordinates, and the render parameters and
// the view record must read back what they write.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/render_param.h"
#include "scene/view_reference.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::string Written(const CG_Material& m) {
  std::ostringstream os;
  m.Write(os);
  return os.str();
}

std::string Written(const CG_MappingMetod& m) {
  std::ostringstream os;
  m.Write(os);
  return os.str();
}

// Reads a written block back: skips "{" and the keyword, then runs the module.
template <class Module>
auto ReadWritten(Module& module, const std::string& text) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  s.Next();
  s.Next();
  return std::unique_ptr<std::remove_pointer_t<decltype(module.Read(s))>>(module.Read(s));
}

void Phong(const std::string& text) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  CG_MaterialPhongModule module;
  std::unique_ptr<CG_Material> m(module.Read(s));
  if (!m) return;
  const std::string t1 = Written(*m);
  const auto m1 = ReadWritten(module, t1);
  Check(m1 != nullptr);
  const std::string t2 = Written(*m1);
  const auto m2 = ReadWritten(module, t2);
  Check(m2 != nullptr && Written(*m2) == t2);
}

template <class Module>
void Mapping(const std::string& text) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  Module module;
  std::unique_ptr<CG_MappingMetod> m(module.Read(s));
  if (!m) return;
  const auto back = ReadWritten(module, Written(*m));
  Check(back != nullptr && std::string(back->TypeName()) == m->TypeName());
  const Point3D points[] = {m->center, m->center + m->assx, m->center + m->assy, {0, 0, 0},
                            {1e300, -1e300, 1e-300}};
  for (const Point3D& p : points) {
    double u = 0, v = 0;
    Check(m->Map(p, u, v) == 1);
    Check(std::isfinite(u) && std::isfinite(v));
  }
}

template <class Record>
std::string WrittenRecord(const Record& r) {
  std::ostringstream os;
  r.Write(os);
  return os.str();
}

// The record's written text read back into a fresh record (skipping its "{"
// and keyword), which must succeed.
template <class Record>
std::string ReadAndWriteAgain(const std::string& written) {
  std::istringstream in(written);
  GeoScanner s(in);
  s.Next();
  s.Next();
  s.Next();
  Record back;
  Check(back.Read(s) == 1);
  return WrittenRecord(back);
}

// Reads the body into a fresh record; when that succeeds, what it writes reads
// back, and from the second save on the text stays the same (the first one
// rounds reals to six digits and leaves out values that a reader assumes).
template <class Record>
void RecordBody(const std::string& text) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  Record r;
  if (!r.Read(s)) return;
  const std::string t2 = ReadAndWriteAgain<Record>(WrittenRecord(r));
  Check(ReadAndWriteAgain<Record>(t2) == t2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Phong(text);
  Mapping<CG_PlanarMappingModule>(text);
  Mapping<CG_SphericalMappingModule>(text);
  Mapping<CG_CilindricMappingModule>(text);
  RecordBody<GParam>(text);
  RecordBody<CG_ViewReference>(text);
  return 0;
}
