#pragma once

// The point lamp, keyword "pointlamp", in its two forms:
//
//   - GPointLamp, a lamp of the scene's lamp list, written as a lamp section
//       { lamp
//       	name L;
//       	model { pointlamp
//       pos ( x , y , z );
//       	color (r,g,b);
//       }
//       }
//     (no tabs before "pos", no line break after the last "}") and read by
//     NGPointLampModule, which needs both "pos" and "color";
//   - GXPointLamp, a scene object: a sphere that also emits light, written as
//     an object block whose body takes, each optional and ended by ";":
//       center ( x , y , z );   default (0, 0, 0): the sphere's centre and the light's position
//       radius r;               default 1
//       div n;                  default 6; truncated toward zero
//       color (r,g,b);          default (1,1,1)
//     and read by CG_XPointLampModule.
//
// Both send their colour unchanged to every point: neither the distance nor
// the direction plays a part. The lamp object is a light source of the scene
// (IsLightSource); the renderer asks it for light and never traces it as a
// surface. Its geometry, meshes and material are the sphere's.

#include <iosfwd>
#include <memory>

#include "geometry/point3d.h"
#include "models/core/sphere.h"
#include "scene/light_source.h"
#include "scene/registry.h"

class CG_GraphicScene;
class ScannerMemo;

// ---- The lamp of the lamp list ----

class CG_PointLampDescription {
public:
  Point3D pos;              // position in scene coordinates
  Point3D color{1, 1, 1};   // r, g, b in x, y, z
};

class GPointLamp : public CG_LightSource {
public:
  // The name is copied; the module (not owned) is the one that read the lamp.
  GPointLamp(const char* lampName, CG_LightSourceModule* module, const CG_PointLampDescription& description);

  const char* Keyword() const override { return "pointlamp"; }
  // The lamp section (see the head of this file).
  void Write(std::ostream& os) const override;
  // The colour, whatever the point and the direction.
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override;
  Point3D Position() const override { return pos_; }

  void GetName(charString& out) const override { out = name; }
  void SetName(const char* text) override { name = text; }
  CG_LightSourceModule* GetModule() const override { return module_; }
  // The lamp as a pointlamp object block:
  // "{ object\n\tname L;\n\tmodel { pointlamp\ncenter ( x , y , z );\n\tcolor (r,g,b);\n}\n}".
  // Read back it gives a GXPointLamp of the same name, centre and colour with
  // radius 1 and div 6.
  void WriteAsObject(std::ostream& os) const override;

  // Copy position and colour out and in (unchecked).
  void GetDescription(CG_PointLampDescription& description) const;
  void SetDescription(const CG_PointLampDescription& description);

private:
  Point3D pos_;
  Point3D color_;
  CG_LightSourceModule* module_;
};

// Reads the body of "model { pointlamp" in a lamp section, up to and including
// its "}". "pos" and "color" take a point "( x , y , z )", each followed by
// ";". Without both, or at a token that is no word, no lamp and no message of
// its own; a word that is neither gives code 5 "Unknown attribute" and no lamp;
// a missing ";" gives code 2 and no lamp. A point that does not read records
// code 5 "Wrong point definition" (a colour: "Wrong color definition") and
// reading goes on.
class NGPointLampModule : public CG_LightSourceModule {
public:
  const char* Keyword() const override { return "pointlamp"; }
  std::unique_ptr<CG_LightSource> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                       const char* lampName) override;
};

// ---- The lamp object ----

// The sphere's attributes and the colour.
class CG_XPointLampDescription : public CG_SphereDescription {
public:
  Point3D color{1, 1, 1};   // r, g, b in x, y, z
};

// The hits of one ray, as the sphere's.
class CG_PointLampIntrInfo : public CG_SphereIntrInfo {};

class GXPointLamp : public GSphere {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); the rest from the description.
  GXPointLamp(CG_GraphicObjectCommData& data, const CG_XPointLampDescription& description);

  int IsLightSource() const override { return 1; }
  // The object block: head, "\tmodel { pointlamp\n\t\tcenter ( x , y , z );\n
  // \t\tradius r;\n\t\tdiv n;\n\t\tcolor (r,g,b);\n\t}\n}\n". IDname and toll
  // are not written.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "pointlamp"; }
  // A lamp object with NewCommData's record (no IDname, default toll) and
  // this one's description; null when the record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;
  // A new CG_PointLampIntrInfo.
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;

  // The colour, whatever the point and the direction.
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override;
  // The centre.
  Point3D Position() const override;

  // Copy centre, radius, div, progress and colour out and in. SetDescription
  // also renews the bounding volume.
  void GetDescription(CG_XPointLampDescription& description) const;
  void SetDescription(const CG_XPointLampDescription& description);

private:
  Point3D color_;
};

// Reads the body of "model { pointlamp" in an object block, up to and
// including its "}", from the defaults. At a token that is no word, no object
// and no message of its own; "Number wanted" (a radius or div that is no
// number) and "Unknown attribute" (code 5) and a missing ";" (code 2) give no
// object; a centre that does not read records code 5 "Wrong point definition"
// (a colour: "Wrong color definition") and reading goes on.
class CG_XPointLampModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "pointlamp"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
