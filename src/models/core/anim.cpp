#include "models/core/anim.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "foundation/matrix.h"
#include "models/core/transf.h"

namespace {

// v divided by its length; a zero vector stays zero.
Point3D Unit(const Point3D& v) {
  const double length = Length(v);
  return length > 0.0 ? v * (1.0 / length) : v;
}

// acos (a / sqrt (a^2 + b^2)) in [0, pi]; 0 when the root is 0.
double AngleOf(double a, double b) {
  const double root = std::sqrt(a * a + b * b);
  if (!(root > 0.0)) return 0.0;
  return std::acos(std::clamp(a / root, -1.0, 1.0));
}

double Alpha(const Point3D& d) { return AngleOf(d.x, d.y); }
double Beta(const Point3D& d) { return AngleOf(d.x, d.z); }

// The path's point at the fraction f of its parameter range.
Point3D PathPoint(const CG_GraphicObject& path, double f) {
  const double u0 = path.ParamMin();
  Point3D p;
  path.Evaluate(u0 + (path.ParamMax() - u0) * f, p);
  return p;
}

void Release(CG_GraphicObject*& object, int& owns) {
  if (owns && object != nullptr) delete object;
  object = nullptr;
  owns = 0;
}

}  // namespace

CG_AnimDescription::~CG_AnimDescription() {
  Release(object, ownsObject);
  Release(move, ownsMove);
  Release(rotate, ownsRotate);
}

GAnim::GAnim(const CG_GraphicObjectCommData& data, CG_AnimDescription& description) : NameOnlyObject(data) {
  SetDescription(description);
}

GAnim::~GAnim() {
  Release(object_, ownsObject_);
  Release(move_, ownsMove_);
  Release(rotate_, ownsRotate_);
}

void GAnim::SetDescription(CG_AnimDescription& description) {
  const auto take = [](CG_GraphicObject*& mine, int& owns, CG_GraphicObject*& given, int& givenOwns) {
    if (owns && mine != nullptr && mine != given) delete mine;
    mine = given;
    owns = givenOwns;
    given = nullptr;
    givenOwns = 0;
  };
  center_ = description.center;
  from_ = description.from;
  to_ = description.to;
  take(object_, ownsObject_, description.object, description.ownsObject);
  take(move_, ownsMove_, description.move, description.ownsMove);
  take(rotate_, ownsRotate_, description.rotate, description.ownsRotate);
}

void GAnim::GetDescription(CG_AnimDescription& description) {
  const auto give = [](CG_GraphicObject*& mine, int& owns, CG_GraphicObject*& taker, int& takerOwns) {
    if (takerOwns && taker != nullptr && taker != mine) delete taker;
    taker = mine;
    takerOwns = owns;
    mine = nullptr;
    owns = 0;
  };
  description.center = center_;
  description.from = from_;
  description.to = to_;
  give(object_, ownsObject_, description.object, description.ownsObject);
  give(move_, ownsMove_, description.move, description.ownsMove);
  give(rotate_, ownsRotate_, description.rotate, description.ownsRotate);
}

// ---- Frames ----

int GAnim::SetFrameCount(double count) {
  frameCount_ = count;
  return 1;
}

int GAnim::SetFrame(double frame) {
  frame_ = frame;
  return 1;
}

double GAnim::Fraction() const {
  if (frame_ < from_) return 0.0;
  if (frame_ > to_) return 1.0;
  double n = std::trunc(std::fabs(to_ - from_));
  if (n == 0.0) n = 1.0;
  return (frame_ - from_) / n;
}

void GAnim::FrameSteps(List<t_Data>& steps) const {
  const double f = Fraction();
  if (rotate_ != nullptr) {
    Point3D start;
    rotate_->Evaluate(rotate_->ParamMin(), start);
    const Point3D d0 = Unit(start);
    const Point3D d1 = Unit(PathPoint(*rotate_, f));
    steps.Append(new t_Data(zavo::kStepTranslate, -center_.x, -center_.y, -center_.z));
    steps.Append(new t_Data(zavo::kStepRotate, 0.0, 0.0, Alpha(d0)));
    steps.Append(new t_Data(zavo::kStepRotate, 0.0, Beta(d0), 0.0));
    steps.Append(new t_Data(zavo::kStepRotate, 0.0, 0.0, -Alpha(d1)));
    steps.Append(new t_Data(zavo::kStepRotate, 0.0, -Beta(d1), 0.0));
    steps.Append(new t_Data(zavo::kStepTranslate, center_.x, center_.y, center_.z));
  }
  if (move_ != nullptr) {
    const Point3D p = PathPoint(*move_, f) - center_;
    steps.Append(new t_Data(zavo::kStepTranslate, p.x, p.y, p.z));
  }
}

// ---- Declass ----

int GAnim::WrapObject(zavo::DeclassedParts& parts) const {
  CG_GraphicObjectCommData data;
  data.name = object_->name;
  CG_TransfDescription description;
  FrameSteps(description.steps);
  description.child = object_;
  description.ownsChild = 0;
  try {
    auto wrapper = std::make_unique<GTransf>(data, description);
    parts.SetSize(1);
    parts[0].object = wrapper.release();
    parts[0].owned = 1;
    return 1;
  } catch (const xMatrix&) {
    return 0;
  }
}

int GAnim::WrapParts(zavo::DeclassedParts& parts, zavo::DeclassedParts& objectParts) const {
  List<t_Data> steps;
  FrameSteps(steps);
  Transformation forward;
  Transformation inverse;
  try {
    ComposeSteps(steps, forward, inverse);
  } catch (const xMatrix&) {
    zavo::ReleaseDeclassedParts(objectParts);
    return 0;
  }
  return zavo::WrapPartsInTransfs(steps, parts, objectParts);
}

int GAnim::DeclassToRayTraceable(zavo::DeclassedParts& parts) {
  if (object_ == nullptr) return 0;
  if (object_->IsRayTraceable()) return WrapObject(parts);
  zavo::DeclassedParts own;
  if (!object_->DeclassToRayTraceable(own)) {
    zavo::ReleaseDeclassedParts(own);
    return 0;
  }
  return WrapParts(parts, own);
}

int GAnim::DeclassToFaced(zavo::DeclassedParts& parts, int) {
  if (object_ == nullptr) return 0;
  if (object_->IsFaced(0)) return WrapObject(parts);
  zavo::DeclassedParts own;
  if (!object_->DeclassToFaced(own, 0)) {
    zavo::ReleaseDeclassedParts(own);
    return 0;
  }
  return WrapParts(parts, own);
}

int GAnim::DeclassToTriangleMesh(zavo::DeclassedParts& parts) {
  if (object_ == nullptr) return 0;
  if (object_->IsTriangleMesh()) return WrapObject(parts);
  zavo::DeclassedParts own;
  if (!object_->DeclassToTriangleMesh(own)) {
    zavo::ReleaseDeclassedParts(own);
    return 0;
  }
  return WrapParts(parts, own);
}

int GAnim::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) {
  if (object_ == nullptr) return 0;
  if (object_->IsIndexedMesh()) return WrapObject(parts);
  zavo::DeclassedParts own;
  if (!object_->DeclassToIndexedMesh(own, 0)) {
    zavo::ReleaseDeclassedParts(own);
    return 0;
  }
  return WrapParts(parts, own);
}

int GAnim::GetChildren(Seq<CG_GraphicObject*>& children) {
  CG_GraphicObject* present[3];
  std::uint32_t n = 0;
  for (CG_GraphicObject* child : {object_, move_, rotate_}) {
    if (child != nullptr) present[n++] = child;
  }
  children.SetSize(n);
  for (std::uint32_t i = 0; i < n; ++i) children[i] = present[i];
  return 1;
}
