#pragma once

// The viewing matrix of the TGL export.

#include "geometry/transformation.h"

class CG_ViewReference;

namespace zavo {

// The view with front plane 0, back plane -10000 and both planes on: for a
// perspective view (type not 0) PerspectiveToParallelMatrix times
// PerspectiveMatrix, for a parallel one ParallelMatrix. Then, when dimy <
// dimx, y is scaled by dimy / dimx (reals); then y is scaled by q, the
// integer quotient of the larger by the smaller of the integer halves
// dimx / 2 and dimy / 2 (1 when they are equal, or when either half is 0).
// The view itself is not changed.
Transformation TGLViewMatrix(const CG_ViewReference& view, int dimx, int dimy);

}  // namespace zavo
