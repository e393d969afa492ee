#pragma once
// A module document working in a temporary directory of its own, whose scene
// has the model path "models", and the small model files a user would keep
// there: a cube of twelve triangles, a tetrahedron, one Bezier patch and a
// blob of two elements. The Top view (view 0) is current and shows x
// -10..10, y -5..5 (z -3.7..4.1 stored).

#include <filesystem>
#include <string>

#include "common/temp_dir.h"
#include "editor/modules/model_list.h"
#include "module_fixture.h"

namespace zavo::test {

inline const char kCubeMesh[] =
    "{ pbrep\nvertices 8\n"
    "-0.65 -0.65 -0.65  0.65 -0.65 -0.65  0.65 0.65 -0.65  -0.65 0.65 -0.65\n"
    "-0.65 -0.65 0.65  0.65 -0.65 0.65  0.65 0.65 0.65  -0.65 0.65 0.65\n"
    "faces 12\n"
    "{ 1 { 3  0 2 1 } }  { 1 { 3  0 3 2 } }  { 1 { 3  4 5 6 } }  { 1 { 3  4 6 7 } }\n"
    "{ 1 { 3  0 1 5 } }  { 1 { 3  0 5 4 } }  { 1 { 3  1 2 6 } }  { 1 { 3  1 6 5 } }\n"
    "{ 1 { 3  2 3 7 } }  { 1 { 3  2 7 6 } }  { 1 { 3  3 0 4 } }  { 1 { 3  3 4 7 } }\n}\n";

inline const char kTetraMesh[] =
    "{ pbrep\nvertices 4\n0 0 0  1.3 0 0  0 1.3 0  0 0 1.3\nfaces 4\n"
    "{ 1 { 3  0 2 1 } }  { 1 { 3  0 1 3 } }  { 1 { 3  1 2 3 } }  { 1 { 3  0 3 2 } }\n}\n";

// One patch, a gentle dome over -1.5..1.5.
inline const char kOnePatch[] =
    "{ bezier\n{ patch\n"
    "( -1.5 , -1.5 , 0 ) ( -1.5 , -0.5 , 0.3 ) ( -1.5 , 0.5 , 0.3 ) ( -1.5 , 1.5 , 0 )\n"
    "( -0.5 , -1.5 , 0.3 ) ( -0.5 , -0.5 , 0.9 ) ( -0.5 , 0.5 , 0.9 ) ( -0.5 , 1.5 , 0.3 )\n"
    "( 0.5 , -1.5 , 0.3 ) ( 0.5 , -0.5 , 0.9 ) ( 0.5 , 0.5 , 0.9 ) ( 0.5 , 1.5 , 0.3 )\n"
    "( 1.5 , -1.5 , 0 ) ( 1.5 , -0.5 , 0.3 ) ( 1.5 , 0.5 , 0.3 ) ( 1.5 , 1.5 , 0 )\n}\n}\n";

// One bilinear NURBS patch, gently tilted, as a model file keeps it.
inline const char kOneNURBSPatch[] =
    "{ NURBS\n{ patch orderx 2; ordery 2; dimx 2; dimy 2;\n{ 0; 0; 1; 1; }\n{ 0; 0; 1; 1; }\n"
    "( -1.5 , -1.5 , 0 ) , 1;\n( 1.5 , -1.5 , 0.3 ) , 1;\n( -1.5 , 1.5 , 0.3 ) , 1;\n( 1.5 , 1.5 , 0.9 ) , 1;\n}\n}\n.\n";

inline const char kTwoDrops[] = "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1.3 1\nsphere = 0.9 0 0 1.1 1\n";

class ModelFileDocument : public ModuleDocument {
public:
  ModelFileDocument() : cwd(dir.path()) {
    std::filesystem::create_directories(dir / "models");
    editor->scene.SetModelPath("models");
    SetBox(0, {-10, -5, -3.7}, {10, 5, 4.1});
    editor->activeView = 0;
  }

  // A file of the working directory (or under it).
  void Put(const std::string& name, const std::string& text) { WriteFile(dir / name, text); }

  TempDir dir;
  ScopedCwd cwd;
};

// Lowers the object number bound for the lifetime of the object.
class ScopedObjectNumberLimit {
public:
  explicit ScopedObjectNumberLimit(int limit) : previous_(SetObjectNumberLimit(limit)) {}
  ~ScopedObjectNumberLimit() { SetObjectNumberLimit(previous_); }
  ScopedObjectNumberLimit(const ScopedObjectNumberLimit&) = delete;
  ScopedObjectNumberLimit& operator=(const ScopedObjectNumberLimit&) = delete;

private:
  int previous_;
};

}  // namespace zavo::test
