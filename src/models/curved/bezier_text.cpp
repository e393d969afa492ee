// The Bezier patch model's texts: the patch text, the object block and the
// reader module.

#include <memory>
#include <ostream>
#include <string>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/curved/bezier.h"
#include "models/curved/patch_model.h"
#include "scene/scene.h"

int GBezier::ReadPatches(ScannerMemo& s, List<CG_BezierPatch>& patches) {
  using zavo::TokenIs;
  if (!TokenIs(s, "{")) return 0;
  s.Next();
  if (!TokenIs(s, "bezier")) return 0;
  s.Next();
  for (;;) {
    if (TokenIs(s, "}")) {
      s.Next();
      return 1;
    }
    if (!TokenIs(s, "{")) return 0;
    s.Next();
    if (!TokenIs(s, "patch")) return 0;
    s.Next();
    auto patch = std::make_unique<CG_BezierPatch>();
    for (int k = 0; k < 16; ++k) {
      Point3D p;
      if (!ReadPoint3D(p, s)) return 0;
      patch->SetControl(k % 4, k / 4, p);
    }
    if (!TokenIs(s, "}")) return 0;
    s.Next();
    patches.Append(patch.release());
  }
}

void GBezier::WritePatches(std::ostream& os, const List<CG_BezierPatch>& patches) {
  zavo::ClassicNumbers classic(os);
  os << "{ bezier\n";
  for (const CG_BezierPatch& patch : patches) {
    os << "\t{ patch\n";
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r < 4; ++r) {
        os << "\t\t";
        WritePoint3D(patch.Control(r, c), os);
        os << "\n";
      }
      os << "\n";
    }
    os << "\t}\n";
  }
  os << "}\n";
}

void GBezier::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { bezier\n";
  if (embedded_) {
    os << "\t\tmodel ";
    WritePatches(os, patches_);
    os << "\n";
  } else {
    os << "\t\tname " << modelName_ << ";\n";
  }
  os << "\t\tdiv " << div_ << ";\n\t\tcache " << cache_ << ";\n\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_BezierModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                        CG_GraphicObjectCommData& data) {
  using zavo::TokenIs;
  CG_BezierDescription d;
  bool haveName = false;
  while (!TokenIs(s, "}")) {
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    const std::string word = s.Text();
    s.Next();
    if (word == "model") {
      if (!GBezier::ReadPatches(s, d.patches)) return nullptr;
      d.embedded = 1;
      continue;
    }
    if (word == "name") {
      const std::string name = s.Text();
      const charString found = scene.FindModelFile(name.c_str(), "bzr");
      if (found.Text() == nullptr) {
        scene.SetError(4, ("file \"" + name + ".bzr\" not found in model path").c_str());
        return nullptr;
      }
      d.modelPath = found;
      d.modelName = name.c_str();
      haveName = true;
    } else if (word == "div") {
      if (!zavo::LeadingInteger(s.Text(), d.div)) return nullptr;
    } else if (word == "cache") {
      if (!zavo::LeadingInteger(s.Text(), d.cache)) return nullptr;
    } else {
      return nullptr;
    }
    s.Next();
    if (!TokenIs(s, ";")) return nullptr;
    s.Next();
  }
  s.Next();
  if (!d.embedded && !haveName) return nullptr;
  d.hierKind = scene.GetParam()._brep_optimiz;
  d.gridDim = scene.GetParam()._brep_grid_dim;
  d.progress = &scene.GetInterface();
  auto object = std::make_unique<GBezier>(data, d);
  if (object->LoadResult() == zavo::ModelLoad::kNotFound) {
    scene.SetError(4, ("file \"" + zavo::TextOf(d.modelName) + ".bzr\" not found in model path").c_str());
    return nullptr;
  }
  if (object->LoadResult() == zavo::ModelLoad::kBadContent) {
    scene.SetError(5, ("Error in bezier model " + zavo::TextOf(d.modelPath) + ".bzr").c_str());
    return nullptr;
  }
  return object;
}
