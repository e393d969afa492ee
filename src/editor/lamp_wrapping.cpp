// Wrapping lamps of the lamp list in transform lamps, inserting steps, and
// the rotate, scale and translate operations on a lamp in the scene.

#include "editor/lamp_wrapping.h"

#include "editor/graphic_editor.h"
#include "editor/wrapper_steps.h"

namespace {

int AddStep(GTransfLamp* wrapper, zavo::StepPlace place, std::int32_t kind, double x, double y, double z) {
  return zavo::AddWrapperStep<CG_TransfLampDescription, lt_Data>(wrapper, place, kind, x, y, z);
}

bool InLampList(const CG_GraphicScene& scene, const CG_LightSource* lamp) {
  for (const CG_LightSource& l : scene.GetLights()) {
    if (&l == lamp) return true;
  }
  return false;
}

enum class LampStep { kTranslate, kRotate, kScale };

// The lamp in the scene under a transform lamp (wrapped at its position when
// it is not one yet), with the step added: a translation at the end, a
// rotation or scale just before the second translate step, so that it acts
// about the lamp's position. The lamp now in the scene; null for a lamp that
// is not in the lamp list.
CG_LightSource* StepLamp(CG_GraphicEditor& editor, CG_LightSource* lamp, LampStep step, double x, double y,
                         double z) {
  if (lamp == nullptr || !InLampList(editor.scene, lamp)) return nullptr;
  auto* wrapper = dynamic_cast<GTransfLamp*>(lamp);
  if (wrapper == nullptr) {
    std::unique_ptr<GTransfLamp> made = WrapLampInTransformAt(editor, lamp, lamp->Position());
    wrapper = made.get();
    // The lamp has just left the list: its name is free for the wrapper.
    if (editor.scene.AddLight(std::move(made)) == 0) return nullptr;
  }
  switch (step) {
    case LampStep::kTranslate:
      AddLampTranslation(editor, wrapper, x, y, z);
      break;
    case LampStep::kRotate:
      InsertLampRotationAt(editor, wrapper, x, y, z);
      break;
    case LampStep::kScale:
      InsertLampScaleAt(editor, wrapper, x, y, z);
      break;
  }
  return wrapper;
}

}  // namespace

int IsTransfLamp(const CG_LightSource* lamp) { return dynamic_cast<const GTransfLamp*>(lamp) != nullptr ? 1 : 0; }

std::unique_ptr<GTransfLamp> WrapLampInTransform(CG_GraphicEditor& editor, CG_LightSource* lamp) {
  if (lamp == nullptr || !InLampList(editor.scene, lamp)) return nullptr;
  const charString lampName = lamp->name;
  CG_TransfLampDescription description;
  description.lamp = editor.scene.DetachLight(lamp).release();
  description.ownsLamp = 1;
  // An empty list always has an inverse: the wrapper takes the lamp.
  return std::make_unique<GTransfLamp>(lampName.Text(), nullptr, description);
}

std::unique_ptr<GTransfLamp> WrapLampInTransformAt(CG_GraphicEditor& editor, CG_LightSource* lamp,
                                                   const Point3D& p) {
  std::unique_ptr<GTransfLamp> wrapper = WrapLampInTransform(editor, lamp);
  if (wrapper == nullptr) return nullptr;
  // 0 - v: a zero point gives +0 (written "0", never "-0").
  AddLampTranslation(editor, wrapper.get(), 0.0 - p.x, 0.0 - p.y, 0.0 - p.z);
  AddLampTranslation(editor, wrapper.get(), p.x, p.y, p.z);
  return wrapper;
}

int AddLampTranslation(CG_GraphicEditor&, GTransfLamp* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kEnd, zavo::kStepTranslate, x, y, z);
}

int InsertLampRotation(CG_GraphicEditor&, GTransfLamp* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeFirstTranslate, zavo::kStepRotate, x, y, z);
}

int InsertLampScale(CG_GraphicEditor&, GTransfLamp* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeFirstTranslate, zavo::kStepScale, x, y, z);
}

int InsertLampRotationAt(CG_GraphicEditor&, GTransfLamp* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeSecondTranslate, zavo::kStepRotate, x, y, z);
}

int InsertLampScaleAt(CG_GraphicEditor&, GTransfLamp* wrapper, double x, double y, double z) {
  return AddStep(wrapper, zavo::StepPlace::kBeforeSecondTranslate, zavo::kStepScale, x, y, z);
}

CG_LightSource* CG_GraphicEditor::TranslateLampBy(CG_LightSource* lamp, double x, double y, double z) {
  return StepLamp(*this, lamp, LampStep::kTranslate, x, y, z);
}

CG_LightSource* CG_GraphicEditor::RotateLampBy(CG_LightSource* lamp, double x, double y, double z) {
  return StepLamp(*this, lamp, LampStep::kRotate, x, y, z);
}

CG_LightSource* CG_GraphicEditor::ScaleLampBy(CG_LightSource* lamp, double x, double y, double z) {
  return StepLamp(*this, lamp, LampStep::kScale, x, y, z);
}
