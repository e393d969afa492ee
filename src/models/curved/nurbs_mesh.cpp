#include "models/curved/nurbs_mesh.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "foundation/runtime_error_box.h"
#include "geometry/geo_scanner.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kMarker = "// NURBS mesh cache";

bool Finite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// The basis functions N(i, order)(x), i from 0 to count - 1, over the knots:
// the Cox-de Boor recursion run level by level (each value as the recursion
// gives it; a term whose denominator is exactly 0 counts 0). Where no
// half-open span holds x, the last non-empty span with t[i] < x <= t[i + 1]
// holds it.
std::vector<double> Basis(const Vector<double>& t, std::int32_t order, std::int32_t count, double x) {
  const std::int32_t spans = static_cast<std::int32_t>(t.Count()) - 1;
  std::vector<double> n(static_cast<std::size_t>(spans), 0.0);
  auto knot = [&t](std::int32_t i) { return t[static_cast<std::uint32_t>(i)]; };
  bool any = false;
  for (std::int32_t i = 0; i < spans; ++i) {
    if (knot(i) <= x && x < knot(i + 1)) {
      n[static_cast<std::size_t>(i)] = 1.0;
      any = true;
    }
  }
  if (!any) {
    for (std::int32_t i = spans - 1; i >= 0; --i) {
      if (knot(i) < knot(i + 1) && knot(i) < x && x <= knot(i + 1)) {
        n[static_cast<std::size_t>(i)] = 1.0;
        break;
      }
    }
  }
  for (std::int32_t k = 2; k <= order; ++k) {
    for (std::int32_t i = 0; i + k <= spans; ++i) {
      double a = 0.0;
      double b = 0.0;
      const double da = knot(i + k - 1) - knot(i);
      const double db = knot(i + k) - knot(i + 1);
      if (da != 0.0) a = (x - knot(i)) * n[static_cast<std::size_t>(i)] / da;
      if (db != 0.0) b = (knot(i + k) - x) * n[static_cast<std::size_t>(i + 1)] / db;
      n[static_cast<std::size_t>(i)] = a + b;
    }
  }
  n.resize(static_cast<std::size_t>(count));
  return n;
}

void CopyPatches(const List<CG_NURBSPatch>& from, List<CG_NURBSPatch>& to) {
  to.Clear();
  to.CopyFrom(from);
}

bool InTable(int i, long size) { return i >= 0 && static_cast<long>(i) < size; }

}  // namespace

Point3D CG_NURBSPatch::PointAt(double u, double v) const {
  if (dimx <= 0 || dimy <= 0) return Point3D{};
  const std::vector<double> nu = Basis(knotsU, orderx, dimx, u);
  const std::vector<double> nv = Basis(knotsV, ordery, dimy, v);
  double W = 0.0;
  Point3D P;
  double plainSum = 0.0;
  Point3D plain;
  for (std::int32_t r = 0; r < dimx; ++r) {
    for (std::int32_t c = 0; c < dimy; ++c) {
      const double w = weights(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c));
      const Point3D& q = controls(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c));
      const double b = nv[static_cast<std::size_t>(c)] * nu[static_cast<std::size_t>(r)];
      W += nu[static_cast<std::size_t>(r)] * w * nv[static_cast<std::size_t>(c)];
      P = P + q * (b * w);
      plainSum += b;
      plain = plain + q * b;
    }
  }
  if (W != 0.0) {
    const Point3D point = P * (1.0 / W);
    if (Finite(point)) return point;
  }
  if (plainSum != 0.0) {
    const Point3D point = plain * (1.0 / plainSum);
    if (Finite(point)) return point;
  }
  return controls(0, 0);
}

int CG_NURBSPatch::DU(double, double, Point3D&) const {
  RuntimeErrorBox("CG_NURBSPatch::DU undef");
  return 0;
}

int CG_NURBSPatch::DV(double, double, Point3D&) const {
  RuntimeErrorBox("CG_NURBSPatch::DV undef");
  return 0;
}

CG_NURBSMesh::CG_NURBSMesh(CG_GraphicObjectCommData& data, const CG_NURBSMeshDescription& description)
    : UniformModelObject(data) {
  Apply(description, false);
}

void CG_NURBSMesh::SetDescription(const CG_NURBSMeshDescription& description) { Apply(description, true); }

void CG_NURBSMesh::Apply(const CG_NURBSMeshDescription& d, bool tell) {
  progress_ = d.progress;
  embedded_ = d.embedded;
  div_ = d.div;
  cache_ = d.cache;
  hierKind_ = d.hierKind;
  gridDim_ = d.gridDim;
  moved_ = false;
  load_ = zavo::ModelLoad::kLoaded;
  controls_.Clear();
  if (embedded_) {
    CopyPatches(d.patches, patches_);
    BuildControlTable();
    return;
  }
  modelName_ = d.modelName;
  modelPath_ = d.modelPath;
  patches_.Clear();
  modelFile_.clear();
  const std::string path = zavo::TextOf(modelPath_);
  const std::optional<fs::path> file = zavo::FindSideFile(path, "nrb");
  std::ifstream in;
  if (file) in.open(*file, std::ios::binary);
  if (!in.is_open()) {
    load_ = zavo::ModelLoad::kNotFound;
    if (tell) zavo::TellUser(progress_, "NURBS model not found!");
    return;
  }
  modelFile_ = file->string();
  GeoScanner scanner(in);
  scanner.Next();
  if (!ReadPatches(scanner, patches_)) {
    load_ = zavo::ModelLoad::kBadContent;
    if (tell) zavo::TellUser(progress_, "Error in NURBS model " + path + ".nrb");
  }
  BuildControlTable();
}

void CG_NURBSMesh::GetDescription(CG_NURBSMeshDescription& d) const {
  d.embedded = embedded_;
  d.modelName = modelName_;
  d.modelPath = modelPath_;
  d.div = div_;
  d.cache = cache_;
  d.hierKind = hierKind_;
  d.gridDim = gridDim_;
  d.progress = progress_;
  if (embedded_) CopyPatches(patches_, d.patches);
}

std::unique_ptr<CG_GraphicObject> CG_NURBSMesh::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_NURBSMeshDescription d;
  GetDescription(d);
  CopyPatches(patches_, d.patches);
  auto copy = std::make_unique<CG_NURBSMesh>(*data, d);
  if (copy->LoadResult() != zavo::ModelLoad::kLoaded) return nullptr;
  return copy;
}

void CG_NURBSMesh::BuildControlTable() {
  zavo::ControlTableBuilder<CG_NURBSControlIndex, CG_NURBSControlRef> table(controls_);
  for (CG_NURBSPatch& patch : patches_) {
    for (int r = 0; r < patch.dimx; ++r) {
      for (int c = 0; c < patch.dimy; ++c) {
        table.Add(patch.controls(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c)),
                  CG_NURBSControlRef{&patch, r, c});
      }
    }
  }
}

int CG_NURBSMesh::GetPoint(int i, Point3D& point) const {
  if (!InTable(i, controls_.Size())) return 0;
  point = controls_[i].position;
  return 1;
}

int CG_NURBSMesh::SetPoint(int i, const Point3D& point) {
  if (!InTable(i, controls_.Size())) return 0;
  CG_NURBSControlIndex& record = controls_[i];
  record.position = point;
  for (std::uint32_t k = 0; k < record.refs.Count(); ++k) {
    const CG_NURBSControlRef& ref = record.refs[k];
    ref.patch->controls(static_cast<std::uint32_t>(ref.row), static_cast<std::uint32_t>(ref.col)) = point;
  }
  moved_ = true;
  return 1;
}

int CG_NURBSMesh::UpdateModel() {
  if (!embedded_) {
    const std::string path = zavo::TextOf(modelPath_);
    const std::string file = modelFile_.empty() ? path + ".nrb" : modelFile_;
    // A model without a file name has nowhere to go.
    const bool written = !path.empty() && zavo::WriteModelFile(fs::path(file), [this](std::ostream& os) {
      WritePatches(os, patches_);
      os << ".\n";
      return true;
    });
    if (!written) {
      zavo::TellUser(progress_, "Cannot write " + file);
      return 0;
    }
    zavo::RemoveMarkedCache(path, kMarker);
  }
  CG_NURBSMeshDescription d;
  GetDescription(d);
  SetDescription(d);
  return 1;
}

int CG_NURBSMesh::BuildBRep(zavo::DeclassedParts& parts) {
  zavo::PatchMeshJob job;
  job.word = "NURBS";
  job.marker = kMarker;
  job.modelPath = zavo::TextOf(modelPath_);
  job.embedded = embedded_;
  job.cache = cache_;
  job.div = div_;
  job.hierKind = zavo::TextOf(hierKind_);
  job.gridDim = gridDim_;
  job.progress = progress_;
  job.differsFromFile = moved_;
  std::vector<const CG_NURBSPatch*> patches;
  for (const CG_NURBSPatch& patch : patches_) patches.push_back(&patch);
  job.patchCount = static_cast<int>(patches.size());
  job.tessellate = [&patches](int k, int n, List<GEO_RawTriangle3>& triangles) {
    const CG_NURBSPatch& patch = *patches[static_cast<std::size_t>(k)];
    const double u0 = patch.UMin(), u1 = patch.UMax(), v0 = patch.VMin(), v1 = patch.VMax();
    std::vector<Point3D> grid(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      // Both ends are sampled exactly.
      const double u = i == n - 1 ? u1 : u0 + i * (u1 - u0) / (n - 1);
      for (int j = 0; j < n; ++j) {
        const double v = j == n - 1 ? v1 : v0 + j * (v1 - v0) / (n - 1);
        grid[static_cast<std::size_t>(i * n + j)] = patch.PointAt(u, v);
      }
    }
    zavo::AppendGridTriangles(grid.data(), n, triangles);
  };
  return zavo::BuildPatchBRep(*this, job, parts);
}
