#pragma once

// The sweep of planar profiles along a path into boundary meshes. The
// profiles (closed outlines in their x-y plane) are sorted into regions, an
// outer contour with its holes; each region is placed at every path point in
// a frame that follows the path, scaled by an optional deformation graph,
// and written as one pbrep text. A diagnostic log of the frames goes to
// "ftest.log" in the working directory.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "editor/modules/outline_meshes.h"

class CG_PathControl;

namespace zavo {

// An outer contour (first) and its holes.
using Region = std::vector<Outline>;

// The regions of the profiles, in the order they were found, their contours
// oriented (outer 0, holes 1). A profile lies in another when the other's
// outline, by the even-odd rule, holds its first point. Each pass starts a
// region with the first free profile that lies in no other free one and
// gives it at most one hole: the first free profile inside its outer contour
// that lies in no other free profile; passes repeat while one starts a
// region.
std::vector<Region> FindRegions(const std::vector<Outline>& profiles);

// The path as the sweep uses it: consecutive equal points count once, and
// fewer than two points give the straight path (0, 0, 0), (0, 0, 1).
std::vector<Point3D> SweepPath(const std::vector<Point3D>& path);

// One frame per path point: the tangent t (unit at the ends, the half sum of
// the two unit segment directions inside, the incoming direction where that
// sum vanishes), a = unit(u x t) with u = (0, 1, 0), or (1, 0, 0) when u x t
// is exactly zero, and b = unit(t x a).
struct PathFrame {
  Point3D t, a, b;
};
std::vector<PathFrame> PathFrames(const std::vector<Point3D>& path);

// The scale of each of the n path points: the control's value at
// min + j (max - min) / n, or 1 without a control.
std::vector<double> PathScales(const CG_PathControl* control, std::size_t n);

// One region's pbrep text: the region placed at every path point
// (s(j) (q.x a + q.y b + q.z t) + p(j)), the caps at both ends and the side
// triangles.
void WriteSweepMesh(std::ostream& os, const Region& region, const std::vector<Point3D>& path,
                    const std::vector<PathFrame>& frames, const std::vector<double>& scales);

// The diagnostic log: four lines per path point (the tangent, the angles az
// and ay, the tangent and the x unit vector turned by them).
void WriteSweepLog(std::ostream& os, const std::vector<PathFrame>& frames);

// The object names of k regions: the base name alone for one, base_0,
// base_1, ... for more.
std::vector<std::string> SweepOutputNames(const std::string& base, std::size_t k);

// What the sweep asks of its caller: whether an output name may be used
// (asked for every name before any file is written) and where a write
// failure is reported. Both may be empty.
struct SweepHooks {
  std::function<bool(const std::string& name)> acceptName;
  std::function<void(const std::string& text)> message;
};

// Sweeps the profiles along the path (none or fewer than two distinct
// points: the straight default), scaled by the control when there is one,
// and writes each region's mesh to <name>.brp in the working directory, each
// file whole or not at all. names gets the object names. 1 when at least one
// region was found and every file was written; 0 when there is no region, a
// name is refused (nothing is written) or a file cannot be written ("Cannot
// write <file>" through the hooks).
int SweepToBRep(const std::vector<Outline>& profiles, const std::vector<Point3D>* path,
                const CG_PathControl* control, const std::string& baseName, std::vector<std::string>& names,
                const SweepHooks& hooks = {});

}  // namespace zavo
