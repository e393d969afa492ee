#pragma once

// The object that every patch model is: its settings, its patches, the
// control table the editor moves, the model file it reads and replaces, and
// the conversion into one cached boundary-mesh object (patch_model.h). A patch
// model derives from PatchModelObject<Model, Traits> and adds only its patch
// text, ReadPatches and WritePatches (static members of Model). The traits
// give the rest of what is its own:
//   Patch                              its patch type
//   kKeyword                           the model keyword
//   kFile                              extension, word and not-found message
//   kMarker                            the mesh cache's first line
//   kFileEnd                           written after the patch text in a model file
//   kInlineEnd                         written after the patch text in the scene
//   AddControls(patch, table)          adds a patch's control points, row by row
//   SetControl(ref, p)                 moves the control point a reference names
//   SampleGrid(patch, n, grid)         the n x n samples of a patch, (i, j) at i * n + j

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/char_string.h"
#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "geometry/geo_interface.h"
#include "geometry/geo_scanner.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"
#include "models/core/patch_model_based.h"
#include "models/curved/patch_model.h"
#include "scene/registry.h"

namespace zavo {

// The settings that the reader, Clone and the editor exchange.
template <class Patch>
class PatchModelDescription {
public:
  PatchModelDescription() = default;
  PatchModelDescription(const PatchModelDescription&) = delete;
  PatchModelDescription& operator=(const PatchModelDescription&) = delete;

  int embedded = 0;
  List<Patch> patches;             // only for an embedded model
  charString modelName;            // the name as written after "name"
  charString modelPath;            // the found model file without its extension
  int div = 5;
  int cache = 1;
  charString hierKind{"auto"};
  int gridDim = 0;
  GeoInterface* progress = nullptr;  // not owned
};

template <class Model, class ModelTraits>
class PatchModelObject : public UniformModelObject, public PatchModelPoints {
public:
  using Traits = ModelTraits;
  using Patch = typename Traits::Patch;
  using Ref = PatchControlRef<Patch>;
  using Control = PatchControlRecord<Ref>;
  using Description = PatchModelDescription<Patch>;

  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); then the description is applied without messages: a model
  // file that is missing or does not read leaves LoadResult telling so.
  PatchModelObject(CG_GraphicObjectCommData& data, const Description& description)
      : UniformModelObject(data) {
    Apply(description, false);
  }

  // Applies the description: progress and embedded; for an embedded model
  // div, cache, hierarchy kind, grid dimension and a copy of the patches; for
  // a model file also the names, then the file "<modelPath>.<extension>" is
  // read. A file that is missing leaves no patches and shows the traits'
  // not-found message; one that fails part-way keeps the patches read before
  // the failure and shows "Error in <word> model <modelPath>.<extension>"
  // (both through the progress interface's Message). The control table is
  // rebuilt from the patches held, and nothing counts as moved any more.
  void SetDescription(const Description& description) { Apply(description, true); }
  // Copies every setting out; the patches only for an embedded model.
  void GetDescription(Description& d) const {
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
  // From now on the patches are written into the scene (the editor's
  // SetChanged).
  void SetNew() { embedded_ = 1; }
  ModelLoad LoadResult() const { return load_; }

  const char* Keyword() const override { return Traits::kKeyword; }
  // The head, "\tmodel { <keyword>\n", then for an embedded model "\t\tmodel "
  // and the patch text, else "\t\tname N;\n"; then "\t\tdiv n;\n\t\tcache c;\n\t}\n}\n".
  void Write(std::ostream& os) const override {
    ClassicNumbers classic(os);
    WriteHead(os);
    os << "\tmodel { " << Traits::kKeyword << "\n";
    if (embedded_) {
      os << "\t\tmodel ";
      Model::WritePatches(os, patches_);
      os << Traits::kInlineEnd;
    } else {
      os << "\t\tname " << modelName_ << ";\n";
    }
    os << "\t\tdiv " << div_ << ";\n\t\tcache " << cache_ << ";\n\t}\n}\n";
  }
  // A new object with NewCommData's record and every setting of this one;
  // null when the record cannot be made or a model file no longer reads.
  std::unique_ptr<CG_GraphicObject> Clone() const override {
    std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
    if (!data) return nullptr;
    Description d;
    GetDescription(d);
    CopyPatches(patches_, d.patches);
    auto copy = std::make_unique<Model>(*data, d);
    if (copy->LoadResult() != ModelLoad::kLoaded) return nullptr;
    return copy;
  }

  // The samples of every patch: patches times the square of the div used.
  std::int64_t TessellationVertices() const override {
    const std::int64_t n = TessellationDiv(div_);
    std::int64_t count = 0;
    for (const Patch& patch : patches_) {
      (void)patch;
      ++count;
    }
    return count * n * n;
  }

  int DeclassToRayTraceable(DeclassedParts& parts) override { return BuildBRep(parts); }
  int DeclassToFaced(DeclassedParts& parts, int) override { return BuildBRep(parts); }
  int DeclassToTriangleMesh(DeclassedParts& parts) override { return BuildBRep(parts); }
  int DeclassToIndexedMesh(DeclassedParts& parts, int) override { return BuildBRep(parts); }

  // ---- The patch-model interface: the control table's records ----

  int PointCount() const override { return static_cast<int>(controls_.Size()); }
  // 0, changing nothing, for an index outside the table.
  int GetPoint(int i, Point3D& point) const override {
    if (!InTable(i)) return 0;
    point = controls_[i].position;
    return 1;
  }
  // Moves record i and every control point it names; the model then counts
  // as differing from its file until UpdateModel or SetDescription.
  int SetPoint(int i, const Point3D& point) override {
    if (!InTable(i)) return 0;
    Control& record = controls_[i];
    record.position = point;
    for (std::uint32_t k = 0; k < record.refs.Count(); ++k) Traits::SetControl(record.refs[k], point);
    moved_ = true;
    return 1;
  }
  // A model file is written (replaced whole) and its own mesh cache deleted;
  // then the description is applied again. 1; or 0 with "Cannot write
  // <file>" through Message when the file cannot be written, the old file,
  // the cache and the moved points then kept.
  int UpdateModel() override {
    if (!embedded_) {
      const std::string path = TextOf(modelPath_);
      const std::string file = modelFile_.empty() ? path + "." + Traits::kFile.extension : modelFile_;
      // A model without a file name has nowhere to go.
      const auto write = [this](std::ostream& os) {
        Model::WritePatches(os, patches_);
        os << Traits::kFileEnd;
        return true;
      };
      const bool written = !path.empty() && WriteModelFile(std::filesystem::path(file), write);
      if (!written) {
        TellUser(progress_, "Cannot write " + file);
        return 0;
      }
      RemoveMarkedCache(path, Traits::kMarker);
    }
    Description d;
    GetDescription(d);
    SetDescription(d);
    return 1;
  }

  // ---- What the tests and the editor read ----

  const List<Patch>& Patches() const { return patches_; }
  const FragmentedSeq<Control, long>& Controls() const { return controls_; }
  int Embedded() const { return embedded_; }
  int Div() const { return div_; }
  int Cache() const { return cache_; }
  const char* ModelName() const { return modelName_.Text(); }
  const char* ModelPath() const { return modelPath_.Text(); }
  const char* HierKind() const { return hierKind_.Text(); }
  int GridDim() const { return gridDim_; }
  bool DiffersFromFile() const { return moved_; }

private:
  static void CopyPatches(const List<Patch>& from, List<Patch>& to) {
    to.Clear();
    to.CopyFrom(from);
  }

  bool InTable(int i) const { return i >= 0 && static_cast<long>(i) < controls_.Size(); }

  void Apply(const Description& d, bool tell) {
    progress_ = d.progress;
    embedded_ = d.embedded;
    div_ = d.div;
    cache_ = d.cache;
    hierKind_ = d.hierKind;
    gridDim_ = d.gridDim;
    moved_ = false;
    load_ = ModelLoad::kLoaded;
    controls_.Clear();
    if (embedded_) {
      CopyPatches(d.patches, patches_);
      BuildControlTable();
      return;
    }
    modelName_ = d.modelName;
    modelPath_ = d.modelPath;
    patches_.Clear();
    load_ = LoadModelFile(Traits::kFile, TextOf(modelPath_), tell ? progress_ : nullptr,
                          [this](std::istream& in) {
                            GeoScanner scanner(in);
                            scanner.Next();
                            return Model::ReadPatches(scanner, patches_) != 0;
                          },
                          &modelFile_, &modelDigest_);
    if (load_ != ModelLoad::kNotFound) BuildControlTable();
  }

  void BuildControlTable() {
    ControlTableBuilder<Control, Ref> table(controls_);
    for (Patch& patch : patches_) Traits::AddControls(patch, table);
  }

  int BuildBRep(DeclassedParts& parts) {
    // A mesh beyond what a whole scene may hold is not begun.
    if (!TessellationFits(TessellationVertices(), progress_)) return 0;
    PatchMeshJob job;
    job.word = Traits::kFile.word;
    job.marker = Traits::kMarker;
    job.modelPath = TextOf(modelPath_);
    job.embedded = embedded_;
    job.cache = cache_;
    job.div = div_;
    job.hierKind = TextOf(hierKind_);
    job.gridDim = gridDim_;
    job.progress = progress_;
    job.differsFromFile = moved_;
    job.modelDigest = modelDigest_;
    std::vector<const Patch*> patches;
    for (const Patch& patch : patches_) patches.push_back(&patch);
    job.patchCount = static_cast<int>(patches.size());
    job.tessellate = [&patches](int k, int n, List<GEO_RawTriangle3>& triangles) {
      std::vector<Point3D> grid(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
      Traits::SampleGrid(*patches[static_cast<std::size_t>(k)], n, grid.data());
      AppendGridTriangles(grid.data(), n, triangles);
    };
    return BuildPatchBRep(*this, job, parts);
  }

  GeoInterface* progress_ = nullptr;
  int embedded_ = 0;
  charString modelName_;
  charString modelPath_;
  std::string modelDigest_;  // the SHA-256 of the model file as read
  List<Patch> patches_;
  int div_ = 5;
  int cache_ = 1;
  charString hierKind_{"auto"};
  int gridDim_ = 0;
  FragmentedSeq<Control, long> controls_;
  std::string modelFile_;   // the file read, which UpdateModel replaces
  ModelLoad load_ = ModelLoad::kLoaded;
  bool moved_ = false;
};

// The reader module of a patch model: the model keyword, and Read (defined
// in patch_model_text.h, instantiated by the model's text file) reading the
// object's body up to and including "}":
//   model <patch text>   embedded patches (wins over "name")
//   name N;              the file "N.<ext>" in the working directory or the model path
//   div n;  cache c;     leading integers
// A name whose file is not found: code 4 "file \"N.<ext>\" not found in
// model path"; a model file that does not read: code 5 "Error in <word> model
// <path>.<ext>". Any other failure (a missing ";", another word, a token that
// is no word, inline text that does not read, neither "model" nor "name")
// gives null without a message.
template <class Model>
class PatchModelModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return Model::Traits::kKeyword; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};

}  // namespace zavo
