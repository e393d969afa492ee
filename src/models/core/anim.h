#pragma once

// The anim, model keyword "anim": one object moved along a path curve and
// turned after a second path curve as the current frame goes. It has no
// geometry of its own: whenever it is asked for parts to render, draw or
// export, it computes the steps of the current frame and hands out transf
// wrappers of its object (or of the object's parts) holding them.
//
// Fraction of the motion at frame F: 0 before "from", 1 after "to", else
// (F - from) / n with n = trunc(|to - from|), 1 when that is 0 (so f can
// exceed 1 inside the range when to - from is not whole). A path is read
// at ParamMin + (ParamMax - ParamMin) f.
//
// Steps of a frame: with a rotation path, its directions d0 (at ParamMin)
// and d1 (now), each made of unit length, turn the object about center:
//   t (-center), r (0, 0, a(d0)), r (0, b(d0), 0), r (0, 0, -a(d1)),
//   r (0, -b(d1), 0), t (+center)
// with a(d) = acos(x / sqrt(x^2 + y^2)) and b(d) = acos(x / sqrt(x^2 + z^2))
// in [0, pi], 0 when the square root is 0; with a move path, its point p
// now adds t (p - center).
//
// Its text body, inside "model \t{ anim" ... "}":
//   { object ... }           the animated object (required)
//   center ( x , y , z );
//   from a;  to b;           read as numbers whatever the token (a word is 0)
//   move { object ... }      the move path
//   rotate { object ... }    the rotation path
// A later block of the same kind replaces (and destroys) an earlier one.
// The frame and the frame count are not written.

#include <iosfwd>
#include <memory>

#include "geometry/point3d.h"
#include "models/core/name_only_object.h"
#include "models/core/transf_steps.h"
#include "scene/registry.h"

// The anim's settings with the three objects and their ownership.
// Destroying it destroys the objects it owns.
class CG_AnimDescription {
public:
  CG_AnimDescription() = default;
  ~CG_AnimDescription();
  CG_AnimDescription(const CG_AnimDescription&) = delete;
  CG_AnimDescription& operator=(const CG_AnimDescription&) = delete;

  Point3D center;
  CG_GraphicObject* object = nullptr;
  int ownsObject = 0;
  CG_GraphicObject* move = nullptr;
  int ownsMove = 0;
  CG_GraphicObject* rotate = nullptr;
  int ownsRotate = 0;
  double from = 0.0;
  double to = 10.0;
};

class GAnim : public zavo::NameOnlyObject {
public:
  // Name, IDname and toll from the common data; then SetDescription.
  GAnim(const CG_GraphicObjectCommData& data, CG_AnimDescription& description);
  ~GAnim() override;
  GAnim(const GAnim&) = delete;

  // Takes center, from, to and the three objects with their ownership (the
  // description's pointers become null); objects owned before are destroyed
  // unless the description hands the same ones back.
  void SetDescription(CG_AnimDescription& description);
  // Hands the three objects and their ownership out (the anim keeps none
  // until SetDescription) and copies center, from and to.
  void GetDescription(CG_AnimDescription& description);

  // The animated object's answer (a CSG inside keeps its IDname taken); 0
  // without an object.
  int ContainsIDname(const char* id) const override {
    return object_ != nullptr ? object_->ContainsIDname(id) : 0;
  }
  // The object block (see above); nothing without an object.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "anim"; }
  // Null: an anim cannot be copied.
  std::unique_ptr<CG_GraphicObject> Clone() const override { return nullptr; }

  // For each: when the object has the capability, one owned transf around
  // the object itself (not owning it); else each part of the object's own
  // declass in an owned transf that owns the part when it was owned. 0
  // without an object or when the object's declass fails.
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override;
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;

  // Object, move path and rotation path, each when present; 1.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  // 0, the list untouched.
  int GetMaterials(Seq<CG_NamedMaterial*>&) const override { return 0; }
  int GetTextures(Seq<CG_Texture*>&) const override { return 0; }

  int IsAnim() const override { return 1; }
  // Store the value; 1.
  int SetFrameCount(double count) override;
  int SetFrame(double frame) override;
  // The frame SetFrame set.
  double GetFrame() const override { return frame_; }

  double Frame() const { return frame_; }
  double FrameCount() const { return frameCount_; }
  // The fraction of the motion at the current frame.
  double Fraction() const;
  // The steps of the current frame, appended to the list.
  void FrameSteps(List<t_Data>& steps) const;

private:
  // One owned transf of the frame around the object itself, not owning it;
  // 0 when the steps have no inverse.
  int WrapObject(zavo::DeclassedParts& parts) const;
  // Each of the object's parts in an owned transf of the frame, owning the
  // part when it was owned; objectParts is left empty. 0 (every part
  // released) when the steps have no inverse.
  int WrapParts(zavo::DeclassedParts& parts, zavo::DeclassedParts& objectParts) const;

  Point3D center_;
  CG_GraphicObject* object_ = nullptr;
  int ownsObject_ = 0;
  CG_GraphicObject* move_ = nullptr;
  int ownsMove_ = 0;
  CG_GraphicObject* rotate_ = nullptr;
  int ownsRotate_ = 0;
  double frameCount_ = 10.0;
  double frame_ = 0.0;
  double from_ = 0.0;
  double to_ = 10.0;
};

class CG_AnimModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "anim"; }
  // Reads the body up to and including "}". A failing object block, a
  // missing ";" or "{", and any other word (code 5 "Unknown attribute") give
  // null; a point that does not read records code 5 "Wrong point
  // definition" and reading goes on; a body without an object block gives
  // null with code 5 "Object block missing". What was read is destroyed.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
