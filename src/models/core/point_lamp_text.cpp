// The point lamp's texts: the lamp section and its object form, the lamp
// object's block, and the readers of both bodies.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "geometry/point_stream.h"
#include "models/core/model_object.h"
#include "models/core/point_lamp.h"
#include "scene/scene.h"

namespace {

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

// "model { pointlamp\n" KEY " ( x , y , z );\n\tcolor (r,g,b);\n}\n}": the
// common tail of the lamp section and of its object form.
void WriteLampBody(std::ostream& os, const char* key, const Point3D& pos, const Point3D& color) {
  os << "{ pointlamp\n" << key << ' ';
  WritePoint3D(pos, os);
  os << ";\n\tcolor ";
  WritePoint3DShort(color, os);
  os << ";\n}\n}";
}

}  // namespace

void GPointLamp::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  os << "{ lamp\n\tname " << name << ";\n\tmodel ";
  WriteLampBody(os, "pos", pos_, color_);
}

void GPointLamp::WriteAsObject(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  os << "{ object\n\tname " << name << ";\n\tmodel ";
  WriteLampBody(os, "center", pos_, color_);
}

std::unique_ptr<CG_LightSource> NGPointLampModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                        const char* lampName) {
  CG_PointLampDescription description;
  bool havePos = false;
  bool haveColor = false;
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      if (!havePos || !haveColor) return nullptr;
      return std::make_unique<GPointLamp>(lampName, this, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (Is(s, "pos")) {
      s.Next();
      if (!ReadPoint3D(description.pos, s)) scene.SetError(5, "Wrong point definition");
      havePos = true;
    } else if (Is(s, "color")) {
      s.Next();
      if (!ReadPoint3D(description.color, s)) scene.SetError(5, "Wrong color definition");
      haveColor = true;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    if (!scene.Expect(s, ';')) return nullptr;
    s.Next();
  }
}

void GXPointLamp::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  CG_XPointLampDescription d;
  GetDescription(d);
  WriteHead(os);
  os << "\tmodel { pointlamp\n\t\tcenter ";
  WritePoint3D(d.center, os);
  os << ";\n\t\tradius " << d.radius << ";\n\t\tdiv " << d.div << ";\n\t\tcolor ";
  WritePoint3DShort(d.color, os);
  os << ";\n\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_XPointLampModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                            CG_GraphicObjectCommData& data) {
  CG_XPointLampDescription description;
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      description.progress = &scene.GetInterface();
      return std::make_unique<GXPointLamp>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (Is(s, "center") || Is(s, "color")) {
      const bool isCenter = Is(s, "center");
      s.Next();
      if (!ReadPoint3D(isCenter ? description.center : description.color, s)) {
        scene.SetError(5, isCenter ? "Wrong point definition" : "Wrong color definition");
      }
      if (!scene.Expect(s, ';')) return nullptr;
      s.Next();
    } else if (Is(s, "radius")) {
      s.Next();
      if (!zavo::ReadNumberAttribute(scene, s, description.radius, "Number wanted")) return nullptr;
    } else if (Is(s, "div")) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, description.div, "Number wanted")) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
