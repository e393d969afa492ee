#pragma once
// Reading back what the modules made: the text they write, the steps and
// child of a transform wrapper, the number fields of a solid, the material of
// an object.

#include <array>
#include <locale>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "editor/editor_modules.h"
#include "foundation/seq.h"
#include "models/core/cone.h"
#include "models/core/cone_lamp.h"
#include "models/core/cylinder.h"
#include "models/core/point_lamp.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "scene/material.h"

namespace zavo::test {

using Step = std::array<double, 4>;  // kind, three values

// The path of names a module's Info gives (category, then name).
inline std::vector<std::string> InfoOf(CG_ObjectEditorModule& module) {
  Seq<charString> names;
  module.Info(names);
  std::vector<std::string> out;
  for (std::uint32_t i = 0; i < names.Count(); ++i) out.emplace_back(names[i].Text());
  return out;
}

// What write(stream) writes, in the classic locale.
template <class Write>
std::string TextOf(Write write) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  write(os);
  return os.str();
}

// The wrapper's steps; its child in child. The wrapper is left as it was.
inline std::vector<Step> StepsOf(GTransf& wrapper, CG_GraphicObject*& child) {
  CG_TransfDescription description;
  wrapper.GetTransformList(description);
  std::vector<Step> steps;
  for (const t_Data& step : description.steps) steps.push_back({double(step.kind), step.v[0], step.v[1], step.v[2]});
  child = description.child;
  wrapper.SetTransformList(description);
  return steps;
}

// The named fields of a solid or lamp object: "x", "y", "z" of its centre,
// "radius", "high", "div".
inline std::map<std::string, double> FieldsOf(CG_GraphicObject& object) {
  std::map<std::string, double> out;
  if (auto* lamp = dynamic_cast<GXPointLamp*>(&object)) {
    CG_XPointLampDescription d;
    lamp->GetDescription(d);
    out = {{"x", d.center.x}, {"y", d.center.y}, {"z", d.center.z}, {"radius", d.radius}, {"div", d.div},
           {"r", d.color.x}, {"g", d.color.y}, {"b", d.color.z}};
  } else if (auto* sphere = dynamic_cast<GSphere*>(&object)) {
    CG_SphereDescription d;
    sphere->GetDescription(d);
    out = {{"x", d.center.x}, {"y", d.center.y}, {"z", d.center.z}, {"radius", d.radius}, {"div", d.div}};
  } else if (auto* solid = dynamic_cast<zavo::AxialSolid*>(&object)) {
    zavo::AxialSolidDescription d;
    solid->GetDescription(d);
    out = {{"radius", d.radius}, {"high", d.high}, {"div", d.div}};
  }
  return out;
}

inline const CG_NamedMaterial* MaterialOf(const CG_GraphicObject& object) {
  Seq<CG_NamedMaterial*> materials;
  object.GetMaterials(materials);
  return materials.Count() > 0 ? materials[0] : nullptr;
}

template <class T>
std::size_t CountOf(const T& list) {
  std::size_t n = 0;
  for (const auto& item : list) {
    (void)item;
    ++n;
  }
  return n;
}

}  // namespace zavo::test
