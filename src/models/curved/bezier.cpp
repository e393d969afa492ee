#include "models/curved/bezier.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "geometry/geo_scanner.h"
#include "models/curved/patch_model.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kMarker = "// bezier mesh cache";

void CopyPatches(const List<CG_BezierPatch>& from, List<CG_BezierPatch>& to) {
  to.Clear();
  to.CopyFrom(from);
}

bool InTable(int i, long size) { return i >= 0 && static_cast<long>(i) < size; }

}  // namespace

Point3D CG_BezierPatch::Control(int r, int c) const {
  return {comp.coord[0].G(r, c), comp.coord[1].G(r, c), comp.coord[2].G(r, c)};
}

void CG_BezierPatch::SetControl(int r, int c, const Point3D& p) {
  comp.coord[0].G(r, c) = p.x;
  comp.coord[1].G(r, c) = p.y;
  comp.coord[2].G(r, c) = p.z;
}

GBezier::GBezier(CG_GraphicObjectCommData& data, const CG_BezierDescription& description)
    : UniformModelObject(data) {
  Apply(description, false);
}

void GBezier::SetDescription(const CG_BezierDescription& description) { Apply(description, true); }

void GBezier::Apply(const CG_BezierDescription& d, bool tell) {
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
  const std::optional<fs::path> file = zavo::FindSideFile(path, "bzr");
  std::ifstream in;
  if (file) in.open(*file, std::ios::binary);
  if (!in.is_open()) {
    load_ = zavo::ModelLoad::kNotFound;
    if (tell) zavo::TellUser(progress_, "Bezier model not found!");
    return;
  }
  modelFile_ = file->string();
  GeoScanner scanner(in);
  scanner.Next();
  if (!ReadPatches(scanner, patches_)) {
    load_ = zavo::ModelLoad::kBadContent;
    if (tell) zavo::TellUser(progress_, "Error in bezier model " + path + ".bzr");
  }
  BuildControlTable();
}

void GBezier::GetDescription(CG_BezierDescription& d) const {
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

std::unique_ptr<CG_GraphicObject> GBezier::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_BezierDescription d;
  GetDescription(d);
  CopyPatches(patches_, d.patches);
  auto copy = std::make_unique<GBezier>(*data, d);
  if (copy->LoadResult() != zavo::ModelLoad::kLoaded) return nullptr;
  return copy;
}

void GBezier::BuildControlTable() {
  zavo::ControlTableBuilder<CG_BezControl, BezRefs> table(controls_);
  for (CG_BezierPatch& patch : patches_) {
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) table.Add(patch.Control(r, c), BezRefs{&patch, r, c});
    }
  }
}

int GBezier::GetPoint(int i, Point3D& point) const {
  if (!InTable(i, controls_.Size())) return 0;
  point = controls_[i].position;
  return 1;
}

int GBezier::SetPoint(int i, const Point3D& point) {
  if (!InTable(i, controls_.Size())) return 0;
  CG_BezControl& record = controls_[i];
  record.position = point;
  for (std::uint32_t k = 0; k < record.refs.Count(); ++k) {
    const BezRefs& ref = record.refs[k];
    ref.patch->SetControl(ref.row, ref.col, point);
  }
  moved_ = true;
  return 1;
}

int GBezier::UpdateModel() {
  if (!embedded_) {
    const std::string path = zavo::TextOf(modelPath_);
    const std::string file = modelFile_.empty() ? path + ".bzr" : modelFile_;
    // A model without a file name has nowhere to go.
    const bool written = !path.empty() && zavo::WriteModelFile(fs::path(file), [this](std::ostream& os) {
      WritePatches(os, patches_);
      return true;
    });
    if (!written) {
      zavo::TellUser(progress_, "Cannot write " + file);
      return 0;
    }
    zavo::RemoveMarkedCache(path, kMarker);
  }
  CG_BezierDescription d;
  GetDescription(d);
  SetDescription(d);
  return 1;
}

int GBezier::BuildBRep(zavo::DeclassedParts& parts) {
  zavo::PatchMeshJob job;
  job.word = "bezier";
  job.marker = kMarker;
  job.modelPath = zavo::TextOf(modelPath_);
  job.embedded = embedded_;
  job.cache = cache_;
  job.div = div_;
  job.hierKind = zavo::TextOf(hierKind_);
  job.gridDim = gridDim_;
  job.progress = progress_;
  job.differsFromFile = moved_;
  std::vector<const CG_BezierPatch*> patches;
  for (const CG_BezierPatch& patch : patches_) patches.push_back(&patch);
  job.patchCount = static_cast<int>(patches.size());
  job.tessellate = [&patches](int k, int n, List<GEO_RawTriangle3>& triangles) {
    std::vector<Point3D> grid(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        grid[static_cast<std::size_t>(i * n + j)] = patches[static_cast<std::size_t>(k)]->PointAt(
            static_cast<double>(i) / (n - 1), static_cast<double>(j) / (n - 1));
      }
    }
    zavo::AppendGridTriangles(grid.data(), n, triangles);
  };
  return zavo::BuildPatchBRep(*this, job, parts);
}
