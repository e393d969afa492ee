// Request 86: the active view shows a chosen object's bounding box.

#include <cmath>

#include "editor/graphic_editor.h"

int CG_GraphicEditor::FitViewToObject() {
  charString chosen;
  if (ChooseObject(chosen) == 0) return 0;
  CG_GraphicObject* object = scene.FindObject(chosen.Text());
  if (object == nullptr) return 0;
  GEO_Box box;
  const bool limited = CG_GraphicObject::GetBox(object, box) != 0 && std::isfinite(box.xmin) &&
                       std::isfinite(box.xmax) && std::isfinite(box.ymin) && std::isfinite(box.ymax) &&
                       std::isfinite(box.zmin) && std::isfinite(box.zmax);
  if (!limited) {
    Message("FindObject fail!\nUnlimited object.");
    return 0;
  }
  const int view = activeView < 0 ? 0 : activeView;
  double* target = viewBoxes[view];
  target[0] = box.xmin;
  target[1] = box.ymin;
  target[2] = box.zmin;
  target[3] = box.xmax;
  target[4] = box.ymax;
  target[5] = box.zmax;
  RedrawView(view);
  FillView(view);
  RefreshView(view);
  return 1;
}
