#pragma once

// The transform lamp, lamp keyword "transf": one inner lamp of the lamp list
// (any lamp form, a transform lamp too) placed under steps of the kinds "t",
// "r", "s" and "sh" (transf_steps.h). Points and light directions go into
// the inner lamp's frame through the inverse matrix, its position comes back
// through the forward one: a point lamp inside moves, a cone lamp inside also
// turns its cone. Its lamp section:
//   { lamp
//   	name moved;
//   	model 	{ transf
//   		t ( 0 , 0 , 5 );
//   { lamp ... the inner lamp's section ... }
//   	}
//   }
// Turned into an object (WriteAsObject) it is a transf object with the same
// steps around the inner lamp's object form.

#include <iosfwd>
#include <memory>

#include "geometry/transformation.h"
#include "models/core/transf_steps.h"
#include "scene/light_source.h"

// What builds and edits a transform lamp: the steps, the inner lamp and
// whether the transform lamp is to own it. Destroying it destroys an owned
// lamp.
class CG_TransfLampDescription {
public:
  CG_TransfLampDescription() = default;
  ~CG_TransfLampDescription();
  CG_TransfLampDescription(const CG_TransfLampDescription&) = delete;
  CG_TransfLampDescription& operator=(const CG_TransfLampDescription&) = delete;

  List<lt_Data> steps;
  CG_LightSource* lamp = nullptr;
  int ownsLamp = 0;
};

class GTransfLamp : public CG_LightSource {
public:
  // Copies the name; then SetTransformList with the description. The module
  // is not kept. Throws xMatrix, taking nothing from the description, when
  // the steps have no inverse.
  GTransfLamp(const char* lampName, CG_LightSourceModule* module, CG_TransfLampDescription& description);
  // Destroys the inner lamp when it owns it.
  ~GTransfLamp() override;

  // Hands the inner lamp and its ownership to the description (the transform
  // lamp has none until SetTransformList and must not be used meanwhile) and
  // replaces the description's steps by copies of its own.
  void GetTransformList(CG_TransfLampDescription& description);
  // Takes the description's lamp and ownership (an owned lamp held before is
  // destroyed), copies its steps of kinds 0 to 3 and composes the matrices.
  // Throws xMatrix, changing nothing, when the steps have no inverse.
  void SetTransformList(CG_TransfLampDescription& description);

  const char* Keyword() const override { return "transf"; }
  // "{ lamp\n\tname N;\n\tmodel \t{ transf\n", the step lines, the inner
  // lamp's section, "\t}\n}\n".
  void Write(std::ostream& os) const override;
  // The inner lamp's colour for the point mapped into its frame and the
  // direction mapped by the 3 x 3 part of the inverse, of unit length again.
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override;
  // The inner lamp's position, mapped forward.
  Point3D Position() const override;

  void GetName(charString& out) const override { out = name; }
  void SetName(const char* text) override { name = text; }
  // Null: the module is not kept.
  CG_LightSourceModule* GetModule() const override { return nullptr; }
  // "{ object\n\tname N;\n\tmodel \t{ transf\n", the step lines, the inner
  // lamp's object form, "\t}\n}\n".
  void WriteAsObject(std::ostream& os) const override;

  const Transformation& Forward() const { return forward_; }
  const Transformation& Inverse() const { return inverse_; }

private:
  // The inner lamp, which every forwarding operation needs: using a transform
  // lamp without one is an internal error.
  const CG_LightSource& Lamp() const;
  void WriteBody(std::ostream& os) const;

  List<lt_Data> steps_;
  CG_LightSource* lamp_ = nullptr;
  int ownsLamp_ = 0;
  Transformation inverse_;
  Transformation forward_;
};

class NGTransfLampModule : public CG_LightSourceModule {
public:
  const char* Keyword() const override { return "transf"; }
  // Reads step lines ("t", "r", "s", "sh") and inner lamp blocks ("{" "lamp"
  // header model "}") up to and including "}"; a later lamp block replaces
  // the earlier lamp. Null (what was read destroyed) for a missing ";" after
  // a step other than "t", a failing lamp block, any other token (code 5
  // "Unknown attribute") and a body without a lamp block (code 5 "Lamp block
  // missing"). Lamp blocks nested more than kMaxDepth deep give null with
  // code 1 "Lamps nested too deeply". Steps without an inverse throw xMatrix.
  std::unique_ptr<CG_LightSource> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                       const char* lampName) override;

  static constexpr int kMaxDepth = 200;

private:
  int depth_ = 0;  // inner lamp blocks being read inside each other
};
