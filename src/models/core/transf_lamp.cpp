#include "models/core/transf_lamp.h"

#include <cstring>
#include <ostream>

#include "foundation/runtime_error_box.h"
#include "foundation/scanner.h"
#include "models/core/model_object.h"
#include "scene/scene.h"

namespace {

// The 3 x 3 part of m applied to v.
Point3D Linear(const Transformation& m, const Point3D& v) {
  return {m(0, 0) * v.x + m(0, 1) * v.y + m(0, 2) * v.z, m(1, 0) * v.x + m(1, 1) * v.y + m(1, 2) * v.z,
          m(2, 0) * v.x + m(2, 1) * v.y + m(2, 2) * v.z};
}

// v divided by its length; a zero vector stays zero.
Point3D Unit(const Point3D& v) {
  const double length = Length(v);
  return length > 0.0 ? v * (1.0 / length) : v;
}

}  // namespace

CG_TransfLampDescription::~CG_TransfLampDescription() {
  if (ownsLamp && lamp != nullptr) delete lamp;
  steps.Clear();
}

GTransfLamp::GTransfLamp(const char* lampName, CG_LightSourceModule*, CG_TransfLampDescription& description)
    : CG_LightSource(lampName) {
  forward_.SetIdentity();
  inverse_.SetIdentity();
  SetTransformList(description);
}

GTransfLamp::~GTransfLamp() {
  if (ownsLamp_ && lamp_ != nullptr) delete lamp_;
  steps_.Clear();
}

void GTransfLamp::GetTransformList(CG_TransfLampDescription& description) {
  if (description.ownsLamp && description.lamp != nullptr && description.lamp != lamp_) delete description.lamp;
  description.lamp = lamp_;
  description.ownsLamp = ownsLamp_;
  lamp_ = nullptr;
  ownsLamp_ = 0;
  description.steps.Clear();
  description.steps.CopyFrom(steps_);
}

void GTransfLamp::SetTransformList(CG_TransfLampDescription& description) {
  // Everything that can fail comes first: a throw changes nothing.
  Transformation forward;
  Transformation inverse;
  ComposeSteps(description.steps, forward, inverse, zavo::kLastLampStepKind);
  List<lt_Data> steps;
  for (const lt_Data& step : description.steps) {
    if (step.kind >= 0 && step.kind <= zavo::kLastLampStepKind) {
      steps.Append(new lt_Data(step.kind, step.v[0], step.v[1], step.v[2]));
    }
  }

  if (ownsLamp_ && lamp_ != nullptr && lamp_ != description.lamp) delete lamp_;
  lamp_ = description.lamp;
  ownsLamp_ = description.ownsLamp;
  description.lamp = nullptr;
  description.ownsLamp = 0;
  steps_.Clear();
  while (lt_Data* step = steps.RemoveHead()) steps_.Append(step);
  forward_ = forward;
  inverse_ = inverse;
}

const CG_LightSource& GTransfLamp::Lamp() const {
  if (lamp_ == nullptr) RuntimeErrorBox("GTransfLamp: no lamp");
  return *lamp_;
}

Point3D GTransfLamp::ColourAt(const Point3D& point, const Point3D& toLamp) const {
  return Lamp().ColourAt(TransformPoint(inverse_, point), Unit(Linear(inverse_, toLamp)));
}

Point3D GTransfLamp::Position() const { return TransformPoint(forward_, Lamp().Position()); }

void GTransfLamp::Write(std::ostream& os) const {
  const CG_LightSource& lamp = Lamp();
  os << "{ lamp\n\tname " << name << ";\n\tmodel \t{ transf\n";
  WriteSteps(os, steps_);
  lamp.Write(os);
  os << "\t}\n}\n";
}

void GTransfLamp::WriteAsObject(std::ostream& os) const {
  const CG_LightSource& lamp = Lamp();
  os << "{ object\n\tname " << name << ";\n\tmodel \t{ transf\n";
  WriteSteps(os, steps_);
  lamp.WriteAsObject(os);
  os << "\t}\n}\n";
}

std::unique_ptr<CG_LightSource> NGTransfLampModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                         const char* lampName) {
  CG_TransfLampDescription description;
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      // Reported at the closing brace of the body.
      if (description.lamp == nullptr) {
        scene.SetError(5, "Lamp block missing");
        return nullptr;
      }
      s.Next();
      return std::make_unique<GTransfLamp>(lampName, this, description);
    }
    const std::int32_t kind = zavo::StepKindOf(word, zavo::kLastLampStepKind);
    if (kind >= 0) {
      if (!ReadStep(scene, s, kind, description.steps)) return nullptr;
    } else if (std::strcmp(word, "{") == 0) {
      s.Next();
      if (!scene.ExpectWord(s, "lamp")) return nullptr;
      s.Next();
      charString innerName;
      if (!scene.ReadLampHeader(s, innerName)) return nullptr;
      // Transform lamps inside each other read through here again: bound the
      // nesting so that no text can exhaust the stack.
      if (depth_ >= kMaxDepth) {
        scene.SetError(1, "Lamps nested too deeply");
        return nullptr;
      }
      struct Nesting {
        explicit Nesting(int& d) : depth(d) { ++depth; }
        ~Nesting() { --depth; }
        int& depth;
      };
      std::unique_ptr<CG_LightSource> inner;
      {
        Nesting nesting(depth_);
        inner = scene.ReadLampModel(s, innerName.Text());
      }
      if (!inner) return nullptr;
      if (!scene.Expect(s, '}')) return nullptr;
      s.Next();
      // A later block replaces the lamp: the earlier one goes.
      if (description.ownsLamp) delete description.lamp;
      description.lamp = inner.release();
      description.ownsLamp = 1;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
