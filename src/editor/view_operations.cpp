// The small view operations of the document: the axes of a parallel view,
// fitting a view's box to its proportions, and the marks drawn in views.

#include "editor/graphic_editor.h"

void CG_GraphicEditor::GetViewAxes(int mode, int& horizontal, int& vertical, int& flip) const {
  switch (mode) {
    case 2:
      horizontal = 0;
      vertical = 1;
      flip = options.InvertY;
      break;
    case 3:
      horizontal = 1;
      vertical = 2;
      flip = 1;
      break;
    case 4:
      horizontal = 0;
      vertical = 2;
      flip = 1;
      break;
    default:
      break;
  }
}

void CG_GraphicEditor::FitWindowToView(double box[6], int w, int h, int horizontal, int vertical) {
  // A view less than a pixel wide or high has no proportions to follow.
  if (w <= 0 || h <= 0 || w == h) return;
  if (horizontal < 0 || horizontal > 2 || vertical < 0 || vertical > 2) return;
  const int axis = h < w ? vertical : horizontal;
  const double ratio = h < w ? static_cast<double>(w) / h : static_cast<double>(h) / w;
  const double centre = (box[axis] + box[axis + 3]) / 2;
  const double half = (box[axis + 3] - box[axis]) / 2 / ratio;
  box[axis] = centre - half;
  box[axis + 3] = centre + half;
}

namespace {

struct Line {
  int x1, y1, x2, y2;
};

struct Colour {
  int r, g, b;
};

constexpr Colour kRed{255, 0, 0};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kGreen{0, 255, 0};

// Mark positions and sizes far outside any view are brought nearer first, so
// that x + 2k cannot overflow; such marks are off the view either way.
int Near(int value) {
  constexpr int kFar = 1 << 24;
  return value < -kFar ? -kFar : value > kFar ? kFar : value;
}

// Draws the lines in the colour, or in the background colour when erasing.
template <int N>
void DrawMarkLines(CG_GraphicEditor& editor, int view, const Line (&lines)[N], Colour colour, int erase) {
  if (view < 0 || view > 3 || editor.views[view] == nullptr) return;
  if (erase != 0) {
    editor.GetBackgroundColor(colour.r, colour.g, colour.b);
  }
  for (const Line& l : lines) editor.views[view]->DrawLine(l.x1, l.y1, l.x2, l.y2, colour.r, colour.g, colour.b);
}

}  // namespace

void CG_GraphicEditor::DrawCrossMarker(int view, int x, int y, int erase) {
  const int k = Near(markSize);
  x = Near(x);
  y = Near(y);
  const Line lines[] = {{x - k, y - k, x + k, y + k}, {x + k, y - k, x - k, y + k}};
  DrawMarkLines(*this, view, lines, kRed, erase);
}

void CG_GraphicEditor::DrawMark1(int view, int x, int y, int erase) {
  const int k = Near(markSize);
  x = Near(x);
  y = Near(y);
  const Line lines[] = {{x - k, y, x + k, y}, {x + k, y, x, y + k}, {x - k, y, x, y + k}};
  DrawMarkLines(*this, view, lines, kBlue, erase);
}

void CG_GraphicEditor::DrawMark2(int view, int x, int y, int erase) {
  const int k = Near(markSize);
  x = Near(x);
  y = Near(y);
  const Line lines[] = {{x - k, y + k, x + k, y + k}, {x - k, y + k, x + k, y - k}, {x - k, y - k, x + k, y - k}};
  DrawMarkLines(*this, view, lines, kBlue, erase);
}

void CG_GraphicEditor::DrawMark3(int view, int x, int y, int erase) {
  const int k = Near(markSize);
  x = Near(x);
  y = Near(y);
  const Line lines[] = {{x - k, y, x + k, y},
                        {x + k, y, x + k, y - k},
                        {x + k, y - k, x - k, y - k},
                        {x - k, y - k, x - k, y},
                        {x, y, x, y + k}};
  DrawMarkLines(*this, view, lines, kBlue, erase);
}

void CG_GraphicEditor::DrawMark4(int view, int x, int y, int erase) {
  const int k = Near(markSize);
  x = Near(x);
  y = Near(y);
  const Line lines[] = {{x - k, y, x + k, y},
                        {x + k, y, x + k, y - k},
                        {x + k, y - k, x - k, y - k},
                        {x - k, y - k, x - k, y},
                        {x, y, x, y + k},
                        {x, y, x + k, y + k},
                        {x, y, x - k, y + k},
                        {x, y, x + k, y + 2 * k},
                        {x, y, x - k, y + 2 * k}};
  DrawMarkLines(*this, view, lines, kGreen, erase);
}

int CG_GraphicEditor::RedrawPreviewViews() {
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] == 1) RefreshView(v);
  }
  return 1;
}

int CG_GraphicEditor::RedrawParallelViews() {
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 0 && viewModes[v] != 1) RefreshView(v);
  }
  return 1;
}
