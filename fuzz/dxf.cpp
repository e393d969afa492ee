// Reads arbitrary text as a DXF file with the import's default options (and
// once with numbered names): every mesh made must read back through the
// pbrep reader with the vertex and face counts its text states, and every
// name must be an identifier used once.
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>

#include "editor/import/dxf_import.h"
#include "geometry/brep_model3.h"
#include "geometry/geo_scanner.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool IsIdentifier(const std::string& name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (const char c : name) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  }
  return true;
}

void Convert(const std::string& text, int originalNames) {
  std::istringstream in(text);
  zavo::DxfOptions options;
  options.useOriginalNames = originalNames;
  const zavo::DxfConversion result = zavo::ConvertDxf(in, options, "fuzz");
  std::set<std::string> names;
  for (const zavo::DxfMesh& mesh : result.meshes) {
    Check(IsIdentifier(mesh.name) && names.insert(mesh.name).second);
    std::istringstream back(mesh.pbrep);
    GeoScanner scanner(back);
    scanner.Next();
    BRepModel3 model("fuzz");
    Check(model.Read(scanner) == 1);
    Check(model.vertices.Count() > 0 && model.faces.Count() > 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Convert(text, 1);
  Convert(text, 0);
  return 0;
}
