#pragma once

// The editor module of the "beziercurve" model: a new cubic curve of four
// points, its control points edited in the views by the curve editing of the
// base, and the special command "rotation", which turns an open curve into a
// closed surface of revolution about the world z axis, written as bicubic
// patches to <name>.bzr in the working directory and added to the scene as a
// new bezier object.

#include <memory>

#include "editor/modules/curve_module.h"
#include "geometry/transformation.h"

class CG_BezierCurveEditorModule : public CG_GenericCurveEditorModule {
public:
  // "Creating beziercurve": four points along x from the centre of the
  // current view (a pending click is not used), tags 1, div 5, open.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // No dialog: null.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "rotation"; 1.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  // 0 "rotation": 1 when a bezier object was made; other numbers 0.
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;
  // "curve", "beziercurve".
  void Info(Seq<charString>& names) override;
  // 4.
  int MinControlCount(CG_GraphicObject& object) override;

  // The curve (outside the scene), its points through the wrapper's matrix
  // when given, becomes the profile (x, 0, y). The dialog "Rotation" asks
  // the "bezier name" (the curve's own name refused); an existing <name>.bzr
  // is replaced only on Yes; a closed curve ends there. The two ends go onto
  // the axis, the file is written (the mesh cache of an older model of that
  // name dropped) and the object read back. 1 when it was made, else 0.
  int Rotation(CG_GraphicEditor& editor, CG_GraphicObject& curve, const Transformation* wrapper);

private:
  // The editor the module last worked for.
  CG_GraphicEditor* currentEditor_ = nullptr;
};
