// Wrapping scene objects in transfs and inserting transformation steps.

#include "editor/transform_wrapping.h"

#include "editor/graphic_editor.h"
#include "editor/wrapper_steps.h"

namespace {

int AddStep(GTransf* wrapper, zavo::StepPlace place, std::int32_t kind, double x, double y, double z) {
  return zavo::AddWrapperStep<CG_TransfDescription, t_Data>(wrapper, place, kind, x, y, z);
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
  return AddStep(wrapper, zavo::StepPlace::kEnd, zavo::kStepTranslate, x, y, z);
}

int InsertRotation(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeFirstTranslate, zavo::kStepRotate, x, y, z);
}

int InsertScale(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeFirstTranslate, zavo::kStepScale, x, y, z);
}

int InsertRotationAt(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeSecondTranslate, zavo::kStepRotate, x, y, z);
}

int InsertScaleAt(CG_GraphicEditor&, GTransf* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeSecondTranslate, zavo::kStepScale, x, y, z);
}
