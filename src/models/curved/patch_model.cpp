#include "models/curved/patch_model.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>
#include <system_error>

#include "foundation/atomic_file.h"
#include "foundation/path_resolver.h"
#include "foundation/scanner.h"
#include "foundation/sha256.h"
#include "foundation/user_break.h"
#include "geometry/brep_model3.h"
#include "models/core/brep.h"

namespace zavo {

namespace {

namespace fs = std::filesystem;

constexpr double kPatchCostr = 1.3;

void Status(GeoInterface* progress, const std::string& text) {
  if (progress != nullptr) progress->Status(text.c_str());
}

void RunBuilder(BRepModel3& mesh, const PatchMeshJob& job, const char* file) {
  switch (HierarchyBuilderFor(job.hierKind.c_str())) {
    case PatchHierarchyBuilder::kGridFirst:
      mesh.BuildHierarchy2(kPatchCostr, job.gridDim, file, job.progress);
      break;
    case PatchHierarchyBuilder::kGridFirstDefault:
      mesh.BuildHierarchy2Default(file, job.progress);
      break;
    case PatchHierarchyBuilder::kLevel:
      mesh.BuildHierarchy(kPatchCostr, file, job.progress);
      break;
  }
}

bool IsFile(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error);
}

}  // namespace

int TessellationDiv(int div) { return std::clamp(div, kMinPatchDiv, kMaxPatchDiv); }

bool TessellationFits(std::int64_t vertices, GeoInterface* progress) {
  if (vertices <= kMaxSceneTessellationVertices) return true;
  TellUser(progress, "Tessellation too large: " + std::to_string(vertices) + " vertices, the limit is " +
                         std::to_string(kMaxSceneTessellationVertices));
  return false;
}

void AppendGridTriangles(const Point3D* grid, int n, List<GEO_RawTriangle3>& triangles) {
  auto at = [grid, n](int i, int j) -> const Point3D& { return grid[i * n + j]; };
  for (int i = 0; i + 1 < n; ++i) {
    for (int j = 0; j + 1 < n; ++j) {
      triangles.Append(new GEO_RawTriangle3(at(i, j), at(i + 1, j), at(i, j + 1)));
      triangles.Append(new GEO_RawTriangle3(at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)));
    }
  }
}

PatchHierarchyBuilder HierarchyBuilderFor(const char* hierKind) {
  const char* kind = hierKind != nullptr ? hierKind : "";
  if (std::strcmp(kind, "auto") == 0 || std::strcmp(kind, "fasthier") == 0) {
    return PatchHierarchyBuilder::kGridFirst;
  }
  if (std::strcmp(kind, "median") == 0) return PatchHierarchyBuilder::kGridFirstDefault;
  return PatchHierarchyBuilder::kLevel;
}

bool StartsWithMarker(const fs::path& file, const char* marker) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return false;
  const std::size_t n = std::strlen(marker);
  std::string line(n + 1, '\0');
  in.read(line.data(), static_cast<std::streamsize>(n + 1));
  if (in.gcount() != static_cast<std::streamsize>(n + 1)) return false;
  return line.compare(0, n, marker) == 0 && (line[n] == '\n' || line[n] == '\r');
}

namespace {

// The first lines of a file, up to count, without their line ends; a file
// that does not open gives nothing. only, when given, tells whether the file
// holds nothing but those lines and blanks.
std::optional<std::vector<std::string>> HeadLines(const fs::path& file, std::size_t count, bool* only) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open() || !IsFile(file)) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < count && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (only != nullptr) {
    *only = true;
    for (char c = 0; in.get(c);) {
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
        *only = false;
        break;
      }
    }
  }
  return lines;
}

bool Blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

std::string PatchCacheRecord(const PatchMeshJob& job) {
  return "// from model " + job.modelDigest + " div " + std::to_string(TessellationDiv(job.div)) + " hierarchy " +
         job.hierKind + " " + std::to_string(job.gridDim);
}

PatchCacheState ClassifyPatchCache(const fs::path& file, const char* marker, const std::string& record) {
  bool only = false;
  const auto lines = HeadLines(file, 2, &only);
  if (!lines) return PatchCacheState::kForeign;
  // Nothing at all, or the marker and nothing more: a cache of ours that
  // was never finished.
  bool blank = only;
  for (const std::string& line : *lines) blank = blank && Blank(line);
  if (blank) return PatchCacheState::kStale;
  if ((*lines)[0] != marker) return PatchCacheState::kForeign;
  if (lines->size() == 2 && (*lines)[1] == record) return PatchCacheState::kCurrent;
  return PatchCacheState::kStale;
}

void RemoveMarkedCache(const std::string& modelPath, const char* marker) {
  const fs::path mesh(modelPath + ".brp");
  if (ClassifyPatchCache(mesh, marker, std::string()) == PatchCacheState::kForeign) return;
  std::error_code error;
  fs::remove(mesh, error);
  fs::remove(fs::path(modelPath + ".br_"), error);
}

std::string BadModelText(const ModelFileTexts& texts, const std::string& path) {
  return std::string("Error in ") + texts.word + " model " + path + "." + texts.extension;
}

ModelLoad LoadModelFile(const ModelFileTexts& texts, const std::string& path, GeoInterface* tell,
                        const std::function<bool(std::istream&)>& read, std::string* file, std::string* digest) {
  if (file != nullptr) file->clear();
  if (digest != nullptr) digest->clear();
  const std::optional<fs::path> found = FindSideFile(path, texts.extension);
  std::ifstream in;
  if (found) in.open(*found, std::ios::binary);
  if (!in.is_open()) {
    TellUser(tell, texts.notFound);
    return ModelLoad::kNotFound;
  }
  if (file != nullptr) *file = found->string();
  // The text is read once: the digest is of exactly what the reader sees.
  std::ostringstream whole;
  whole << in.rdbuf();
  std::string text = std::move(whole).str();
  if (digest != nullptr) *digest = Sha256Hex(text);
  std::istringstream textIn(std::move(text));
  if (!read(textIn)) {
    TellUser(tell, BadModelText(texts, path));
    return ModelLoad::kBadContent;
  }
  return ModelLoad::kLoaded;
}

bool LeadingInteger(const char* text, int& value) {
  const char* p = text != nullptr ? text : "";
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  long long v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    v = v * 10 + (*p - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return false;
  value = static_cast<int>(v);
  return true;
}

bool TokenIs(const ScannerMemo& scanner, const char* text) { return std::strcmp(scanner.Text(), text) == 0; }

void TellUser(GeoInterface* progress, const std::string& text) {
  if (progress != nullptr) progress->Message(text.c_str());
}

std::string TextOf(const charString& text) { return text.Text() != nullptr ? text.Text() : ""; }

// Reads the mesh cache as a later render does; answers 0 when it does not
// read whole.
int LoadCachedMesh(const UniformModelObject& object, const PatchMeshJob& job, CG_GraphicObjectCommData& data,
                   DeclassedParts& parts) {
  CG_BRepDescription d;
  d.isInline = 0;
  d.name = object.name;
  d.path = job.modelPath.c_str();
  d.costr = kPatchCostr;
  d.hierKind = job.hierKind.c_str();
  d.gridDim = job.gridDim;
  d.interp = 1;
  d.interp_ang = kDefaultCreaseAngle;
  d.interp_hold = 0;
  d.progress = job.progress;
  auto brep = std::make_unique<GBRep>(data, d);
  if (!brep->Loaded() || brep->FaceCount() == 0) return 0;
  parts.SetSize(1);
  parts[0].object = brep.release();
  parts[0].owned = 1;
  return 1;
}

int BuildPatchBRep(const UniformModelObject& object, const PatchMeshJob& job, DeclassedParts& parts) {
  std::unique_ptr<CG_GraphicObjectCommData> data = object.UniformModelObject::NewCommData();
  if (!data) return 0;
  const std::string word = job.word;
  const fs::path meshFile = PathFromName(job.modelPath + ".brp");
  const std::string record = PatchCacheRecord(job);
  bool useCache = job.cache != 0 && !job.embedded && !job.differsFromFile && !job.modelPath.empty();
  bool stale = false;
  if (useCache && IsFile(meshFile)) {
    const PatchCacheState state = ClassifyPatchCache(meshFile, job.marker, record);
    if (state == PatchCacheState::kForeign) {
      // Another model's mesh: run as without a cache, leaving it alone.
      useCache = false;
    } else if (state == PatchCacheState::kStale) {
      // Made from another file or other settings: made again below.
      stale = true;
    } else {
      Status(job.progress, "Loading " + word + " cache");
      if (LoadCachedMesh(object, job, *data, parts)) return 1;
      // A cache that does not read whole is rebuilt and overwritten.
      stale = true;
      data = object.UniformModelObject::NewCommData();
      if (!data) return 0;
    }
  }

  List<GEO_RawTriangle3> triangles;
  const int n = TessellationDiv(job.div);
  for (int k = 1; k <= job.patchCount; ++k) {
    // After a break the mesh is thrown away unfinished (and never cached).
    if (BreakRequested()) break;
    job.tessellate(k - 1, n, triangles);
    Status(job.progress, word + " " + std::to_string(static_cast<long long>(k) * 100 / job.patchCount) + "%");
  }
  std::unique_ptr<BRepModel3> mesh = MakeFaceListBRep(object.name.Text(), triangles, 0.0);
  triangles.Clear();
  const bool hasFaces = mesh->faces.Count() > 0;
  // The boundary-mesh object would add the edges and the smoothing normals
  // itself; they are made here so that the cache holds them too.
  mesh->BuildEdges();
  if (hasFaces) mesh->ComputeVertexNormals(kDefaultCreaseAngle);
  const bool writeCache = useCache && hasFaces;
  if (useCache && stale) {
    // The hierarchy beside a mesh that is replaced belongs to the old mesh.
    std::error_code error;
    fs::remove(PathFromName(job.modelPath + ".br_"), error);
  }
  bool cached = false;
  if (writeCache) {
    Status(job.progress, "Saving " + word + " cache");
    // A cache that cannot be written costs the next render the tessellation.
    cached = WriteFileAtomically(meshFile, [&](std::ostream& os) {
      ClassicNumbers classic(os);
      os << job.marker << "\n" << record << "\n";
      mesh->Write(os, 1);
      return true;
    });
    if (!cached && !BreakRequested()) TellUser(job.progress, "Cannot write the cache " + meshFile.string());
  }
  if (hasFaces) {
    const std::string hierarchyFile = job.modelPath + ".br_";
    RunBuilder(*mesh, job, cached ? hierarchyFile.c_str() : nullptr);
  }
  if (cached) {
    // The cache holds its numbers in short form: this render uses the mesh
    // as it was written, so that it draws what every later render draws.
    auto fresh = object.UniformModelObject::NewCommData();
    if (fresh && LoadCachedMesh(object, job, *fresh, parts)) return 1;
  }

  CG_BRepDescription d;
  d.isInline = 1;
  d.mesh = std::move(mesh);
  d.name = object.name;
  d.costr = 0.0;
  d.hierKind = "auto";
  d.gridDim = 20;
  d.interp = 1;
  d.interp_ang = kDefaultCreaseAngle;
  d.interp_hold = 0;
  d.progress = job.progress;
  auto brep = std::make_unique<GBRep>(*data, d);
  brep->SetCostr(kPatchCostr);
  parts.SetSize(1);
  parts[0].object = brep.release();
  parts[0].owned = 1;
  return 1;
}

}  // namespace zavo

namespace zavo {

namespace {
ModelFileWriter modelFileWriter = &WriteFileAtomically;
}  // namespace

ModelFileWriter SetModelFileWriter(ModelFileWriter writer) {
  const ModelFileWriter old = modelFileWriter;
  modelFileWriter = writer != nullptr ? writer : &WriteFileAtomically;
  return old;
}

bool WriteModelFile(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& write) {
  return modelFileWriter(target, write);
}

}  // namespace zavo
