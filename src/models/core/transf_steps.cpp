#include "models/core/transf_steps.h"

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/core/model_object.h"
#include "scene/scene.h"

namespace zavo {

namespace {

// The keywords, indexed by kind.
constexpr const char* kKeywords[] = {"t", "r", "s", "sh", "r1", "r2", "r3"};
constexpr std::int32_t kKindCount = 7;

}  // namespace

const char* StepKeyword(std::int32_t kind) {
  if (kind < 0 || kind >= kKindCount) return nullptr;
  return kKeywords[kind];
}

std::int32_t StepKindOf(const char* word, std::int32_t lastKind) {
  if (word == nullptr) return -1;
  for (std::int32_t kind = 0; kind <= lastKind && kind < kKindCount; ++kind) {
    if (std::strcmp(word, kKeywords[kind]) == 0) return kind;
  }
  return -1;
}

StepComposer::StepComposer() {
  forward_.SetIdentity();
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) rows_[i][j] = i == j ? 1.0 : 0.0;
  }
}

void StepComposer::Apply(const TransformStep& step, std::int32_t lastKind) {
  if (step.kind < 0 || step.kind > lastKind) return;
  const double* v = step.v;
  Transformation s;
  switch (step.kind) {
    case kStepTranslate:
      TranslationTransformation(s, v[0], v[1], v[2]);
      break;
    case kStepRotate:
      RotationXTransformation(s, v[0]);
      ComposeTransformations(forward_, s, forward_);
      RotationYTransformation(s, v[1]);
      ComposeTransformations(forward_, s, forward_);
      RotationZTransformation(s, v[2]);
      break;
    case kStepScale:
      ScaleTransformation(s, v[0], v[1], v[2]);
      break;
    case kStepShear:
      ShearZTransformation(s, v[0], v[1]);
      break;
    case kStepRow1:
    case kStepRow2:
      for (int j = 0; j < 3; ++j) rows_[step.kind - kStepRow1][j] = v[j];
      return;
    case kStepRow3:
      for (int j = 0; j < 3; ++j) rows_[2][j] = v[j];
      s.SetIdentity();
      for (std::uint32_t i = 0; i < 3; ++i) {
        for (std::uint32_t j = 0; j < 3; ++j) s(i, j) = rows_[i][j];
      }
      break;
    default:
      return;
  }
  ComposeTransformations(forward_, s, forward_);
}

int ReadStepValues(CG_GraphicScene& scene, ScannerMemo& s, std::int32_t kind, double v[3]) {
  s.Next();
  Point3D point;
  if (!ReadPoint3D(point, s)) scene.SetError(5, "Wrong point definition");
  v[0] = point.x;
  v[1] = point.y;
  v[2] = point.z;
  if (kind != kStepTranslate && !scene.Expect(s, ';')) return 0;
  s.Next();
  return 1;
}

void WriteStep(std::ostream& os, const TransformStep& step) {
  const char* keyword = StepKeyword(step.kind);
  if (keyword == nullptr) return;
  ClassicNumbers classic(os);
  os << "\t\t" << keyword << ' ';
  WritePoint3D({step.v[0], step.v[1], step.v[2]}, os);
  os << ";\n";
}

}  // namespace zavo
