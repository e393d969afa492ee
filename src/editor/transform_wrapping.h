#pragma once

// Putting an object of the editor's scene under a transf and adding one step
// to a transf's list. Each step change takes the list out of the wrapper,
// changes it and gives it back, so that the wrapper's matrices are rebuilt
// at once.

#include <memory>

#include "geometry/point3d.h"
#include "models/core/transf.h"

class CG_GraphicEditor;
class CG_GraphicObject;

// 1 when the object is a transf.
int IsTransformObject(const CG_GraphicObject* object);

// Detaches the object from the editor's scene and hands back a new transf of
// the same name with an empty list that owns the object. The wrapper is not
// in the scene yet. Null (the object left where it was) for an object that is
// not in the scene.
std::unique_ptr<GTransf> WrapInTransform(CG_GraphicEditor& editor, CG_GraphicObject* object);
// WrapInTransform, then translate(-p) and translate(p).
std::unique_ptr<GTransf> WrapInTransformAt(CG_GraphicEditor& editor, CG_GraphicObject* object, const Point3D& p);

// Each adds one step and answers 1; a step without an inverse (a scale
// factor 0) or with a value that is not finite leaves the list as it was and
// answers 0.
// A translate step at the end of the list.
int AddTranslation(CG_GraphicEditor& editor, GTransf* wrapper, double x, double y, double z);
// A rotate or scale step before the first translate step (at the end when
// there is none).
int InsertRotation(CG_GraphicEditor& editor, GTransf* wrapper, double x, double y, double z);
int InsertScale(CG_GraphicEditor& editor, GTransf* wrapper, double x, double y, double z);
// A rotate or scale step just before the second translate step (at the end
// when there is none): in a list begun by WrapInTransformAt it acts about p.
int InsertRotationAt(CG_GraphicEditor& editor, GTransf* wrapper, double x, double y, double z);
int InsertScaleAt(CG_GraphicEditor& editor, GTransf* wrapper, double x, double y, double z);
