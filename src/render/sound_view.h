#pragma once

// Whether a view can be rendered or exported at all. Every render mode and
// every export asks this of the view it would use and, when the answer is no,
// shows kDegenerateView, writes nothing and fails.

#include "geometry/transformation.h"

class CG_ViewReference;
class GeoInterface;

namespace zavo {

inline constexpr const char* kDegenerateView = "Degenerate view";

// A view is sound when its view-plane normal has a length, the up vector is
// not parallel to it, its window has a width and a height, its eye (prp) does
// not lie on the view plane, and every number it uses is finite (the front and
// back planes count only while they are switched on).
bool SoundView(const CG_ViewReference& view);

// SoundView; when the view is not sound, also shows kDegenerateView.
bool CheckView(const CG_ViewReference& view, GeoInterface& ui);

// Whether every element of a matrix made from a view is finite: a sound view
// with extreme numbers can still overflow.
bool FiniteMatrix(const Transformation& m);

}  // namespace zavo
