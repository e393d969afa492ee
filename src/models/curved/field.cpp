#include "models/curved/field.h"

#include <cctype>
#include <sstream>
#include <string>

#include "foundation/number_text.h"
#include "models/core/patch_model_based.h"
#include "scene/material.h"
#include "scene/scene.h"

namespace {

// The value an evaluation printed, read back as a decimal number: the
// longest leading number ("1e-07", "-2.5"); 0 when the text does not begin
// with one (a complex "[c ..." or vector "[v ..." value).
double LeadingNumber(const std::string& text) {
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  const std::size_t digitsFrom = end;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
  std::size_t digits = end - digitsFrom;
  if (end < text.size() && text[end] == '.') {
    const std::size_t from = ++end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    digits += end - from;
  }
  if (digits == 0) return 0.0;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exp = end + 1;
    if (exp < text.size() && (text[exp] == '-' || text[exp] == '+')) ++exp;
    const std::size_t from = exp;
    while (exp < text.size() && std::isdigit(static_cast<unsigned char>(text[exp]))) ++exp;
    if (exp > from) end = exp;
  }
  double value = 0.0;
  if (!zavo::NumberTextToDouble(std::string_view(text).substr(0, end), value)) return 0.0;
  return value;
}

}  // namespace

CG_FieldDescription::~CG_FieldDescription() {
  if (objectOwned) delete object;
  if (decorationOwned) delete decoration;
}

CG_Field::CG_Field(const CG_GraphicObjectCommData& data, CG_FieldDescription& description)
    : CG_GraphicObject(data) {
  SetDescription(description);
}

CG_Field::~CG_Field() { ReleaseParts(); }

void CG_Field::ReleaseParts() {
  if (objectOwned_) delete object_;
  if (decorationOwned_) delete decoration_;
  object_ = nullptr;
  decoration_ = nullptr;
  objectOwned_ = decorationOwned_ = 0;
}

void CG_Field::SetDescription(CG_FieldDescription& description) {
  // Parts handed back in are not destroyed on the way.
  if (description.object == object_) objectOwned_ = 0;
  if (description.decoration == decoration_) decorationOwned_ = 0;
  ReleaseParts();
  object_ = description.object;
  objectOwned_ = description.objectOwned;
  decoration_ = description.decoration;
  decorationOwned_ = description.decorationOwned;
  description.object = nullptr;
  description.decoration = nullptr;
  description.objectOwned = description.decorationOwned = 0;
  items_ = description.items;
  params_ = description.params;
  dfmat_ = description.dfmat;
  scene_ = description.scene;
  Compile();
  if (scene_ == nullptr || dfmat_.Text() == nullptr || !deformed_) return;
  CG_NamedMaterial* named = scene_->GetMaterials().Find(dfmat_.Text());
  if (named == nullptr) return;
  // The copy's mapping moves out into the record and back in.
  CG_GraphicObjectCommData data;
  deformed_->GetCommData(data);
  data.material = named;
  deformed_->SetCommData(data);
}

void CG_Field::GetDescription(CG_FieldDescription& description) {
  if (description.objectOwned) delete description.object;
  if (description.decorationOwned) delete description.decoration;
  description.object = object_;
  description.objectOwned = objectOwned_;
  description.decoration = decoration_;
  description.decorationOwned = decorationOwned_;
  object_ = nullptr;
  decoration_ = nullptr;
  objectOwned_ = decorationOwned_ = 0;
  description.items = items_;
  description.params = params_;
  description.dfmat = dfmat_;
  description.scene = scene_;
}

void CG_Field::Compile() {
  system_ = std::make_unique<EvalExpressionSystem>();
  varX_ = system_->DefineVariable("x");
  varY_ = system_->DefineVariable("y");
  varZ_ = system_->DefineVariable("z");
  rx_ = ry_ = rz_ = nullptr;
  itemVars_.SetSize(items_.Count());
  for (std::uint32_t i = 0; i < items_.Count(); ++i) {
    const CG_FieldItem& item = items_[i];
    DVar* var = system_->DefineVariable(item.name.c_str());
    itemVars_[i] = var;
    system_->Compile(var, item.text.c_str());
    if (item.name == "rx") rx_ = var;
    if (item.name == "ry") ry_ = var;
    if (item.name == "rz") rz_ = var;
  }
  paramItem_.SetSize(params_.Count());
  for (std::uint32_t p = 0; p < params_.Count(); ++p) {
    paramItem_[p] = -1;
    for (std::uint32_t i = 0; i < items_.Count(); ++i) {
      if (items_[i].name != params_[p].name) continue;
      system_->SetConstant(itemVars_[i], params_[p].value);
      paramItem_[p] = static_cast<int>(i);
    }
  }
  // Once per system: every definition adds a variable.
  result_ = system_->DefineVariable("result");
  Apply();
}

void CG_Field::Apply() {
  deformed_.reset();
  if (decoration_ == nullptr) return;
  deformed_ = decoration_->Clone();
  if (!deformed_) return;
  // Models made of points and faces move them through their own interface,
  // whose commit (UpdateModel, which would write the model file) is not
  // called; everything else through the curve operations.
  auto* patch = dynamic_cast<CG_PatchModelBased*>(deformed_.get());
  const int count = patch != nullptr ? patch->ControlCount() : deformed_->ControlCount();
  for (int i = 0; i < count; ++i) {
    Point3D p;
    if (!(patch != nullptr ? patch->GetControl(i, p) : deformed_->GetControl(i, p))) continue;
    Point3D d;
    if (!Displacement(p, d)) continue;  // a point that cannot be evaluated stays
    if (patch != nullptr) {
      patch->SetControl(i, p + d);
    } else {
      deformed_->SetControl(i, p + d);
    }
  }
}

int CG_Field::Displacement(const Point3D& p, Point3D& d) const {
  d = Point3D{0.0, 0.0, 0.0};
  if (!system_) return 0;
  system_->SetConstant(varX_, p.x);
  system_->SetConstant(varY_, p.y);
  system_->SetConstant(varZ_, p.z);
  DVar* const refs[3] = {rx_, ry_, rz_};
  double* const out[3] = {&d.x, &d.y, &d.z};
  for (int k = 0; k < 3; ++k) {
    if (refs[k] == nullptr) continue;  // no item: no displacement along this axis
    if (!system_->Evaluate(refs[k], result_)) return 0;
    std::ostringstream text;
    text.imbue(std::locale::classic());
    system_->Print(result_, text);
    *out[k] = LeadingNumber(text.str());
  }
  return 1;
}

int CG_Field::SetParameter(const char* name, double value) {
  for (std::uint32_t p = 0; p < params_.Count(); ++p) {
    if (name == nullptr || params_[p].name != name) continue;
    if (paramItem_[p] < 0) return 0;
    params_[p].value = value;
    system_->SetConstant(itemVars_[static_cast<std::uint32_t>(paramItem_[p])], value);
    return 1;
  }
  return 1;
}

int CG_Field::GetCommData(CG_GraphicObjectCommData& data) {
  data.name = name;
  return 1;
}

std::unique_ptr<CG_GraphicObjectCommData> CG_Field::NewCommData() const {
  auto data = std::make_unique<CG_GraphicObjectCommData>();
  data->name = name;
  return data;
}

int CG_Field::SetCommData(CG_GraphicObjectCommData& data) {
  name = data.name;
  return 1;
}

int CG_Field::DeclassToFaced(zavo::DeclassedParts& parts, int) {
  parts.SetSize(0);
  long n = 0;
  for (CG_GraphicObject* part : {object_, decoration_, deformed_.get()}) {
    if (part == nullptr) continue;
    parts.SetSize(n + 1);
    parts[n].object = part;
    parts[n].owned = 0;
    ++n;
  }
  return n > 0 ? 1 : 0;
}

int CG_Field::GetChildren(Seq<CG_GraphicObject*>& children) {
  std::uint32_t n = 0;
  for (CG_GraphicObject* part : {object_, decoration_}) {
    if (part != nullptr) ++n;
  }
  children.SetSize(n);
  n = 0;
  for (CG_GraphicObject* part : {object_, decoration_}) {
    if (part != nullptr) children[n++] = part;
  }
  return 1;
}

int CG_Field::FieldDisplacement(const Point3D& point, Point3D& vector) const {
  if (object_ != nullptr) {
    std::unique_ptr<CG_GraphicObjectIntrInfo> record = object_->NewIntrInfo();
    if (record) {
      const Ray ray{point, Point3D{1.0, 0.0, 0.0}};
      const int hits = object_->Intersect(ray, *record);
      record.reset();
      if (hits % 2 == 0) return 0;  // outside
    }
  }
  Point3D d;
  if (!Displacement(point, d)) return 0;
  vector = d;
  return 1;
}
