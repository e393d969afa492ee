#include "editor/graphic_editor.h"

int CG_GraphicEditor::ViewPointToWorld(int view, int x, int y, Point3D& point, int& horizontal, int& vertical,
                                       int& flip) const {
  if (view < 0 || view > 3 || views[view] == nullptr) return 0;
  const int width = views[view]->GetWidth();
  const int height = views[view]->GetHeight();
  if (width < 1 || height < 1) return 0;
  return ViewFractionToWorld(view, static_cast<double>(x) / width, static_cast<double>(y) / height, point,
                             horizontal, vertical, flip);
}

int CG_GraphicEditor::ViewFractionToWorld(int view, double fx, double fy, Point3D& point, int& horizontal,
                                          int& vertical, int& flip) const {
  if (view < 0 || view > 3 || views[view] == nullptr) return 0;
  const int mode = viewModes[view];
  if (mode < 2 || mode > 4) return 0;
  const int width = views[view]->GetWidth();
  const int height = views[view]->GetHeight();
  if (width < 1 || height < 1) return 0;
  int a = 0, b = 1, flag = 0;
  GetViewAxes(mode, a, b, flag);
  double box[6];
  for (int i = 0; i < 6; ++i) box[i] = viewBoxes[view][i];
  FitWindowToView(box, width, height, a, b);
  double p[3] = {(box[0] + box[3]) / 2, (box[1] + box[4]) / 2, (box[2] + box[5]) / 2};
  p[a] = box[a] + (box[a + 3] - box[a]) * fx;
  p[b] = flag == 0 ? box[b] + (box[b + 3] - box[b]) * fy : box[b + 3] - (box[b + 3] - box[b]) * fy;
  point = Point3D{p[0], p[1], p[2]};
  horizontal = a;
  vertical = b;
  flip = flag;
  return 1;
}
