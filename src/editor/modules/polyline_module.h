#pragma once

// The editor module of the "polyline" model. It creates a two-point open
// polyline in the current view, and offers the special commands "close",
// "open", "rotation" (a surface of revolution about z) and "sweep" (an
// extrusion along y), and the multi-object action "Sweep": the collected
// polylines, sorted into outer contours and holes, swept along a path curve
// and scaled by a deformation graph. The meshes go to <name>.brp files in
// the working directory and come into the scene as brep objects. The control
// points are edited in the views by the curve editing of the base.

#include <memory>
#include <vector>

#include "editor/modules/curve_module.h"
#include "editor/modules/outline_meshes.h"
#include "geometry/transformation.h"

// The objects collected for a multi-object action, one entry per addition:
// the editor item or the object (not owned), and the wrapper's matrix when
// one was given.
class CG_MOAPolylineStatus : public CG_MOAStatus {
public:
  explicit CG_MOAPolylineStatus(CG_GraphicEditor* owner) : editor(owner) {}

  struct Entry {
    CG_SceneEditorItem* item = nullptr;
    CG_GraphicObject* object = nullptr;
    int hasTransformation = 0;
    Transformation transformation;
  };
  CG_GraphicEditor* editor;
  std::vector<Entry> entries;
};

class CG_PolylineEditorModule : public CG_GenericCurveEditorModule {
public:
  // "Creating polyline": the points c and c + (d, 0, 0), c the placement
  // point and d the placement size, open.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // Nothing: a polyline changes through its control points. Null.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "close", "open", "rotation", "sweep"; 1.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  // 0 "close" and 1 "open" (each 1, a message when there is nothing to do),
  // 2 "rotation" and 3 "sweep" (1 when a brep object was made); other
  // numbers 0.
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;

  // A new empty collection bound to the editor, which becomes the current one.
  std::unique_ptr<CG_MOAStatus> NewMOAStatus(CG_GraphicEditor& editor) override;
  // Adds an entry for the item and one for the object, each with the
  // transformation when given. Nothing for a status that is not exactly a
  // CG_MOAPolylineStatus. The status.
  CG_MOAStatus* MOAAdd(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject* object,
                       CG_MOAStatus* status, const Transformation* transformation) override;
  // The one entry "Sweep"; 1.
  int MOAName(Seq<charString>& names) override;
  // SweepAlongPath with the command index as flag.
  int MOARun(CG_MOAStatus& status, int index) override;
  // The action "Sweep": with flag set nothing but 1. Otherwise the dialog
  // "Sweep" (brep name, path curve, deformation graph), then the collected
  // objects' control points as profiles swept into brep objects: 1; 0 on
  // Cancel, a refused name, no region or a file that cannot be written.
  int SweepAlongPath(CG_MOAStatus& status, int flag);

  // "curve", "polyline".
  void Info(Seq<charString>& names) override;
  // 2.
  int MinControlCount(CG_GraphicObject& object) override;

  // The "rotation" and "sweep" commands on a polyline outside the scene.
  int Rotation(CG_GraphicEditor& editor, CG_GraphicObject& polyline, const Transformation* wrapper);
  int Sweep(CG_GraphicEditor& editor, CG_GraphicObject& polyline, const Transformation* wrapper);

private:
  // The editor the module last worked for.
  CG_GraphicEditor* currentEditor_ = nullptr;
};
