#pragma once

// The pieces that the patch models (the Bezier patch model and the NURBS mesh
// model, whose common object is in patch_model_object.h) and the spline
// surface build on: the control table that merges control points of equal
// position, the small pieces of their text bodies, their model files, and the
// conversion of all patches into one boundary-mesh object with its mesh cache
// on disk.
//
// The mesh cache of a model file "<path>.<ext>" is "<path>.brp" (the mesh as
// pbrep text) with its face hierarchy in "<path>.br_". A boundary-mesh model
// of the same name may own those names, so the cache's first line is a
// marker of its model type ("// bezier mesh cache", "// NURBS mesh cache"),
// a comment the pbrep reader skips. A ".brp" that neither carries the
// model's own marker nor is empty is never read, overwritten or deleted by
// the patch model. The second line records what the mesh was made from:
//   // from model <SHA-256 of the model file> div <n> hierarchy <kind> <grid>
// and the cache is used only while that record is the model's own; any other
// cache of ours (an older record, none, an empty file) is made again.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <unordered_map>

#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "foundation/path_resolver.h"
#include "foundation/seq.h"
#include "geometry/geo_interface.h"
#include "geometry/mesh_builders.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"

class BRepModel3;
class CG_GraphicScene;
class ScannerMemo;

namespace zavo {

// How the last load of a model file went.
enum class ModelLoad { kLoaded, kNotFound, kBadContent };

// Tessellation densities: below 2 a patch side has no step, above the
// largest the mesh would not fit in memory. The stored div stays as read.
inline constexpr int kMinPatchDiv = 2;
inline constexpr int kMaxPatchDiv = 1024;
int TessellationDiv(int div);

// Whether a mesh of so many vertices may be made (kMaxSceneTessellationVertices);
// when not, "Tessellation too large: N vertices, the limit is M" goes to
// the progress interface's Message.
bool TessellationFits(std::int64_t vertices, GeoInterface* progress);

// The grid of n x n samples of one patch, sample (i, j) at i * n + j, as
// triangles: for i and, inside, j from 0 to n - 2, (G[i][j], G[i+1][j],
// G[i][j+1]) and (G[i+1][j], G[i+1][j+1], G[i][j+1]), appended in this order.
void AppendGridTriangles(const Point3D* grid, int n, List<GEO_RawTriangle3>& triangles);

// The face-hierarchy builders of a converted patch model, chosen by the
// hierarchy kind, compared exactly: "auto" and "fasthier" the grid-first
// build with the model's grid dimension, "median" the grid-first build with
// its defaults, anything else the level build.
enum class PatchHierarchyBuilder { kGridFirst, kGridFirstDefault, kLevel };
PatchHierarchyBuilder HierarchyBuilderFor(const char* hierKind);

// What one conversion needs of its patch model.
struct PatchMeshJob {
  const char* word = "";     // "bezier" or "NURBS": the status texts
  const char* marker = "";   // the cache's first line, without its line break
  std::string modelPath;     // the model file without its extension
  int embedded = 0;
  int cache = 0;
  int div = 5;
  std::string hierKind;
  int gridDim = 0;
  GeoInterface* progress = nullptr;
  // The patches in memory differ from the model file (points moved and not
  // yet committed): the cache is neither read nor written.
  bool differsFromFile = false;
  // The SHA-256 of the model file's text as it was read into the patches.
  std::string modelDigest;
  int patchCount = 0;
  // Appends the triangles of patch k (from 0) at n samples a side.
  std::function<void(int k, int n, List<GEO_RawTriangle3>& triangles)> tessellate;
};

// The conversion of a patch model into one owned boundary-mesh object, the
// same for every conversion entry: parts becomes exactly that one entry.
// With the cache in use (cache set, a model file, nothing moved, and no
// foreign ".brp" in the way) a readable cache of the model's own marker is
// loaded ("Loading <word> cache"); otherwise the patches are tessellated
// ("<word> q%" after each patch), merged into one mesh, given a face
// hierarchy by HierarchyBuilderFor, and, with the cache in use and at least
// one face, saved ("Saving <word> cache") with the hierarchy beside it.
// Cache files are replaced whole; failures to write them stay silent. 1, or
// 0 when the object's common data cannot be copied.
int BuildPatchBRep(const UniformModelObject& object, const PatchMeshJob& job, DeclassedParts& parts);

// Whether the file's first line is the marker.
bool StartsWithMarker(const std::filesystem::path& file, const char* marker);

// The record line (without its line break) of a cache made by the job.
std::string PatchCacheRecord(const PatchMeshJob& job);

// What a mesh cache file is to a patch model: not its own (another model's
// ".brp", or a file that does not open), its own but not made from what the
// model is now (also an empty file or one holding only the marker), or its
// own and current.
enum class PatchCacheState { kForeign, kStale, kCurrent };
PatchCacheState ClassifyPatchCache(const std::filesystem::path& file, const char* marker, const std::string& record);

// Deletes "<path>.brp" and "<path>.br_" when the mesh file is ours (it
// carries the marker, or is empty).
void RemoveMarkedCache(const std::string& modelPath, const char* marker);

// What a model type's file is called and what its reader says.
struct ModelFileTexts {
  const char* extension;  // "bzr": the file "<path>.bzr"
  const char* word;       // "bezier": "Error in bezier model <path>.bzr"
  const char* notFound;   // shown when the file does not open
};

// "Error in <word> model <path>.<extension>".
std::string BadModelText(const ModelFileTexts& texts, const std::string& path);

// Opens "<path>.<extension>" (FindSideFile) and hands its text to read:
// kNotFound when it does not open, kBadContent when read fails. With tell
// set, a failure shows notFound or BadModelText through its Message. file,
// when given, gets the name of the file opened ("" when none); digest, when
// given, the SHA-256 of the text read ("" when none).
ModelLoad LoadModelFile(const ModelFileTexts& texts, const std::string& path, GeoInterface* tell,
                        const std::function<bool(std::istream&)>& read, std::string* file = nullptr,
                        std::string* digest = nullptr);

// The integer at the start of the token's text: an optional sign and digits;
// anything else gives 0. False when the value does not fit an int.
bool LeadingInteger(const char* text, int& value);

// Whether the token in view is exactly the text.
bool TokenIs(const ScannerMemo& scanner, const char* text);

// Shows a text through the progress interface's Message, when there is one.
void TellUser(GeoInterface* progress, const std::string& text);

// The text of a charString, "" for null.
std::string TextOf(const charString& text);

// One place of the control nets: a patch, a row and a column.
template <class Patch>
struct PatchControlRef {
  Patch* patch = nullptr;
  int row = 0;
  int col = 0;
};

// One record of the control table: a position and every place holding it.
template <class Ref>
struct PatchControlRecord {
  Point3D position;
  Seq<Ref> refs;
};

// The control table of a patch model: every distinct position among the
// patches' control points once, in order of first appearance, with the
// places that hold it. Positions are equal when x, y and z compare equal
// (so -0.0 equals 0.0, and a NaN equals nothing).
template <class Record, class Ref>
class ControlTableBuilder {
public:
  explicit ControlTableBuilder(FragmentedSeq<Record, long>& table) : table_(table) { table_.Clear(); }

  void Add(const Point3D& p, const Ref& ref) {
    const bool comparable = p.x == p.x && p.y == p.y && p.z == p.z;
    const Key key{Bits(p.x), Bits(p.y), Bits(p.z)};
    if (comparable) {
      const auto found = index_.find(key);
      if (found != index_.end()) {
        Record& record = table_[found->second];
        const std::uint32_t n = record.refs.Count();
        record.refs.Resize(n + 1);
        record.refs[n] = ref;
        return;
      }
    }
    const long i = table_.Size();
    table_.SetSize(i + 1);
    Record& record = table_[i];
    record.position = p;
    record.refs.SetSize(1);
    record.refs[0] = ref;
    if (comparable) index_.emplace(key, i);
  }

private:
  struct Key {
    std::uint64_t x, y, z;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      std::uint64_t h = k.x * 0x9E3779B97F4A7C15ull;
      h ^= k.y + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
      h ^= k.z + 0x94D049BB133111EBull + (h << 6) + (h >> 2);
      return static_cast<std::size_t>(h);
    }
  };
  // The bits of a value, -0.0 read as 0.0.
  static std::uint64_t Bits(double v) {
    if (v == 0.0) v = 0.0;
    std::uint64_t b = 0;
    static_assert(sizeof b == sizeof v);
    __builtin_memcpy(&b, &v, sizeof b);
    return b;
  }

  FragmentedSeq<Record, long>& table_;
  std::unordered_map<Key, long, KeyHash> index_;
};

}  // namespace zavo

namespace zavo {

// How the patch models replace their model files: WriteFileAtomically by
// default. Tests install a writer that fails; the previous one is answered.
using ModelFileWriter = bool (*)(const std::filesystem::path& target,
                                 const std::function<bool(std::ostream&)>& write);
ModelFileWriter SetModelFileWriter(ModelFileWriter writer);
bool WriteModelFile(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& write);

}  // namespace zavo
