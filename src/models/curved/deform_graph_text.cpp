// The deformation graph's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/core/model_object.h"
#include "models/curved/deform_graph.h"
#include "scene/scene.h"

void CG_PathControl::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  os << "{ object\n\tname " << name << ";\n";
  WriteIDnameAndToll(os);
  os << "\tmodel { deformgraph\n\t\tcenter ";
  WritePoint3D(center_, os);
  os << ";\n\t\tnx ";
  WritePoint3D(nx_, os);
  os << ";\n\t\tny ";
  WritePoint3D(ny_, os);
  os << ";\n\t\tc1 " << c1_ << ";\n\t\tc2 " << c2_ << ";\n";
  if (graph_ != nullptr) {
    os << "\t\tsize ";
    graph_->Write(os);
    os << "\n";
  }
  os << "\t}\n}\n";
}

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

// "( x , y , z ) ;": a point that does not read is recorded and leaves the
// target as it was; 0 only when the ";" is missing.
int ReadPointEntry(CG_GraphicScene& scene, ScannerMemo& s, Point3D& target) {
  Point3D point;
  if (ReadPoint3D(point, s)) {
    target = point;
  } else {
    scene.SetError(5, "Wrong point definition");
  }
  if (!scene.Expect(s, ';')) return 0;
  s.Next();
  return 1;
}

// "{" "object" header model "}", standing on "{": the graph, or null.
std::unique_ptr<CG_GraphicObject> ReadGraph(CG_GraphicScene& scene, ScannerMemo& s) {
  if (!Is(s, "{")) return nullptr;
  s.Next();
  if (!scene.ExpectWord(s, "object")) return nullptr;
  s.Next();
  CG_GraphicObjectCommData data;
  if (!scene.ReadObjectHeader(s, data)) return nullptr;
  std::unique_ptr<CG_GraphicObject> graph = scene.ReadModel(s, data);
  if (!graph) return nullptr;
  if (!scene.Expect(s, '}')) return nullptr;
  s.Next();
  return graph;
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_PathControlModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                             CG_GraphicObjectCommData& data) {
  CG_PathControlDescription d;  // destroys the graph read so far on failure
  d.sysInterface = &scene.GetInterface();
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      return std::make_unique<CG_PathControl>(data, d);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (Is(s, "center") || Is(s, "nx") || Is(s, "ny")) {
      Point3D& target = Is(s, "center") ? d.center : Is(s, "nx") ? d.nx : d.ny;
      s.Next();
      if (!ReadPointEntry(scene, s, target)) return nullptr;
    } else if (Is(s, "c1") || Is(s, "c2")) {
      int& target = Is(s, "c1") ? d.c1 : d.c2;
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, target, "Number wanted")) return nullptr;
    } else if (Is(s, "size")) {
      s.Next();
      std::unique_ptr<CG_GraphicObject> graph = ReadGraph(scene, s);
      if (!graph) return nullptr;
      if (d.graphOwned) delete d.graph;
      d.graph = graph.release();
      d.graphOwned = 1;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
