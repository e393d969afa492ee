#include "editor/import/dxf_import.h"

#include <cstdlib>
#include <locale>
#include <numbers>
#include <set>
#include <sstream>

#include "editor/dialog_controls.h"
#include "editor/graphic_editor.h"
#include "editor/import/import_files.h"

namespace zavo {

namespace {

// A stream of the writers' number format.
std::ostringstream ClassicStream() {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  return os;
}

// The 0-based vertex index of a DXF vertex number, or -1 when it is none of
// 1 .. count (the sign marks a hidden edge and is dropped).
long VertexIndex(int number, std::size_t count) {
  const long long n = std::llabs(static_cast<long long>(number));
  return (n >= 1 && static_cast<std::size_t>(n) <= count) ? static_cast<long>(n - 1) : -1;
}

// The name not used yet in this import: name, name_2, name_3, ...
std::string FreeName(const std::string& name, std::set<std::string>& used) {
  std::string candidate = name;
  for (int k = 2; used.count(candidate) != 0; ++k) candidate = name + "_" + std::to_string(k);
  used.insert(candidate);
  return candidate;
}

}  // namespace

std::string DxfPbrepText(const DxfPolyline& polyline, long& facesWritten) {
  const std::size_t count = polyline.vertices.size();
  std::ostringstream faces = ClassicStream();
  facesWritten = 0;
  for (const Facce& face : polyline.faces) {
    const long a = VertexIndex(face[0], count), b = VertexIndex(face[1], count), c = VertexIndex(face[2], count);
    const long d = face[3] == 0 ? -1 : VertexIndex(face[3], count);
    if (a < 0 || b < 0 || c < 0 || (face[3] != 0 && d < 0)) continue;
    if (d < 0) {
      faces << "{ 1\n  {  3  " << a << ' ' << b << ' ' << c << ' ' << " }\n}\n";
    } else {
      faces << "{ 1\n  {  4  " << a << ' ' << b << ' ' << c << ' ' << d << ' ' << " }\n}\n";
    }
    ++facesWritten;
  }
  std::ostringstream os = ClassicStream();
  os << "{ pbrep\nvertices\n\n" << count << '\n';
  for (const Point3D& p : polyline.vertices) os << p.x << "  " << p.y << "  " << p.z << '\n';
  os << "\nfaces\n" << facesWritten << "\n\n" << faces.str() << "}\n";
  return os.str();
}

std::string DxfObjectBlock(const std::string& name, const DxfOptions& options) {
  std::ostringstream os = ClassicStream();
  os << "{ object \n\tname " << name << ";\n\tmaterial standard;\n\tmodel { brep\n\tname " << name << ";\n";
  // The brep model takes its crease angle in radians.
  if (options.interpolation != 0) {
    os << "\t\tinterp 1;\n\t\tinterp_ang " << LeadingNumber(options.interpolationAngle) * std::numbers::pi / 180.0
       << ";\n";
  }
  os << "\t\tcostr 1.3;\n\t}\n}\n";
  return os.str();
}

DxfConversion ConvertDxf(std::istream& in, const DxfOptions& options, const std::string& baseName) {
  DxfConversion result;
  DxfWords words(in);
  std::set<std::string> used;
  std::string word;
  for (int n = 1; words.Next(word);) {
    if (word != "POLYLINE") continue;
    DxfPolylineHeader header;
    ReadDxfPolylineHeader(words, header);
    DxfPolyline polyline;
    ReadDxfVertices(words, polyline);
    const int number = n++;
    if ((header.flags & kDxfPolyface) == 0) {
      result.noPolyline = 1;
      continue;
    }
    long faces = 0;
    std::string text = DxfPbrepText(polyline, faces);
    if (polyline.vertices.empty() || faces == 0) continue;
    const std::string name = options.useOriginalNames != 0 ? MakeIdentifier(header.layer)
                                                           : MakeIdentifier(baseName + std::to_string(number));
    result.meshes.push_back({FreeName(name, used), std::move(text)});
  }
  return result;
}

namespace {

// The dialog "DXF options"; false on cancel.
bool AskDxfOptions(CG_GraphicEditor& editor, DxfOptions& options) {
  gcg_list controls;
  auto* original = new Check_obj("Use original names", options.useOriginalNames);
  auto* interpolation = new Check_obj("Interpolation", options.interpolation);
  auto* angle = new Edit_obj("Interpolation angle", options.interpolationAngle.c_str());
  controls.Append(original);
  controls.Append(interpolation);
  controls.Append(angle);
  if (editor.ShowDialog("DXF options", controls) == 0) return false;
  options.useOriginalNames = original->state;
  options.interpolation = interpolation->state;
  options.interpolationAngle = angle->text.Text() != nullptr ? angle->text.Text() : "";
  return true;
}

}  // namespace

int CaricaFlagPolyline(CG_GraphicEditor& editor, const char* path) {
  DxfOptions options;
  if (!AskDxfOptions(editor, options)) return 0;
  const std::string given = path != nullptr ? path : "";
  std::string fileName;
  std::optional<std::ifstream> in = OpenInput(given, ".dxf", fileName);
  if (!in) return 0;
  const DxfConversion conversion = ConvertDxf(*in, options, BaseName(given));
  if (conversion.noPolyline != 0) editor.Message("NO POLYLINE");

  int done = 1;
  std::string scene;
  for (const DxfMesh& mesh : conversion.meshes) {
    const std::string meshFile = mesh.name + ".brp";
    editor.Status(meshFile.c_str());
    if (!WriteMeshFile(editor, meshFile, [&](std::ostream& os) { os << mesh.pbrep; })) {
      done = 0;
      continue;
    }
    scene += DxfObjectBlock(mesh.name, options);
  }
  scene += "\n.\n";
  if (!WriteImportFile(editor, "__ZAVO__.qz", [&](std::ostream& os) { os << scene; })) done = 0;
  return done;
}

}  // namespace zavo
