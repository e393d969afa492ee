// The CSG object's mesh object: read from its cache file, or computed by the
// mesh boolean of its children's meshes and cached.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <locale>
#include <string>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

#include "foundation/atomic_file.h"
#include "foundation/sha256.h"
#include "foundation/user_break.h"
#include "geometry/geo_scanner.h"
#include "geometry/make_directory.h"
#include "models/core/brep.h"
#include "models/core/brep_from_mesh.h"
#include "models/core/csg.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

bool VertexNumberIn(int entry, int count) {
  const std::int64_t v = entry < 0 ? -static_cast<std::int64_t>(entry) : entry;
  return v >= 1 && v <= count;
}

// An IDname that can name a directory of its own: not empty, not "." or
// "..", no separator.
bool PlainName(const char* id) {
  if (id == nullptr || *id == '\0') return false;
  const std::string s(id);
  return s != "." && s != ".." && s.find_first_of("/\\") == std::string::npos;
}

// "<scene>.qzd", when the scene keeps a cache for the IDname: the scene has
// a name and the IDname is a plain name.
bool SceneDirectory(const CG_GraphicScene* scene, const char* id, fs::path& directory) {
  if (scene == nullptr || scene->GetName() == nullptr || *scene->GetName() == '\0' || !PlainName(id)) {
    return false;
  }
  directory = fs::path(std::string(scene->GetName()) + ".qzd");
  return true;
}

fs::path CacheFile(const fs::path& sceneDirectory, const char* id) {
  return sceneDirectory / "object" / id / "model.brp";
}

// The first line of the file, without its line end; "" when it does not open.
std::string FirstLine(const fs::path& file) {
  std::error_code error;
  if (fs::is_directory(file, error)) return std::string();
  std::ifstream in(file, std::ios::in | std::ios::binary);
  std::string line;
  if (!in.is_open() || !std::getline(in, line)) return std::string();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// A name the scene gives to objects without one: "A" to "Z", each after
// any number of "Z"s.
bool GeneratedName(const std::string& id) {
  if (id.empty() || id.back() < 'A' || id.back() > 'Z') return false;
  return id.find_first_not_of('Z') >= id.size() - 1;
}

// Generated names in the order the scene gives them.
bool GivenBefore(const std::string& a, const std::string& b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// One mesh of a child: its own indexed mesh, or the one part of its
// indexed-mesh conversion; null otherwise.
std::unique_ptr<BRepModel3> ChildMesh(CG_GraphicObject& child) {
  if (child.IsIndexedMesh()) return BuildBRepModel3FromMesh(child);
  zavo::DeclassedParts parts;
  std::unique_ptr<BRepModel3> mesh;
  if (child.DeclassToIndexedMesh(parts, 0) && parts.Size() == 1 && parts[0].object != nullptr) {
    mesh = BuildBRepModel3FromMesh(*parts[0].object);
  }
  zavo::ReleaseDeclassedParts(parts);
  return mesh;
}

}  // namespace

std::unique_ptr<BRepModel3> BuildBRepModel3FromMesh(const CG_GraphicObject& object) {
  const int vertexCount = object.MeshVertexCount();
  const int triangleCount = object.MeshTriangleCount();
  if (vertexCount < 0 || triangleCount < 0) return nullptr;
  auto mesh = std::make_unique<BRepModel3>("mod");
  mesh->vertices.SetSize(static_cast<std::uint32_t>(vertexCount));
  for (int k = 1; k <= vertexCount; ++k) object.MeshVertex(k, mesh->vertices[static_cast<std::uint32_t>(k - 1)]);
  mesh->faces.SetSize(static_cast<std::uint32_t>(triangleCount));
  for (int i = 0; i < triangleCount; ++i) {
    int v[3] = {0, 0, 0};
    object.MeshTriangle(i, v[0], v[1], v[2]);
    auto contour = std::make_unique<ContourFace3>();
    contour->vertices.SetSize(3);
    for (std::uint32_t c = 0; c < 3; ++c) {
      if (!VertexNumberIn(v[c], vertexCount)) return nullptr;
      contour->vertices[c] = v[c];
    }
    mesh->faces[static_cast<std::uint32_t>(i)].contours.Append(contour.release());
  }
  mesh->UpdateFaces();
  return mesh;
}

void GCSG::SetDescription(CG_CSGDescription& d) {
  if (d.first != first_.get()) first_.reset(d.first);
  if (d.second != second_.get()) second_.reset(d.second);
  d.ownsFirst = 0;
  d.ownsSecond = 0;
  keyword_ = d.keyword;
  intervals_ = d.intervals;
  bound_ = d.bound;
  meshBoolean_ = d.meshBoolean;
  progress_ = d.progress;
  scene_ = d.scene;
  convert_ = d.convert;
  // The bound of these children, not of the ones before.
  bounding_.reset();
  if (bound_ != nullptr && first_ && second_) {
    bounding_ = bound_(first_->GetBoundingObject(), second_->GetBoundingObject());
  }

  if (LoadCachedMesh()) return;
  if (convert_ == 0 || meshBoolean_ == nullptr) return;
  ComputeMesh();
}

std::string GCSG::CacheRecord() const {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << keyword_ << "\nfirst ";
  if (first_) first_->Write(os);
  os << "\nsecond ";
  if (second_) second_->Write(os);
  return "// csg mesh from " + zavo::Sha256Hex(os.str());
}

int GCSG::ReuseCacheName(const CG_GraphicScene& scene) {
  fs::path directory;
  if (!SceneDirectory(&scene, "A", directory)) return 0;
  std::error_code error;
  fs::directory_iterator it(directory / "object", error);
  if (error) return 0;
  std::vector<std::string> names;
  for (const fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    const std::string id = it->path().filename().string();
    if (GeneratedName(id)) names.push_back(id);
  }
  if (names.empty()) return 0;
  std::sort(names.begin(), names.end(), GivenBefore);
  const std::string record = CacheRecord();
  for (const std::string& id : names) {
    if (ContainsIDname(id.c_str())) continue;
    bool held = false;
    for (const CG_GraphicObject& object : scene.GetObjects()) {
      if (object.ContainsIDname(id.c_str())) {
        held = true;
        break;
      }
    }
    if (held || FirstLine(CacheFile(directory, id.c_str())) != record) continue;
    IDname = id.c_str();
    return 1;
  }
  return 0;
}

int GCSG::LoadCachedMesh() {
  fs::path directory;
  if (!SceneDirectory(scene_, IDname.Text(), directory)) return 0;
  const fs::path file = CacheFile(directory, IDname.Text());
  // Only a cache computed from what the CSG is now.
  if (FirstLine(file) != CacheRecord()) return 0;
  std::ifstream in(file, std::ios::in | std::ios::binary);
  if (!in.is_open()) return 0;
  auto mesh = std::make_unique<BRepModel3>("model");
  GeoScanner scanner(in);
  scanner.Next();
  // A file that does not parse, holds more than the one block written there
  // or a mesh without faces (never written there) is no cache: it is
  // computed again and overwritten.
  if (!mesh->Read(scanner) || scanner.Kind() != zavo::kTokenError || mesh->faces.Count() == 0) return 0;
  MakeMeshObject(std::move(mesh));
  return 1;
}

void GCSG::ComputeMesh() {
  mesh_.reset();
  std::unique_ptr<BRepModel3> result;
  {
    std::unique_ptr<BRepModel3> a = first_ ? ChildMesh(*first_) : nullptr;
    std::unique_ptr<BRepModel3> b = second_ ? ChildMesh(*second_) : nullptr;
    if (!a || !b) return;
    zavo::MeshBooleanProgressScope scope(progress_);
    try {
      result = meshBoolean_(*a, *b);
    } catch (...) {
      if (progress_ != nullptr) progress_->Message("Unknown exception in GCSG::SetDescription");
      return;
    }
  }
  // A boolean cut short by the user's break made no mesh worth keeping.
  if (!result || zavo::BreakRequested()) return;
  result->name = "mod";
  MakeMeshObject(std::move(result));

  // The cache: its directories are made only now, when there is a mesh to
  // keep. A failure leaves no file and is not reported: the mesh is only
  // cached.
  fs::path directory;
  if (!SceneDirectory(scene_, IDname.Text(), directory)) return;
  bool made = false;
  directory = MakeDirectoryPath(directory, nullptr, &made);
  if (made) directory = MakeDirectoryPath(directory, "object", &made);
  if (made) directory = MakeDirectoryPath(directory, IDname.Text(), &made);
  if (!made) return;
  const BRepModel3& mesh = mesh_->Mesh();
  const std::string record = CacheRecord();
  zavo::WriteFileAtomically(directory / "model.brp", [&mesh, &record](std::ostream& os) {
    os.imbue(std::locale::classic());
    os << record << "\n";
    mesh.Write(os, 1);
    return static_cast<bool>(os);
  });
}

void GCSG::MakeMeshObject(std::unique_ptr<BRepModel3> mesh) {
  // The first child's common data: its name and, for a single-material
  // child, its appearance.
  std::unique_ptr<CG_GraphicObjectCommData> data = first_ ? first_->DupCommData() : nullptr;
  if (!data) {
    data = std::make_unique<CG_GraphicObjectCommData>();
    if (first_) data->name = first_->name;
  }
  CG_BRepDescription description;
  description.isInline = 1;
  description.mesh = std::move(mesh);
  description.costr = 0.0;
  description.hierKind = "auto";
  description.gridDim = 25;
  description.algorithm = 1;
  description.interp = 0;
  description.interp_ang = zavo::kDefaultCreaseAngle;
  description.interp_hold = 0;
  description.progress = progress_;
  mesh_ = std::make_unique<GBRep>(*data, description);
}
