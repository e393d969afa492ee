// The cone lamp's text: the lamp section, its object form, the object block
// and both readers.

#include <cstring>
#include <ostream>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "geometry/point_stream.h"
#include "models/core/cone_lamp.h"
#include "models/core/transf_steps.h"
#include "scene/scene.h"

namespace {

// The model lines of a conelamp object block and its end.
void WriteConeLampModel(std::ostream& os, const CG_XConeLampDescription& d) {
  os << "\tmodel { conelamp\n\t\thigh " << d.high << ";\n\t\tradius " << d.radius << ";\n\t\tdiv " << d.div
     << ";\n\t\tcolor ";
  WritePoint3DShort(d.color, os);
  os << ";\n\t\tp " << d.p << ";\n\t\tdouble " << d.isDouble << ";\n\t\tc1 " << d.c1 << ";\n\t\tc2 " << d.c2
     << ";\n\t\tc3 " << d.c3 << ";\n\t}\n}\n";
}

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

}  // namespace

// ---- The lamp form ----

void GConeLamp::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  os << "{ lamp\n\tname " << name << ";\n\tmodel { conelamp\npos ";
  WritePoint3D(description_.pos, os);
  os << ";\n\tdir ";
  WritePoint3D(description_.dir, os);
  os << ";\n\tang " << description_.ang << ";\n\tcolor ";
  WritePoint3DShort(description_.color, os);
  os << ";\n}\n}";
}

void GConeLamp::WriteAsObject(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  os << "{ object\n\tname " << name << ";\n\tmodel \t{ transf\n";
  double rows[3][3];
  zavo::ConeLampRotationRows(description_.dir, rows);
  for (int i = 0; i < 3; ++i) {
    zavo::WriteStep(os, zavo::TransformStep(zavo::kStepRow1 + i, rows[i][0], rows[i][1], rows[i][2]));
  }
  const Point3D& pos = description_.pos;
  zavo::WriteStep(os, zavo::TransformStep(zavo::kStepTranslate, pos.x, pos.y, pos.z));
  CG_XConeLampDescription cone;
  cone.color = description_.color;
  cone.c1 = 1.0;
  cone.c2 = 0.0;
  cone.c3 = 0.0;
  cone.p = 0.0;
  cone.isDouble = 0;
  cone.div = 10;
  zavo::ConeLampShape(description_.ang, cone.radius, cone.high);
  os << "{ object\n\tname " << name << ";\n";
  WriteConeLampModel(os, cone);
  os << "\t}\n}\n";
}

std::unique_ptr<CG_LightSource> NGConeLampModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                       const char* lampName) {
  CG_ConeLampDescription description;
  bool havePos = false;
  bool haveDir = false;
  bool haveAng = false;
  bool haveColor = false;
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      if (!havePos || !haveDir || !haveAng || !haveColor) return nullptr;
      return std::make_unique<GConeLamp>(lampName, this, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (Is(s, "pos")) {
      s.Next();
      if (!ReadPoint3D(description.pos, s)) scene.SetError(5, "Wrong point definition");
      havePos = true;
    } else if (Is(s, "dir")) {
      s.Next();
      if (!ReadPoint3D(description.dir, s)) scene.SetError(5, "Wrong point pefinition");
      haveDir = true;
    } else if (Is(s, "ang")) {
      s.Next();
      double value = 0.0;
      if (!zavo::TokenToDoubleOrZero(s, value)) {
        scene.SetError(5, "Number wanted");
        return nullptr;
      }
      description.ang = value;
      haveAng = true;
      s.Next();
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

// ---- The object form ----

void CG_XConeLamp::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  CG_XConeLampDescription description;
  GetDescription(description);
  WriteConeLampModel(os, description);
}

std::unique_ptr<CG_GraphicObject> CG_XConeLampModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                           CG_GraphicObjectCommData& data) {
  CG_XConeLampDescription d;
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      d.progress = &scene.GetInterface();
      return std::make_unique<CG_XConeLamp>(data, d);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    double* number = nullptr;
    int* whole = nullptr;
    if (Is(s, "radius")) {
      number = &d.radius;
    } else if (Is(s, "high")) {
      number = &d.high;
    } else if (Is(s, "p")) {
      number = &d.p;
    } else if (Is(s, "c1")) {
      number = &d.c1;
    } else if (Is(s, "c2")) {
      number = &d.c2;
    } else if (Is(s, "c3")) {
      number = &d.c3;
    } else if (Is(s, "div")) {
      whole = &d.div;
    } else if (Is(s, "double")) {
      whole = &d.isDouble;
    } else if (Is(s, "color")) {
      s.Next();
      if (!ReadPoint3D(d.color, s)) scene.SetError(5, "Wrong color definition");
      if (!scene.Expect(s, ';')) return nullptr;
      s.Next();
      continue;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    s.Next();
    if (number != nullptr && !zavo::ReadNumberAttribute(scene, s, *number, "Number wanted")) return nullptr;
    if (whole != nullptr && !zavo::ReadIntAttribute(scene, s, *whole, "Number wanted")) return nullptr;
  }
}
