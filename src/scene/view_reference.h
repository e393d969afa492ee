#pragma once

// The camera view record: a view in view-reference coordinates, with the
// normalising and projection matrices derived from it and its "{ vrc" block.
//
// The view reference point vrp, the view-plane normal vpn and the up vector
// vup fix the view coordinate system (u, v, n); the window (umin..umax,
// vmin..vmax) on the view plane, the projection reference point prp (in view
// coordinates), the projection type and the front and back planes fix the
// view volume. Window centre CW = ((umax + umin)/2, (vmax + vmin)/2, 0);
// direction of projection DOP = CW - prp.
//
// The matrices act on column vectors (x, y, z, 1), the rightmost factor of a
// product applied first. Nothing is checked: a degenerate record (zero vpn,
// vup parallel to vpn, an empty window, prp.z = 0, ...) divides by zero and
// gives non-finite elements; users keep their records sound.

#include <iosfwd>

#include "geometry/point3d.h"
#include "geometry/transformation.h"

class ScannerMemo;

class CG_ViewReference {
public:
  CG_ViewReference() = default;
  // Every field; note umin before umax and vmin before vmax.
  CG_ViewReference(const Point3D& vrp, const Point3D& prp, const Point3D& vpn, const Point3D& vup,
                   int type, double umin, double umax, double vmin, double vmax, double f,
                   double b, int fon, int bon);

  // Translation by -vrp.
  Transformation VRPTranslation() const;
  // Rows u, v, n and (0, 0, 0, 1): n = vpn/|vpn|, u = (vup x n)/|vup x n|, v = n x u.
  Transformation Rotation() const;
  // z-shear that makes the direction of projection parallel to the n axis.
  Transformation Shear() const;
  // Translation by (-(umax + umin)/2, -(vmax + vmin)/2, tz), tz = -f when fon
  // is set, else +1.
  Transformation ParallelTranslation() const;
  // Scale (2/(umax - umin), 2/(vmax - vmin), sz), sz = 1/(f - b) when fon and
  // bon are both set, else 1.
  Transformation ParallelScale() const;
  // Translation by -prp.
  Transformation PRPTranslation() const;
  // With z' = -prp.z: scale (2z'/((umax - umin)(z' + b)), 2z'/((vmax - vmin)(z' + b)),
  // -1/(z' + b)), whatever bon says.
  Transformation PerspectiveScale() const;
  // ParallelScale . ParallelTranslation . Shear . Rotation . VRPTranslation
  Transformation ParallelMatrix() const;
  // PerspectiveScale . Shear . PRPTranslation . Rotation . VRPTranslation
  Transformation PerspectiveMatrix() const;
  // Turns the canonical perspective volume into the canonical parallel one;
  // uses f and b whatever fon and bon say.
  Transformation PerspectiveToParallelMatrix() const;

  // Reads the body of a "{ vrc" block, standing on its first token after the
  // keyword, up to and including its "}". The caller sets the record to the
  // defaults (or the values to overwrite) first; keys may come in any order
  // and repeat. 1 on success; 0 at the first token that breaks the grammar,
  // with the values read so far kept (a point changes only when its ";"
  // follows; a scalar is stored before its ";" is checked).
  int Read(ScannerMemo& scanner);
  // Writes the whole block, from "{ vrc" to the closing "}" without a line
  // break after it.
  void Write(std::ostream& os) const;

  friend bool operator==(const CG_ViewReference&, const CG_ViewReference&) = default;

  Point3D vrp{0, 0, 0};      // view reference point, world coordinates
  Point3D prp{0.5, 0.5, 1};  // projection reference point, view coordinates
  Point3D vpn{0, 0, 1};      // view-plane normal
  Point3D vup{0, 1, 0};      // view-up vector
  int type = 0;              // 0 parallel, any other value perspective
  double umax = 1;           // the window on the view plane
  double umin = 0;
  double vmax = 1;
  double vmin = 0;
  double f = 1;              // front plane, n coordinate
  double b = 0;              // back plane, n coordinate
  int fon = 0;               // non-zero: the front plane is used
  int bon = 0;               // non-zero: the back plane is used
};

// The general projection matrix onto the plane z = zp, with Q the distance
// from the centre of projection to (0, 0, zp) along the direction d.
Transformation ProjectionMatrix(double zp, double Q, int parallel, const Point3D& d);
// ProjectionMatrix (0, 0, parallel, (0, 0, -1)): rows (1,0,0,0), (0,1,0,0), (0,0,0,0), (0,0,0,1).
Transformation ParallelProjectionMatrix();
// ProjectionMatrix (1, 1, perspective, (0, 0, -1)): rows (1,0,0,0), (0,1,0,0), (0,0,1,0), (0,0,1,0).
Transformation PerspectiveProjectionMatrix();
