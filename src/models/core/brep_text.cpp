// The brep's text: its reader module and its writer.

#include <cstring>
#include <ostream>
#include <string>

#include "foundation/scanner.h"
#include "geometry/real_text.h"
#include "models/core/brep.h"
#include "scene/scene.h"

void GBRep::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { brep";
  if (isInline_) {
    os << "\n\t\tmodel ";
    mesh_->Write(os, interp_hold_ != 0 ? 1 : 0);
    os << "\n\t\tcostr ";
  } else {
    os << "\n\t\tname " << modelName_ << ";\n\t\tcostr ";
  }
  os << costr_ << ";\n\t\tinterp " << interp_;
  if (!zavo::WrittenAlike(interp_ang_, zavo::kDefaultCreaseAngle)) os << ";\n\t\tinterp_ang " << interp_ang_;
  if (interp_hold_ != 0) os << ";\n\t\tinterp_hold " << interp_hold_;
  os << ";\n\t}\n}\n";
}

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_BRepModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                      CG_GraphicObjectCommData& data) {
  CG_BRepDescription description;
  description.costr = 1.2;
  bool haveName = false;
  bool haveModel = false;
  while (!Is(s, "}")) {
    if (s.Kind() != zavo::kTokenIdentifier) {
      scene.SetError(5, "attribute or '}' waited");
      return nullptr;
    }
    const std::string word = s.Text();
    s.Next();
    int ok = 1;
    if (word == "name") {
      const std::string token = s.Text();
      const charString found = scene.FindModelFile(token.c_str(), "brp");
      if (found.Text() == nullptr) {
        scene.SetError(4, ("file \"" + token + ".brp\" not found in model path").c_str());
        return nullptr;
      }
      description.path = found;
      description.name = token.c_str();
      haveName = true;
      s.Next();
      ok = scene.Expect(s, ';');
      if (ok) s.Next();
    } else if (word == "model") {
      auto mesh = std::make_unique<BRepModel3>("mod");
      if (!mesh->Read(s)) {
        scene.SetError(5, "Error in pbrep model");
        return nullptr;
      }
      description.mesh = std::move(mesh);
      description.isInline = 1;
      haveModel = true;
    } else if (word == "costr") {
      ok = zavo::ReadNumberAttribute(scene, s, description.costr, nullptr);
    } else if (word == "abspos") {
      double ignored = 0;
      ok = zavo::ReadNumberAttribute(scene, s, ignored, nullptr);
    } else if (word == "algoritm") {
      ok = zavo::ReadIntAttribute(scene, s, description.algorithm, nullptr);
    } else if (word == "interp") {
      ok = zavo::ReadIntAttribute(scene, s, description.interp, nullptr);
    } else if (word == "interp_ang") {
      ok = zavo::ReadNumberAttribute(scene, s, description.interp_ang, nullptr);
    } else if (word == "interp_hold") {
      ok = zavo::ReadIntAttribute(scene, s, description.interp_hold, nullptr);
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    if (!ok) return nullptr;
  }
  s.Next();
  if (!haveName && !haveModel) {
    scene.SetError(5, "Model name missing");
    return nullptr;
  }
  description.hierKind = scene.GetParam()._brep_optimiz;
  description.gridDim = scene.GetParam()._brep_grid_dim;
  description.progress = &scene.GetInterface();
  auto object = std::make_unique<GBRep>(data, description);
  if (!object->Loaded()) {
    const char* path = object->ModelPath() != nullptr ? object->ModelPath() : "";
    scene.SetError(5, ("Error in pbrep model " + std::string(path) + ".brp").c_str());
    return nullptr;
  }
  return object;
}
