#pragma once

// Texture mappings: planar, spherical and cylindrical maps of a surface point
// to texture coordinates (u, v), with their reader modules.

#include <iosfwd>

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "foundation/matrix.h"
#include "foundation/scanner.h"
#include "geometry/point3d.h"

// A mapping: a centre, two axes and two scale factors, and how they turn a
// point into (u, v). The object that holds a mapping owns it; Clone copies it.
class CG_MappingMetod {
public:
  virtual ~CG_MappingMetod() = default;

  // The texture coordinates of a point; answers 1. Always finite for finite
  // inputs: degenerate cases (a zero axis, a point at the centre or on the
  // axis) give 0 for the coordinate they leave undefined.
  virtual int Map(const Point3D& point, double& u, double& v) const = 0;
  // The two axes that an editor draws; the base gives (1, 0, 0) and (0, 1, 0)
  // and answers 1.
  virtual int GetAxes(Point3D& first, Point3D& second) const;
  // Writes the mapping block.
  virtual void Write(std::ostream& os) const = 0;
  // A new copy (the base gives null).
  virtual CG_MappingMetod* Clone() const { return nullptr; }
  // "planar", "spherical" or "cilindric" (the base gives null).
  virtual const char* TypeName() const { return nullptr; }
  // Applies a transformation; the base changes nothing and answers 0.
  virtual int Transform(const Matrix4x4<double>& matrix);

  Point3D center;        // origin of the mapping
  Point3D assx{1, 0, 0};  // first axis (u direction or reference direction)
  Point3D assy{0, 1, 0};  // second axis (v direction, pole or cylinder axis)
  double moltx = 1;      // scale of u
  double molty = 1;      // scale of v

protected:
  CG_MappingMetod() = default;
  CG_MappingMetod(const Point3D& c, const Point3D& ax, const Point3D& ay, double mx, double my)
      : center(c), assx(ax), assy(ay), moltx(mx), molty(my) {}
  CG_MappingMetod(const CG_MappingMetod&) = default;
  CG_MappingMetod& operator=(const CG_MappingMetod&) = default;
  // "{ " keyword " \n" then the five values, then "}\n".
  void WriteBlock(std::ostream& os, const char* keyword) const;
};

// u = moltx (d . assx) / |assx|^2, v = molty (d . assy) / |assy|^2 with
// d = point - center; the axes are kept as given.
class CG_PlanarMapping : public CG_MappingMetod {
public:
  CG_PlanarMapping(const Point3D& center, const Point3D& assx, const Point3D& assy, double moltx,
                   double molty);
  int Map(const Point3D& point, double& u, double& v) const override;
  int GetAxes(Point3D& first, Point3D& second) const override;
  void Write(std::ostream& os) const override;
  CG_MappingMetod* Clone() const override { return new CG_PlanarMapping(*this); }
  const char* TypeName() const override { return "planar"; }
  // The centre moves as a point, the axes as directions; answers 1.
  int Transform(const Matrix4x4<double>& matrix) override;
};

// Angles of the direction from the centre: u = moltx acos(s . assx),
// v = molty acos(s . assy) with s = d / |d|. Both axes are scaled to length 1.
class CG_SphericalMapping : public CG_MappingMetod {
public:
  CG_SphericalMapping(const Point3D& center, const Point3D& assx, const Point3D& assy,
                      double moltx, double molty);
  int Map(const Point3D& point, double& u, double& v) const override;
  void Write(std::ostream& os) const override;
  CG_MappingMetod* Clone() const override { return new CG_SphericalMapping(*this); }
  const char* TypeName() const override { return "spherical"; }
};

// Around the axis assy: v = molty h with h = d . assy, u = moltx acos(r . assx)
// with r the unit part of d across the axis. assx is scaled to length 1, assy
// kept as given.
class CG_CilindricMapping : public CG_MappingMetod {
public:
  CG_CilindricMapping(const Point3D& center, const Point3D& assx, const Point3D& assy,
                      double moltx, double molty);
  int Map(const Point3D& point, double& u, double& v) const override;
  void Write(std::ostream& os) const override;
  CG_MappingMetod* Clone() const override { return new CG_CilindricMapping(*this); }
  const char* TypeName() const override { return "cilindric"; }
};

// A reader of one mapping type, found by keyword in the registry.
class CG_MappingModule : public ListItem {
public:
  explicit CG_MappingModule(const char* keyword) : keyword_(keyword) {}
  virtual ~CG_MappingModule() = default;
  CG_MappingModule(const CG_MappingModule&) = delete;
  CG_MappingModule& operator=(const CG_MappingModule&) = delete;

  const char* Keyword() const { return keyword_.Text(); }
  // Reads a mapping body standing after the keyword, up to and including its
  // "}": keys "center", "assx", "assy" (points, all three required) and
  // "moltx", "molty" (numbers, default 1), each ended by ";". The new mapping,
  // or null on any error; nothing is allocated before the whole block has read.
  virtual CG_MappingMetod* Read(ScannerMemo& scanner);

protected:
  virtual CG_MappingMetod* Make(const Point3D& center, const Point3D& assx, const Point3D& assy,
                                double moltx, double molty) const = 0;

private:
  charString keyword_;
};

class CG_PlanarMappingModule : public CG_MappingModule {
public:
  explicit CG_PlanarMappingModule(const char* keyword = "planar") : CG_MappingModule(keyword) {}

protected:
  CG_MappingMetod* Make(const Point3D& c, const Point3D& ax, const Point3D& ay, double mx,
                        double my) const override {
    return new CG_PlanarMapping(c, ax, ay, mx, my);
  }
};

class CG_SphericalMappingModule : public CG_MappingModule {
public:
  explicit CG_SphericalMappingModule(const char* keyword = "spherical")
      : CG_MappingModule(keyword) {}

protected:
  CG_MappingMetod* Make(const Point3D& c, const Point3D& ax, const Point3D& ay, double mx,
                        double my) const override {
    return new CG_SphericalMapping(c, ax, ay, mx, my);
  }
};

class CG_CilindricMappingModule : public CG_MappingModule {
public:
  explicit CG_CilindricMappingModule(const char* keyword = "cilindric")
      : CG_MappingModule(keyword) {}

protected:
  CG_MappingMetod* Make(const Point3D& c, const Point3D& ax, const Point3D& ay, double mx,
                        double my) const override {
    return new CG_CilindricMapping(c, ax, ay, mx, my);
  }
};
