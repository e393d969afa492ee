// Wrapping scene objects in transfs and inserting transformation steps.

#include "editor/transform_wrapping.h"

#include <cmath>

#include "editor/graphic_editor.h"
#include "foundation/matrix.h"

namespace {

// Where a new step goes: at the end (0), before the first translate step (1)
// or before the second one (2).
enum class Place { kEnd, kBeforeFirstTranslate, kBeforeSecondTranslate };

int AddStep(GTransf* wrapper, Place place, std::int32_t kind, double x, double y, double z) {
  if (wrapper == nullptr) return 0;
  // A value that is not a number, or a scale factor 0, would leave the
  // wrapper without a usable inverse (the matrix test misses some of them).
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return 0;
  if (kind == zavo::kStepScale && (x == 0.0 || y == 0.0 || z == 0.0)) return 0;
  CG_TransfDescription description;
  wrapper->GetTransformList(description);
  List<t_Data> kept;
  kept.CopyFrom(description.steps);

  int wanted = place == Place::kBeforeFirstTranslate ? 1 : place == Place::kBeforeSecondTranslate ? 2 : 0;
  t_Data* previous = nullptr;
  t_Data* step = description.steps.First();
  int translates = 0;
  while (step != nullptr) {
    if (step->kind == zavo::kStepTranslate && ++translates == wanted) break;
    previous = step;
    step = List<t_Data>::Next(step);
  }
  auto* added = new t_Data(kind, x, y, z);
  if (step == nullptr) {
    description.steps.Append(added);
  } else {
    description.steps.InsertAfter(previous, added);
  }
  try {
    wrapper->SetTransformList(description);
    return 1;
  } catch (const xMatrix&) {
    // The old list always has an inverse: the wrapper takes it back whole.
    description.steps.Clear();
    description.steps.CopyFrom(kept);
    wrapper->SetTransformList(description);
    return 0;
  }
}

}  // namespace

int IsTransformObject(const CG_GraphicObject* object) {
  return dynamic_cast<const GTransf*>(object) != nullptr ? 1 : 0;
}

std::unique_ptr<GTransf> WrapInTransform(CG_GraphicEditor& editor, CG_GraphicObject* object) {
  if (object == nullptr) return nullptr;
  bool inScene = false;
  for (CG_GraphicObject& o : editor.scene.GetObjects()) inScene = inScene || &o == object;
  if (!inScene) return nullptr;
  CG_GraphicObjectCommData data;
  data.name = object->name;
  CG_TransfDescription description;
  description.child = editor.scene.DetachObject(object).release();
  description.ownsChild = 1;
  // An empty list always has an inverse: the wrapper takes the object.
  return std::make_unique<GTransf>(data, description);
}

std::unique_ptr<GTransf> WrapInTransformAt(CG_GraphicEditor& editor, CG_GraphicObject* object,
                                           const Point3D& p) {
  std::unique_ptr<GTransf> wrapper = WrapInTransform(editor, object);
  if (wrapper == nullptr) return nullptr;
  // 0 - v: a zero point gives +0 (written "0", never "-0").
  AddTranslation(editor, wrapper.get(), 0.0 - p.x, 0.0 - p.y, 0.0 - p.z);
  AddTranslation(editor, wrapper.get(), p.x, p.y, p.z);
  return wrapper;
}

int AddTranslation(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, Place::kEnd, zavo::kStepTranslate, x, y, z);
}

int InsertRotation(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, Place::kBeforeFirstTranslate, zavo::kStepRotate, x, y, z);
}

int InsertScale(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, Place::kBeforeFirstTranslate, zavo::kStepScale, x, y, z);
}

int InsertRotationAt(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, Place::kBeforeSecondTranslate, zavo::kStepRotate, x, y, z);
}

int InsertScaleAt(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, Place::kBeforeSecondTranslate, zavo::kStepScale, x, y, z);
}
