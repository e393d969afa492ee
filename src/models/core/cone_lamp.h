#pragma once

// The cone lamp, keyword "conelamp", in its two forms.
//
// GConeLamp is a spotlight of the lamp list: a position, an aim direction
// (used as stored, a unit vector expected), a half-angle in radians and a
// colour. It sends its colour inside the cone and black outside; no falloff,
// no attenuation. Its lamp section:
//   { lamp
//   	name spot;
//   	model { conelamp
//   pos ( 0 , 0 , 5 );
//   	dir ( 0 , 0 , -1 );
//   	ang 0.3;
//   	color (1,1,1);
//   }
//   }
// Turned into an object (WriteAsObject) it becomes a transf around a conelamp
// object that sends the same light: the rows of a rotation that takes the
// object's local -x axis to the aim, then the position.
//
// CG_XConeLamp is a lamp object: the closed cone of the cone model (same
// shape, intersection, normals, box and tessellation) that lights from its
// apex, the local origin, toward local -x, with a cone test, a falloff
// pow(c, p) and an attenuation 1 / (c1 + c2 d + c3 d^2) clamped to at most 1.
// A transf places and aims it. Its body, every attribute optional:
//   high 0.5; radius 0.5; div 10; color (1,1,1); p 0; double 0;
//   c1 0; c2 0; c3 1;

#include <iosfwd>
#include <memory>

#include "geometry/point3d.h"
#include "models/core/cone.h"
#include "scene/light_source.h"
#include "scene/registry.h"

// ---- The lamp form ----

class CG_ConeLampDescription {
public:
  Point3D pos;
  double ang = 0.0;  // half-angle, radians
  Point3D dir;       // aim, used as stored
  Point3D color;     // r, g, b in x, y, z
};

class GConeLamp : public CG_LightSource {
public:
  // The name is copied; the module is the one that read the lamp (may be null).
  GConeLamp(const char* lampName, CG_LightSourceModule* module, const CG_ConeLampDescription& description);

  const char* Keyword() const override { return "conelamp"; }
  // The "{ lamp" section (see above); no line break after its last "}".
  void Write(std::ostream& os) const override;
  // c = -(dir . toLamp): black when c < 0 or acos(c) >= ang, else the colour.
  // The point plays no part.
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override;
  Point3D Position() const override { return description_.pos; }

  void GetName(charString& out) const override { out = name; }
  void SetName(const char* text) override { name = text; }
  // A transf object around a conelamp object that sends the same light (see
  // zavo::ConeLampRotationRows and zavo::ConeLampShape).
  void WriteAsObject(std::ostream& os) const override;

  CG_LightSourceModule* GetModule() const override { return module_; }
  void GetDescription(CG_ConeLampDescription& description) const { description = description_; }
  void SetDescription(const CG_ConeLampDescription& description) { description_ = description; }

private:
  CG_ConeLampDescription description_;
  CG_LightSourceModule* module_;
};

class NGConeLampModule : public CG_LightSourceModule {
public:
  const char* Keyword() const override { return "conelamp"; }
  // Reads "pos", "dir", "ang" and "color" entries up to and including "}".
  // A point or colour that does not read records code 5 ("Wrong point
  // definition", "Wrong point pefinition" for "dir", "Wrong color
  // definition") and reading goes on; "ang" takes the next token as a number
  // whatever its kind (a word is 0; a number too large records "Number
  // wanted" and gives null). Null without a message at a token that is no
  // word and when one of the four is missing at the "}"; null with code 5
  // "Unknown attribute" for any other word, with code 2 for a missing ";".
  std::unique_ptr<CG_LightSource> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                       const char* lampName) override;
};

// ---- The object form ----

class CG_XConeLampDescription : public zavo::AxialSolidDescription {
public:
  Point3D color{1.0, 1.0, 1.0};
  double c1 = 0.0;  // attenuation: constant,
  double c2 = 0.0;  // linear,
  double c3 = 1.0;  // quadratic coefficient
  double p = 0.0;   // falloff exponent
  int isDouble = 0; // the body's "double": non-zero lights every direction
};

// Parts: 0 the mantle, 2 the base.
class CG_XConeLampIntrInfo : public CG_ConeIntrInfo {};

class CG_XConeLamp : public CG_Cone {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); the rest from the description.
  CG_XConeLamp(CG_GraphicObjectCommData& data, const CG_XConeLampDescription& description);

  int IsLightSource() const override { return 1; }
  const char* Keyword() const override { return "conelamp"; }
  // The object block: head, "\tmodel { conelamp\n\t\thigh h;\n\t\tradius r;
  // \n\t\tdiv n;\n\t\tcolor (r,g,b);\n\t\tp p;\n\t\tdouble d;\n\t\tc1 c1;
  // \n\t\tc2 c2;\n\t\tc3 c3;\n\t}\n}\n".
  void Write(std::ostream& os) const override;
  // A conelamp with NewCommData's record and every field of this one; null
  // when the record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;

  // The light toward the point, both in the lamp's frame (the lamp at the
  // origin). Unless `double` is set: c = toLamp.x; black when c < 1e-8 or
  // when high < t radius, t = sqrt(1 - c^2) / c. Then a = 1 / (c1 + c2 d +
  // c3 d^2), d = |point|, at most 1; f = pow(c, p) a; the colour times f, or
  // black when f is not finite.
  Point3D Illuminate(const Point3D& point, const Point3D& toLamp) const;
  // The origin.
  Point3D LampPosition() const { return {0.0, 0.0, 0.0}; }
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override {
    return Illuminate(point, toLamp);
  }
  Point3D Position() const override { return LampPosition(); }

  void GetDescription(CG_XConeLampDescription& description) const;
  // Also renews the bounding box.
  void SetDescription(const CG_XConeLampDescription& description);

private:
  Point3D color_{1.0, 1.0, 1.0};
  double c1_ = 0.0;
  double c2_ = 0.0;
  double c3_ = 1.0;
  double p_ = 0.0;
  int isDouble_ = 0;
};

class CG_XConeLampModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "conelamp"; }
  // Reads the body up to and including "}" (defaults where an attribute is
  // missing). Null at a token that is no word (no message), for "Number
  // wanted" and "Unknown attribute" (code 5) and a missing ";" (code 2); a
  // colour that does not read records "Wrong color definition" and reading
  // goes on.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};

namespace zavo {

// The rows of a rotation R whose first column is -d, d the aim made of unit
// length, completed to a right-handed orthonormal frame: R takes local -x to
// d. The identity when the aim has no length (or is not finite).
void ConeLampRotationRows(const Point3D& aim, double rows[3][3]);

// A cone shape whose ratio high / radius is tan(ang): radius 0.5 and high
// 0.5 tan(ang) when tan(ang) <= 1, else high 0.5 and radius 0.5 / tan(ang);
// for ang >= pi / 2 high 0.5 and radius 0 (the whole half space in front);
// for ang <= 0 (or not a number) radius 0.5 and high 0 (nothing lit).
void ConeLampShape(double ang, double& radius, double& high);

}  // namespace zavo
