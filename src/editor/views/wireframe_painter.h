#pragma once

// The painter of the Top, Side and Front views, and the mapping from
// normalised view coordinates to pixels that every drawer of those views
// shares.

class CG_GraphicEditor;
class CG_SceneEditorItem;
class CG_WireFrameImage;

namespace zavo {

// Normalised view coordinates (-1 to 1 across the view's window) to pixels of
// a parallel view: halfW = width / 2, halfH = height / 2 (integer division),
// column = trunc(halfW u + halfW), row = trunc(s v halfH + halfH) with s = -1
// on a flipped vertical axis, else 1. Conversions saturate.
struct ParallelPixels {
  int halfW = 0;
  int halfH = 0;
  int sign = 1;

  // The half sizes of the surface and the sign of the flip flag.
  static ParallelPixels Of(CG_WireFrameImage& surface, int flip);
  int Column(double u) const;
  int Row(double v) const;
};

}  // namespace zavo

// Paints the item into a parallel view (mode 2 Top, 3 Side, 4 Front) in draw
// mode 0 (draw: the selection colour for a selected item, else each part's
// material colour with UseColor, else black), 1 (erase: the same lines in the
// background colour) or 2 (invert: the same lines inverted). Parts projected
// as segments are drawn from their stored segments, the others from their
// projected vertices and the object's edge list, clipped to the window. A
// selected item's object editor module then draws the selection marks. Views
// of other modes, views without a surface and surfaces of negative half size
// get nothing.
void DrawWireframeObjects(CG_GraphicEditor& editor, int view, CG_SceneEditorItem* item, int mode);
