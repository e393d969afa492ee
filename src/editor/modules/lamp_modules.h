#pragma once

// The editor modules of the point lamp and the cone lamp, each in its two
// forms: the lamp of the scene's lamp list (lamp modules "pointlamp" and
// "conelamp") and the lamp object of the scene's object list (object
// modules "pointlamp" and, in test mode, "conelamp").
//
// A lamp's "center" and "dir" texts are read over its current values: a
// text that stops being a point keeps the components it gave and the lamp's
// own for the rest.

#include <memory>

#include "editor/editor_modules.h"

class CG_PointLampEditorModule : public CG_LampEditorModule {
public:
  // "Creating pointlamp" with an "lmp" proposal and the lamp-name check; a
  // white lamp at the placement point (a pending click included).
  std::unique_ptr<CG_LightSource> Create(CG_GraphicEditor& editor) override;
  // "Modifing pointlamp" with "center" and "color".
  CG_LightSource* Modify(CG_GraphicEditor& editor, CG_LightSource& lamp) override;
};

class CG_ConeLampEditorModule : public CG_LampEditorModule {
public:
  // "Creating conelamp" with an "lmp" proposal and the lamp-name check; at
  // the centre of the current view's box (never a pending click), aimed at
  // (0, 0, -1), angle 0.3, white.
  std::unique_ptr<CG_LightSource> Create(CG_GraphicEditor& editor) override;
  // "Modifing conelamp" with "center", "dir", "angle", "color".
  CG_LightSource* Modify(CG_GraphicEditor& editor, CG_LightSource& lamp) override;
  // 1: the lamp has a direction segment.
  int HasShape() override { return 1; }
  // The position and the position plus three times the direction.
  void GetShape(CG_GraphicEditor& editor, CG_LightSource& lamp, Seq<Point3D>& points) override;
};

class CG_XPointLampEditorModule : public CG_ObjectEditorModule {
public:
  // "Creating pointlamp" with an "obj" proposal: centre at the placement
  // point, radius a tenth of the smaller half extent of the view's box,
  // div 6, white, material "standard".
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing pointlamp" with "center" and "radius"; every change makes the
  // lamp white with div 6.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "lamp", "pointlamp".
  void Info(Seq<charString>& names) override;
};

class CG_XConeLampEditorModule : public CG_ObjectEditorModule {
public:
  // "Creating cone", as the cone: radius and high half the placement size,
  // the other fields their defaults, inside a transf that carries it to the
  // placement point.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing conelamp" with "high", "radius", "p", "c1", "c2", "c3",
  // "double"; the fields not shown (colour, div) go back to their defaults.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "lamp", "conelamp".
  void Info(Seq<charString>& names) override;
};
