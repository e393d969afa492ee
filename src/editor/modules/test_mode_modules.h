#pragma once

// The editor modules that the editor installs only in test mode: the
// abstract VRML node ("AbstractVRMLNode") and the spline surface
// ("ucbspline", a surface loaded from a ".bsp" model file).

#include <memory>

#include "editor/editor_modules.h"

class CG_AbstractVRMLNodeEditorModule : public CG_ObjectEditorModule {
public:
  // "Creating AbstractVRMLNode": centre (0, 0, 0), radius 1, div 6, shown,
  // no associations, whatever the view.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // Null: nothing to edit.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "meta", "AbstractVRMLNode".
  void Info(Seq<charString>& names) override;
};

class CG_UCBSplineEditorModule : public CG_ObjectEditorModule {
public:
  // A model of the model list (".bsp") named after it (made free with "_2"
  // and on). A model file that cannot be found shows "Internal Error in
  // ZadSpline module": null.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing ucbspline" with the one field "usebrep": the model loaded again
  // with it; null on Cancel.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "ucbspline" alone.
  void Info(Seq<charString>& names) override;
};
