#pragma once

// The second interface of the models made of points and faces (the
// boundary-mesh object, and the patch models of the curved model types):
// through it the object editors move a model's points without knowing its
// type, then commit them.

#include "geometry/point3d.h"

class CG_PatchModelBased {
public:
  virtual ~CG_PatchModelBased() = default;

  // Stores the edited model and rebuilds what derives from it: 1, or 0 when
  // that failed. 0 by default.
  virtual int UpdateModel() { return 0; }
  // The number of points; 0 by default.
  virtual int ControlCount() const { return 0; }
  // Copies point i out: 1, or 0 (point untouched). 0 by default.
  virtual int GetControl(int i, Point3D& point) const;
  // Moves point i: 1, or 0. 0 by default.
  virtual int SetControl(int i, const Point3D& point);

protected:
  CG_PatchModelBased() = default;
  CG_PatchModelBased(const CG_PatchModelBased&) = default;
  CG_PatchModelBased& operator=(const CG_PatchModelBased&) = default;
};

inline int CG_PatchModelBased::GetControl(int, Point3D&) const { return 0; }
inline int CG_PatchModelBased::SetControl(int, const Point3D&) { return 0; }

namespace zavo {

// The patch-model interface of a type that is also a CG_GraphicObject. The
// object interface has curve operations of the same names and shapes
// (ControlCount, GetControl, SetControl), which such a type keeps at their
// defaults: were it to override them, one definition would serve both
// interfaces. So this base answers the interface's three point operations
// with PointCount, GetPoint and SetPoint, which the type defines, and forbids
// overriding the interface's names further down.
class PatchModelPoints : public CG_PatchModelBased {
public:
  int ControlCount() const final { return PointCount(); }
  int GetControl(int i, Point3D& point) const final { return GetPoint(i, point); }
  int SetControl(int i, const Point3D& point) final { return SetPoint(i, point); }

  virtual int PointCount() const = 0;
  virtual int GetPoint(int i, Point3D& point) const = 0;
  virtual int SetPoint(int i, const Point3D& point) = 0;
};

}  // namespace zavo
