// The spline surface's texts: the object block and the reader module.

#include <memory>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "models/curved/spline.h"
#include "scene/scene.h"

void GSpline::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { ucbspline\n\t\tname " << modelName_ << ";\n";
  if (usebrep_ == 0) os << "\t\tusebrep 0;\n";
  os << "\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_SplineModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                        CG_GraphicObjectCommData& data) {
  using zavo::TokenIs;
  CG_SplineDescription d;
  bool haveName = false;
  while (!TokenIs(s, "}")) {
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    const std::string word = s.Text();
    s.Next();
    if (word == "name") {
      d.modelName = s.Text();
      haveName = true;
    } else if (word == "usebrep") {
      double value = 0.0;
      int flag = 0;
      if (!zavo::TokenToDoubleOrZero(s, value) || !zavo::TruncateToInt(value, flag)) return nullptr;
      d.usebrep = flag;
    } else {
      return nullptr;
    }
    s.Next();
    if (!TokenIs(s, ";")) return nullptr;
    s.Next();
  }
  s.Next();
  if (!haveName) return nullptr;
  // The model directory (the working directory when none is set) and the name.
  const std::string name = zavo::TextOf(d.modelName);
  const char* directory = scene.GetModelPath();
  const std::string path =
      directory != nullptr && directory[0] != '\0' ? std::string(directory) + "/" + name : name;
  d.modelPath = path.c_str();
  d.progress = &scene.GetInterface();
  auto object = std::make_unique<GSpline>(data, d);
  if (object->LoadResult() == zavo::ModelLoad::kNotFound) {
    scene.SetError(4, ("file \"" + name + ".bsp\" not found in model path").c_str());
    return nullptr;
  }
  if (object->LoadResult() == zavo::ModelLoad::kBadContent) {
    scene.SetError(5, ("Error in spline model " + path + ".bsp").c_str());
    return nullptr;
  }
  return object;
}
