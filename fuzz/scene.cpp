// Loads arbitrary text as a scene, on the full registry plus the test modules
// (a model module and a lamp module), inside a temporary directory that
// holds two texture images, a mesh file "cube.brp" and the
// side files "wing.bzr", "hull.nrb", "grid.bsp", "drop.blb" and "broken.blb"
// (cut inside a statement) of the curved models. Blobs and abstract VRML
// nodes that load are traced along two rays, fields asked for displacements. A
// failed load must leave an error record with a code, a message and a line
// within the text; a good load must write a scene that loads again, and whose
// writing is stable from then on. Reading leaves no file behind but the face
// hierarchy caches of mesh files ("<name>.br_"), which are removed after each
// input. CSG objects are read with their mesh conversion off: the booleans of
// large tessellations would take minutes and gigabytes for a few bytes of
// input (the conversion has tests of its own). Curves that load (also inside
// other objects) are evaluated and sampled at and beyond the ends of their
// parameter ranges, and deformation graphs asked for their values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "../tests/scene/fakes.h"
#include "geometry/bitmap_manager.h"
#include "models/core/camera.h"
#include "models/core/csg.h"
#include "models/curved/blob.h"
#include "models/curved/deform_graph.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/vrml_node.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

CG_ModelRegistry* registry = nullptr;
fs::path* workDirectory = nullptr;
int filesInDirectory = 0;

// Runs one input inside the temporary directory; libFuzzer's own paths (corpus,
// artifacts) stay relative to where it was started.
class InWorkDirectory {
public:
  InWorkDirectory() : old_(fs::current_path()) { fs::current_path(*workDirectory); }
  ~InWorkDirectory() { fs::current_path(old_); }

private:
  fs::path old_;
};

bool IsHierarchyCache(const fs::path& file) { return file.extension() == ".br_"; }

// The files and directories, hierarchy caches left out.
int CountFiles() {
  int n = 0;
  for (const auto& entry : fs::recursive_directory_iterator(".")) {
    if (!IsHierarchyCache(entry.path())) ++n;
  }
  return n;
}

// Removes the hierarchy caches that mesh files got.
void RemoveCaches() {
  std::vector<fs::path> caches;
  for (const auto& entry : fs::recursive_directory_iterator(".")) {
    if (IsHierarchyCache(entry.path())) caches.push_back(entry.path());
  }
  for (const fs::path& cache : caches) fs::remove(cache);
}

// A cube of six square faces.
const char kCube[] =
    "{ pbrep vertices 8 0 0 0 1 0 0 1 1 0 0 1 0 0 0 1 1 0 1 1 1 1 0 1 1\n"
    "faces 6 { 1 { 4 0 3 2 1 } } { 1 { 4 4 5 6 7 } } { 1 { 4 0 1 5 4 } }\n"
    "{ 1 { 4 1 2 6 5 } } { 1 { 4 2 3 7 6 } } { 1 { 4 3 0 4 7 } } }\n";

std::string Written(const CG_GraphicScene& scene) {
  std::ostringstream os;
  scene.Write(os);
  return os.str();
}

// The object and its children, at any depth, have names (a nameless object
// writes a text that does not read); so does the graph of a deformation graph.
bool HasNames(CG_GraphicObject& object) {
  if (object.name.Text() == nullptr) return false;
  if (auto* graph = dynamic_cast<CG_PathControl*>(&object)) {
    return graph->Graph() == nullptr || HasNames(const_cast<CG_GraphicObject&>(*graph->Graph()));
  }
  Seq<CG_GraphicObject*> children;
  if (!object.GetChildren(children)) return true;
  for (std::uint32_t i = 0; i < children.Count(); ++i) {
    if (!HasNames(*children[i])) return false;
  }
  return true;
}

bool EveryObjectHasAName(const CG_GraphicScene& scene) {
  for (const CG_GraphicObject& object : scene.GetObjects()) {
    if (!HasNames(const_cast<CG_GraphicObject&>(object))) return false;
  }
  return true;
}

bool IsFinite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Evaluates a curve at and beyond its ends, samples some of its vertices and
// edges, and asks a deformation graph for values; the same for the graph and
// the children.
void ExerciseCurves(CG_GraphicObject& object, int depth = 0) {
  if (depth > 50) return;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  if (auto* graph = dynamic_cast<CG_PathControl*>(&object)) {
    for (double x : {-1.0, 0.0, 0.3, 0.5, 1.0, 2.5, nan}) graph->PointAt(x);
    if (graph->Graph() != nullptr) ExerciseCurves(const_cast<CG_GraphicObject&>(*graph->Graph()), depth + 1);
  }
  Seq<CG_GraphicObject*> children;
  if (object.GetChildren(children)) {
    for (std::uint32_t i = 0; i < children.Count(); ++i) ExerciseCurves(*children[i], depth + 1);
  }
  if (!object.IsCurve()) return;
  const bool rational = dynamic_cast<const CG_NURBSCurve*>(&object) != nullptr;
  const double low = object.ParamMin();
  const double high = object.ParamMax();
  for (double t : {low, high, high + 0.25, (low + high) / 2, low - 1, nan}) {
    Point3D p;
    object.Evaluate(t, p);
    if (rational) Check(IsFinite(p));
  }
  const int vertices = object.VertexCount();
  Check(vertices >= 0);
  for (int j = 0; j < 40 && j < vertices; ++j) {
    Point3D p;
    object.Vertex(static_cast<int>(static_cast<long long>(vertices - 1) * j / 39), p);
    if (rational) Check(IsFinite(p));
  }
  const int edges = object.EdgeCount();
  Check(edges >= 0);
  for (int j = 0; j < 40 && j < edges; ++j) {
    int a = 0, b = 0;
    object.Edge(static_cast<int>(static_cast<long long>(edges - 1) * j / 39), a, b);
    Check(a >= 1 && a <= vertices && b >= 1 && b <= vertices);
  }
}

// Traces a few rays through blobs and abstract VRML nodes, and asks fields
// for displacements (their object's inside test and the evaluator); the same
// for the children.
void ExerciseProcedural(CG_GraphicObject& object, int depth = 0) {
  if (depth > 50) return;
  Seq<CG_GraphicObject*> children;
  if (object.GetChildren(children)) {
    for (std::uint32_t i = 0; i < children.Count(); ++i) ExerciseProcedural(*children[i], depth + 1);
  }
  if (object.IsField()) {
    Point3D v;
    for (const Point3D& p : {Point3D{0, 0, 0}, Point3D{0.5, -1, 2}, Point3D{100, 0, 0}}) object.FieldDisplacement(p, v);
  }
  if (dynamic_cast<GBlob*>(&object) == nullptr && dynamic_cast<CG_AbstractVRMLNode*>(&object) == nullptr) return;
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = object.NewIntrInfo();
  if (!record) return;
  for (const Ray& ray : {Ray{{0, 0, -5}, {0, 0, 1}}, Ray::FromDirection({-3, 0.2, 0.1}, {1, 0, 0.05})}) {
    const int n = object.Intersect(ray, *record);
    for (int i = 0; i < n && i < 8; ++i) {
      Check(std::isfinite(record->Value(i)));
      CG_MaterialPhong material;
      Point3D point;
      Point3D normal;
      object.HitDetails(ray, *record, i, material, point, normal);
      Check(IsFinite(point));
    }
  }
}

// A CSG reader of the registry's that reads with "_csg_convert" 0.
class CsgWithoutConversion : public CG_CSGModule {
public:
  using CG_CSGModule::CG_CSGModule;
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override {
    struct Off {
      explicit Off(int& flag) : value(flag), kept(flag) { value = 0; }
      ~Off() { value = kept; }
      int& value;
      int kept;
    } off(scene.GetParam()._csg_convert);
    return CG_CSGModule::Read(scene, scanner, data);
  }
};

int CountLines(const std::string& text) {
  int lines = 1;
  for (char c : text) lines += c == '\n';
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zavo-fuzz-scene-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (dir == nullptr) std::abort();
  workDirectory = new fs::path(dir);
  std::atexit([] {
    std::error_code error;
    fs::remove_all(*workDirectory, error);
  });
  InWorkDirectory inside;
  fs::create_directory("textures");
  BitmapManager image;
  image.Create(2, 2);
  image.Save("wood.bmp");
  image.Save("textures/Stone.bmp");
  {
    std::ofstream cube("cube.brp");
    cube << kCube;
    std::ofstream wing("wing.bzr");
    wing << "{ bezier\n{ patch\n";
    for (int k = 0; k < 16; ++k) wing << "( " << k % 4 << " , " << k / 4 << " , " << (k % 5 == 0) << " )\n";
    wing << "}\n}\n";
    std::ofstream hull("hull.nrb");
    hull << "{ NURBS\n{ patch orderx 2; ordery 2; dimx 2; dimy 2;\n{ 0; 0; 1; 1; }\n{ 0; 0; 1; 1; }\n"
            "( 0 , 0 , 0 ) , 1;\n( 1 , 0 , 0 ) , 1;\n( 0 , 1 , 0 ) , 1;\n( 1 , 1 , 1 ) , 2;\n}\n}\n.\n";
    std::ofstream drop("drop.blb");
    drop << "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1 1\nsphere = 0.8 0 0 0.7 -0.5\n";
    std::ofstream broken("broken.blb");
    broken << "[blob1.0]\nsphere = 0 0 0 1\n";
    std::ofstream grid("grid.bsp");
    grid << "4 4\n";
    for (int k = 0; k < 16; ++k) grid << k / 4 << " " << k % 4 << " " << (k == 5) << "\n";
  }
  filesInDirectory = CountFiles();

  registry = new CG_ModelRegistry();
  BuildRegistry(*registry);
  zavo::AddDocumentModelModules(*registry);
  zavo::test::AddFakeModules(*registry);
  // "{ vrc" sections make the camera objects of the registry, not the fake ones.
  registry->SetCameraFactory(zavo::NewCameraObject);
  // Found before the registry's own CSG modules.
  registry->modelModules.Prepend(
      new CsgWithoutConversion("union", CSGUnionIntervals, zavo::CSGUnionBound, MeshUnion));
  registry->modelModules.Prepend(
      new CsgWithoutConversion("subtract", CSGSubtractIntervals, zavo::CSGSubtractBound, MeshSubtract));
  registry->modelModules.Prepend(
      new CsgWithoutConversion("intersect", CSGIntersectIntervals, zavo::CSGIntersectBound, MeshIntersect));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  InWorkDirectory inside;
  struct CachesRemoved {
    ~CachesRemoved() { RemoveCaches(); }
  } cachesRemoved;
  CG_GraphicScene scene(*registry);
  scene.SetTexturePath("textures");
  std::istringstream in(text);
  const int loaded = scene.Load(in);
  Check(CountFiles() == filesInDirectory);
  if (!loaded) {
    Check(scene.GetErrorCode() >= 1 && scene.GetErrorCode() <= 5);
    Check(scene.GetErrorMessage() != nullptr);
    Check(scene.GetErrorLine() >= 1 && scene.GetErrorLine() <= CountLines(text));
    return 0;
  }
  for (const CG_GraphicObject& object : scene.GetObjects()) {
    ExerciseCurves(const_cast<CG_GraphicObject&>(object));
    ExerciseProcedural(const_cast<CG_GraphicObject&>(object));
  }
  if (!EveryObjectHasAName(scene)) return 0;

  const std::string first = Written(scene);
  CG_GraphicScene second(*registry);
  second.SetTexturePath("textures");
  std::istringstream secondIn(first);
  Check(second.Load(secondIn) == 1);
  const std::string again = Written(second);
  CG_GraphicScene third(*registry);
  third.SetTexturePath("textures");
  std::istringstream thirdIn(again);
  Check(third.Load(thirdIn) == 1);
  Check(Written(third) == again);
  return 0;
}
