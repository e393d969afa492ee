#pragma once

// Lamps as the shading sees them (CG_LightSourceBase), the lamps of a scene's
// lamp list (CG_LightSource) and the readers of lamp sections.

#include <iosfwd>
#include <memory>

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "foundation/list.h"
#include "geometry/point3d.h"

class CG_GraphicScene;
class CG_LightSourceModule;
class CG_Material;
class ScannerMemo;

// The lamp interface. A lamp of the lamp list and a scene object that emits
// light (see CG_GraphicObject::IsLightSource) both answer it.
class CG_LightSourceBase {
public:
  virtual ~CG_LightSourceBase() = default;

  // The lamp's keyword; null by default.
  virtual const char* Keyword() const { return nullptr; }
  // Writes the lamp's section (for a scene object: its object block).
  virtual void Write(std::ostream& os) const = 0;
  // The colour (r, g, b in x, y, z) that reaches the point before shadows;
  // toLamp is the unit direction from the point toward the lamp. Black by default.
  virtual Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const;
  // Where shadow rays go; the origin by default.
  virtual Point3D Position() const { return {}; }
  // 1 when the lamp works out itself the light that reaches a point, shadows
  // included (LightReachingPoint); 0 by default.
  virtual int ComputesLightItself() const { return 0; }
  // The light (r, g, b) that reaches the point, shadows included, for a lamp
  // whose ComputesLightItself answers 1; black by default.
  virtual Point3D LightReachingPoint(CG_GraphicScene& scene, const Point3D& point,
                                     const Point3D& direction, CG_Material& material) const;

protected:
  CG_LightSourceBase() = default;
  CG_LightSourceBase(const CG_LightSourceBase&) = default;
  CG_LightSourceBase& operator=(const CG_LightSourceBase&) = default;
};

// A lamp of the scene's lamp list. The list compares lamps by their name member.
class CG_LightSource : public CG_LightSourceBase, public DblListItem {
public:
  explicit CG_LightSource(const char* lampName = nullptr) : name(lampName) {}
  CG_LightSource(const CG_LightSource&) = delete;
  CG_LightSource& operator=(const CG_LightSource&) = delete;

  // Copy the lamp's name out and set it, for the editor. The base versions do
  // nothing; lamp types that let the user rename them override both.
  virtual void GetName(charString& out) const;
  virtual void SetName(const char* text);
  // The module that read the lamp (not owned); null by default.
  virtual CG_LightSourceModule* GetModule() const { return nullptr; }
  // Writes the lamp as one complete "{ object" block (without the final "."),
  // so that the scene reader can turn a lamp section into a lamp object. The
  // base writes nothing.
  virtual void WriteAsObject(std::ostream& os) const;

  charString name;
};

// The reader of one lamp form, found by keyword in the registry's lamp list.
class CG_LightSourceModule : public ListItem {
public:
  CG_LightSourceModule() = default;
  virtual ~CG_LightSourceModule() = default;
  CG_LightSourceModule(const CG_LightSourceModule&) = delete;
  CG_LightSourceModule& operator=(const CG_LightSourceModule&) = delete;

  // The lamp keyword (a constant text).
  virtual const char* Keyword() const = 0;
  // Reads the lamp body standing after the keyword, up to and including the
  // "}" that closes "model {". The new lamp, or null with the error recorded in
  // the scene (SetError). The lamp is added to no list.
  virtual std::unique_ptr<CG_LightSource> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                               const char* lampName) = 0;
};

// The first module of the list, from the head, whose keyword equals the text
// exactly; null when none does.
CG_LightSourceModule* FindLampModule(const List<CG_LightSourceModule>& list, const char* keyword);
