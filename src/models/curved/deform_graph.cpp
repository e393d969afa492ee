#include "models/curved/deform_graph.h"

#include <algorithm>
#include <cmath>

namespace {

// The bracket width in x at which the bisection stops, and its bound on
// halvings (a graph whose x jumps never gives a narrow bracket).
constexpr double kBracketWidth = 0.003;
constexpr int kMaxHalvings = 200;

}  // namespace

CG_PathControlDescription::~CG_PathControlDescription() {
  if (graphOwned) delete graph;
}

CG_PathControl::CG_PathControl(const CG_GraphicObjectCommData& data, CG_PathControlDescription& description)
    : CG_GraphicObject(data) {
  SetDescription(description);
}

CG_PathControl::~CG_PathControl() { DropGraph(); }

void CG_PathControl::DropGraph() {
  if (graphOwned_) delete graph_;
  graph_ = nullptr;
  graphOwned_ = 0;
}

void CG_PathControl::GetDescription(CG_PathControlDescription& description) {
  description.c1 = c1_;
  description.c2 = c2_;
  description.center = center_;
  description.nx = nx_;
  description.ny = ny_;
  if (description.graphOwned) delete description.graph;
  description.graph = graph_;
  description.graphOwned = graphOwned_;
  description.sysInterface = sysInterface_;
  graph_ = nullptr;
  graphOwned_ = 0;
}

void CG_PathControl::SetDescription(CG_PathControlDescription& description) {
  c1_ = description.c1;
  c2_ = description.c2;
  center_ = description.center;
  nx_ = description.nx;
  ny_ = description.ny;
  DropGraph();
  graph_ = description.graph;
  graphOwned_ = description.graphOwned;
  sysInterface_ = description.sysInterface;
  description.graph = nullptr;
  description.graphOwned = 0;
}

int CG_PathControl::GetCommData(CG_GraphicObjectCommData& data) {
  data.name = name;
  data.IDname = IDname;
  return 1;
}

int CG_PathControl::SetCommData(CG_GraphicObjectCommData& data) {
  name = data.name;
  IDname = data.IDname;
  return 1;
}

int CG_PathControl::DeclassToFaced(zavo::DeclassedParts& parts, int) {
  if (graph_ == nullptr) return 0;
  parts.SetSize(1);
  parts[0].object = graph_;
  parts[0].owned = 0;
  return 1;
}

int CG_PathControl::GetChildren(Seq<CG_GraphicObject*>&) { return 0; }

int CG_PathControl::GetMaterials(Seq<CG_NamedMaterial*>& materials) const {
  materials.SetSize(0);
  return 1;
}

int CG_PathControl::GetTextures(Seq<CG_Texture*>& textures) const {
  textures.SetSize(0);
  return 1;
}

double CG_PathControl::PointAt(double x) const {
  if (graph_ == nullptr || !graph_->IsCurve()) return 1.0;
  double a = graph_->ParamMin();
  double b = graph_->ParamMax();
  for (int halvings = 0;; ++halvings) {
    Point3D A;
    Point3D B;
    graph_->Evaluate(a, A);
    graph_->Evaluate(b, B);
    if (!(std::min(A.x, B.x) <= x && x <= std::max(A.x, B.x))) return 1.0;
    if (std::fabs(A.x - B.x) < kBracketWidth || halvings == kMaxHalvings) return A.y;
    const double m = (a + b) / 2;
    Point3D M;
    graph_->Evaluate(m, M);
    if (B.x < A.x) {
      if (M.x <= x) {
        b = m;
      } else {
        a = m;
      }
    } else if (x <= M.x) {
      b = m;
    } else {
      a = m;
    }
  }
}
