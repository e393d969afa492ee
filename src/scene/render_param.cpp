#include "scene/render_param.h"

#include <cstring>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/point_stream.h"
#include "geometry/real_text.h"

namespace {

enum class Kind {
  kIdentifier,  // a string that must be an identifier token
  kAnyToken,    // a string taken from whatever token stands there
  kReal,
  kInteger,
  kColour,
};

struct Key {
  const char* key;
  Kind kind;
  charString GParam::*text = nullptr;
  double GParam::*real = nullptr;
  int GParam::*integer = nullptr;
  Point3D GParam::*colour = nullptr;
};

constexpr Key Text(const char* key, Kind kind, charString GParam::*m) { return {key, kind, m}; }
constexpr Key Real(const char* key, double GParam::*m) { return {key, Kind::kReal, nullptr, m}; }
constexpr Key Integer(const char* key, int GParam::*m) {
  return {key, Kind::kInteger, nullptr, nullptr, m};
}
constexpr Key Colour(const char* key, Point3D GParam::*m) {
  return {key, Kind::kColour, nullptr, nullptr, nullptr, m};
}

// The keys in the order the reader compares them. The camera in use takes any
// token: an object's name may be any token, and a camera so named must load
// again after a save.
const Key kKeys[] = {
    Text("render", Kind::kIdentifier, &GParam::render),
    Text("CameraInUse", Kind::kAnyToken, &GParam::CameraInUse),
    Real("toll", &GParam::toll),
    Real("infltoll", &GParam::infltoll),
    Integer("mode", &GParam::mode),
    Text("shade", Kind::kIdentifier, &GParam::shade),
    Integer("dimx", &GParam::dimx),
    Integer("dimy", &GParam::dimy),
    Integer("anti_alias", &GParam::anti_alias),
    Real("anti_al_toll", &GParam::anti_al_toll),
    Real("ambient_ni", &GParam::ambient_ni),
    Integer("modifydef", &GParam::modifydef),
    Integer("buildhier", &GParam::buildhier),
    Colour("ambientcolor", &GParam::ambientcolor),
    Colour("backcolor", &GParam::backcolor),
    Integer("depthmax", &GParam::depthmax),
    Integer("depthmin", &GParam::depthmin),
    Integer("depthback", &GParam::depthback),
    Integer("_csg_convert", &GParam::_csg_convert),
    Text("_brep_optimiz", Kind::kAnyToken, &GParam::_brep_optimiz),
    Integer("_brep_grid_dim", &GParam::_brep_grid_dim),
    Integer("_brep_hsort", &GParam::_brep_hsort),
    Text("_general_optimiz", Kind::kAnyToken, &GParam::_general_optimiz),
    Integer("_general_grid_dim", &GParam::_general_grid_dim),
    Integer("_general_hsort", &GParam::_general_hsort),
    Real("_general_costr", &GParam::_general_costr),
    Integer("jitterfreq", &GParam::jitterfreq),
    Real("jitterrange", &GParam::jitterrange),
    Integer("motionblur", &GParam::motionblur),
    Real("motionblurq", &GParam::motionblurq),
    Integer("mpeg", &GParam::mpeg),
    Integer("AngleFreq", &GParam::AngleFreq),
    Integer("UseDistribuiteTS", &GParam::UseDistribuiteTS),
    Integer("UseAA", &GParam::UseAA),
    Real("AAsb", &GParam::AAsb),
    Real("AAsf", &GParam::AAsf),
    Real("AAzb", &GParam::AAzb),
    Real("AAzf", &GParam::AAzf),
    Integer("UseDF", &GParam::UseDF),
    Real("DFf1", &GParam::DFf1),
    Real("DFf2", &GParam::DFf2),
    Real("DFb1", &GParam::DFb1),
    Real("DFb2", &GParam::DFb2),
    Real("DFSmax", &GParam::DFSmax),
};

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

const Key* FindKey(const char* text) {
  for (const Key& k : kKeys) {
    if (std::strcmp(k.key, text) == 0) return &k;
  }
  return nullptr;
}

// Reads the value of one key into the parameters, leaving the scanner on the
// token after it.
bool ReadValue(ScannerMemo& s, const Key& key, GParam& p) {
  switch (key.kind) {
    case Kind::kIdentifier:
      if (s.Kind() != zavo::kTokenIdentifier) return false;
      [[fallthrough]];
    case Kind::kAnyToken:
      // Any token that has a text: not the end of the input, nor a NUL byte
      // (whose text is empty and would be written as nothing).
      if (s.Kind() == zavo::kTokenError || s.Text()[0] == '\0') return false;
      p.*key.text = s.Text();
      s.Next();
      return true;
    case Kind::kReal: {
      double value = 0;
      if (!zavo::TokenToDouble(s, value)) return false;
      p.*key.real = value;
      s.Next();
      return true;
    }
    case Kind::kInteger: {
      int value = 0;
      if (!zavo::TokenToInt(s, value)) return false;
      p.*key.integer = value;
      s.Next();
      return true;
    }
    case Kind::kColour: {
      Point3D colour;
      if (!ReadPoint3DShort(colour, s)) return false;
      p.*key.colour = colour;
      return true;
    }
  }
  return false;
}

void Entry(std::ostream& os, const char* key, double value) {
  os << ";\n  " << key << ' ';
  zavo::WriteReal(os, value);
}

void Entry(std::ostream& os, const char* key, int value) {
  os << ";\n  " << key << ' ' << std::to_string(value);
}

void Entry(std::ostream& os, const char* key, const charString& value) {
  os << ";\n  " << key << ' ' << value;
}

void Entry(std::ostream& os, const char* key, const Point3D& value) {
  os << ";\n  " << key << ' ';
  WritePoint3DShort(value, os);
}

}  // namespace

int GParam::Read(ScannerMemo& s) {
  for (;;) {
    if (Is(s, "}")) {
      s.Next();
      return 1;
    }
    if (s.Kind() != zavo::kTokenIdentifier) return 0;
    const Key* key = FindKey(s.Text());
    if (key == nullptr) return 0;
    s.Next();
    if (!ReadValue(s, *key, *this)) return 0;
    if (!Is(s, ";")) return 0;
    s.Next();
  }
}

void GParam::Write(std::ostream& os) const {
  const GParam d;  // the defaults: conditional entries are written when they differ
  os << "{ param\n\n  render " << render;
  Entry(os, "toll", toll);
  // Always written: a reflection threshold of 0 would otherwise read back as the default.
  Entry(os, "infltoll", infltoll);
  Entry(os, "mode", mode);
  Entry(os, "shade", shade);
  Entry(os, "anti_alias", anti_alias);
  Entry(os, "anti_al_toll", anti_al_toll);
  Entry(os, "dimx", dimx);
  Entry(os, "dimy", dimy);
  Entry(os, "ambientcolor", ambientcolor);
  Entry(os, "backcolor", backcolor);
  Entry(os, "ambient_ni", ambient_ni);
  Entry(os, "buildhier", buildhier);
  Entry(os, "modifydef", modifydef);
  Entry(os, "depthmax", depthmax);
  Entry(os, "depthmin", depthmin);
  Entry(os, "depthback", depthback);
  if (jitterfreq != d.jitterfreq) Entry(os, "jitterfreq", jitterfreq);
  // A jitter range that is not the default is written too, or a save would lose it.
  if (!zavo::WrittenAlike(jitterrange, d.jitterrange)) Entry(os, "jitterrange", jitterrange);
  if (motionblur != d.motionblur) Entry(os, "motionblur", motionblur);
  if (!zavo::WrittenAlike(motionblurq, d.motionblurq)) Entry(os, "motionblurq", motionblurq);
  if (mpeg != d.mpeg) Entry(os, "mpeg", mpeg);
  if (AngleFreq != d.AngleFreq) Entry(os, "AngleFreq", AngleFreq);
  if (UseDistribuiteTS != d.UseDistribuiteTS) Entry(os, "UseDistribuiteTS", UseDistribuiteTS);
  if (UseAA != d.UseAA) Entry(os, "UseAA", UseAA);
  if (!zavo::WrittenAlike(AAsb, d.AAsb)) Entry(os, "AAsb", AAsb);
  if (!zavo::WrittenAlike(AAsf, d.AAsf)) Entry(os, "AAsf", AAsf);
  if (!zavo::WrittenAlike(AAzb, d.AAzb)) Entry(os, "AAzb", AAzb);
  if (!zavo::WrittenAlike(AAzf, d.AAzf)) Entry(os, "AAzf", AAzf);
  if (UseDF != d.UseDF) Entry(os, "UseDF", UseDF);
  if (!zavo::WrittenAlike(DFSmax, d.DFSmax)) Entry(os, "DFSmax", DFSmax);
  if (!zavo::WrittenAlike(DFf1, d.DFf1)) Entry(os, "DFf1", DFf1);
  if (!zavo::WrittenAlike(DFf2, d.DFf2)) Entry(os, "DFf2", DFf2);
  if (!zavo::WrittenAlike(DFb1, d.DFb1)) Entry(os, "DFb1", DFb1);
  if (!zavo::WrittenAlike(DFb2, d.DFb2)) Entry(os, "DFb2", DFb2);
  Entry(os, "_csg_convert", _csg_convert);
  if (_brep_optimiz != "auto") {
    Entry(os, "_brep_optimiz", _brep_optimiz);
    Entry(os, "_brep_grid_dim", _brep_grid_dim);
  }
  if (_brep_hsort != 0) Entry(os, "_brep_hsort", _brep_hsort);
  if (_general_optimiz != "auto") {
    Entry(os, "_general_optimiz", _general_optimiz);
    Entry(os, "_general_grid_dim", _general_grid_dim);
  }
  // Always written: 0 would otherwise read back as the default 1.
  Entry(os, "_general_hsort", _general_hsort);
  if (!zavo::WrittenAlike(_general_costr, d._general_costr)) Entry(os, "_general_costr", _general_costr);
  if (CameraInUse.Text() != nullptr) Entry(os, "CameraInUse", CameraInUse);
  os << ";\n}\n\n";
}
