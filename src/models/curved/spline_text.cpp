// The spline surface's texts: the object block and the reader module.

#include <memory>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "models/curved/patch_model_text.h"
#include "models/curved/spline.h"

void GSpline::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { ucbspline\n\t\tname " << modelName_ << ";\n";
  if (usebrep_ == 0) os << "\t\tusebrep 0;\n";
  os << "\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_SplineModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                        CG_GraphicObjectCommData& data) {
  CG_SplineDescription d;
  bool haveName = false;
  const bool read = zavo::ReadModelBody(s, [&](const std::string& word, ScannerMemo& s) {
    if (word == "name") {
      d.modelName = s.Text();
      haveName = true;
      return zavo::BodyEntry::kSetting;
    }
    if (word == "usebrep") {
      double value = 0.0;
      int flag = 0;
      if (!zavo::TokenToDoubleOrZero(s, value) || !zavo::TruncateToInt(value, flag)) {
        return zavo::BodyEntry::kBad;
      }
      d.usebrep = flag;
      return zavo::BodyEntry::kSetting;
    }
    return zavo::BodyEntry::kBad;
  });
  if (!read || !haveName) return nullptr;
  // The model directory (the working directory when none is set) and the name.
  const std::string name = zavo::TextOf(d.modelName);
  const char* directory = scene.GetModelPath();
  const std::string path =
      directory != nullptr && directory[0] != '\0' ? std::string(directory) + "/" + name : name;
  d.modelPath = path.c_str();
  d.progress = &scene.GetInterface();
  auto object = std::make_unique<GSpline>(data, d);
  if (!zavo::ReportModelLoad(scene, object->LoadResult(), zavo::kSplineFile, name, path)) return nullptr;
  return object;
}
