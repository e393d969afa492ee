#pragma once
// A user's small scene for the modules that build objects from others: two
// overlapping spheres a and b, a third sphere c, an open polyline path and a
// lamp, every item in the active layer "work".

#include <string>
#include <vector>

#include "scene_document_fixture.h"

namespace zavo::test {

inline const char kCompositeScene[] =
    "{ lamp name sun; model { pointlamp pos ( -4 , 6 , 3 ); color (1,1,0.95); } }\n"
    "{ object name a; material standard; model { sphere center ( -0.35 , 0.2 , 0 ); radius 1.1; div 6; } }\n"
    "{ object name b; material standard; model { sphere center ( 0.45 , 0.2 , 0 ); radius 0.9; div 6; } }\n"
    "{ object name c; material standard; model { sphere center ( 3.3 , -2.7 , 0.4 ); radius 0.6; div 6; } }\n"
    "{ object name path; material standard; model { polyline open 1;"
    " p ( 0 , 0 , 0 ); p ( 1.3 , 0.4 , 0.7 ); p ( 2.9 , 1.1 , 1.6 ); } }\n";

class CompositeDocument : public SceneDocument {
public:
  explicit CompositeDocument(const std::string& objects = kCompositeScene) : SceneDocument(objects) {}

  // The scene's object names in scene order.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const CG_GraphicObject& object : editor->scene.GetObjects()) names.emplace_back(object.name.Text());
    return names;
  }
  const std::vector<std::string>& Messages() const { return fakes.system.messages; }
};

}  // namespace zavo::test
