#pragma once

// Putting a lamp of the editor's lamp list under a transform lamp and adding
// one step to a transform lamp's list; the rotate, scale and translate
// operations on a lamp in the scene (CG_GraphicEditor::RotateLampBy ...) are
// built on these. Each step change takes the list out of the wrapper,
// changes it and gives it back, so that the wrapper's matrix is rebuilt at
// once.

#include <memory>

#include "geometry/point3d.h"
#include "models/core/transf_lamp.h"

class CG_GraphicEditor;
class CG_LightSource;

// 1 when the lamp is a transform lamp.
int IsTransfLamp(const CG_LightSource* lamp);

// Detaches the lamp from the editor's lamp list and hands back a new
// transform lamp with a copy of its name, an empty list and the lamp inside.
// The wrapper is not in the scene yet. Null (the lamp left where it was) for
// a lamp that is not in the lamp list.
std::unique_ptr<GTransfLamp> WrapLampInTransform(CG_GraphicEditor& editor, CG_LightSource* lamp);
// WrapLampInTransform, then translate(-p) and translate(p).
std::unique_ptr<GTransfLamp> WrapLampInTransformAt(CG_GraphicEditor& editor, CG_LightSource* lamp,
                                                   const Point3D& p);

// Each adds one step and answers 1; a step without an inverse (a scale
// factor 0) or with a value that is not finite leaves the list as it was and
// answers 0.
// A translate step at the end of the list.
int AddLampTranslation(CG_GraphicEditor& editor, GTransfLamp* wrapper, double x, double y, double z);
// A rotate or scale step before the first translate step (at the end when
// there is none).
int InsertLampRotation(CG_GraphicEditor& editor, GTransfLamp* wrapper, double x, double y, double z);
int InsertLampScale(CG_GraphicEditor& editor, GTransfLamp* wrapper, double x, double y, double z);
// A rotate or scale step just before the second translate step (at the end
// when there is none): in a list begun by WrapLampInTransformAt it acts
// about p.
int InsertLampRotationAt(CG_GraphicEditor& editor, GTransfLamp* wrapper, double x, double y, double z);
int InsertLampScaleAt(CG_GraphicEditor& editor, GTransfLamp* wrapper, double x, double y, double z);

// Takes a transform lamp's list and inner lamp out for as long as it lives
// and gives them back however the scope ends. The wrapper must not be used
// meanwhile; Lamp() is the inner lamp (null when it has none).
class InnerLampLoan {
public:
  explicit InnerLampLoan(GTransfLamp& wrapper) : wrapper_(wrapper) { wrapper_.GetTransformList(held_); }
  ~InnerLampLoan() {
    try {
      wrapper_.SetTransformList(held_);
    } catch (...) {
      // The steps came from the wrapper and have an inverse; nothing to do.
    }
  }
  InnerLampLoan(const InnerLampLoan&) = delete;
  InnerLampLoan& operator=(const InnerLampLoan&) = delete;

  CG_LightSource* Lamp() const { return held_.lamp; }
  // Another inner lamp in place of the held one, which is destroyed when the
  // wrapper owned it; the wrapper takes the new one and owns it.
  void Replace(CG_LightSource* lamp) {
    if (lamp == held_.lamp) return;
    if (held_.ownsLamp != 0) delete held_.lamp;
    held_.lamp = lamp;
    held_.ownsLamp = 1;
  }

private:
  GTransfLamp& wrapper_;
  CG_TransfLampDescription held_;
};
