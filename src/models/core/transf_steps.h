#pragma once

// Transformation steps: the ordered lists that place an object (t_Data) or a
// lamp (lt_Data), their text form and their composition into a forward
// matrix (from the owner's child frame into the scene's frame) and its
// inverse. The owners keep the list, so that it can be written back and
// edited step by step, and keep the two matrices.
//
// Kinds, keywords and values:
//   0 "t"   translation by (v0, v1, v2)
//   1 "r"   rotation about x by v0, then about y by v1, then about z by v2
//           (radians, fixed axes through the origin)
//   2 "s"   scale by (v0, v1, v2) about the origin
//   3 "sh"  shear: x gains v0 z, y gains v1 z (v2 is kept but not used)
//   4 "r1", 5 "r2", 6 "r3"
//           the rows of a 3 x 3 matrix; "r3" applies it (objects only)
//
// Text form of one step: the keyword, the three values as a point, ";":
//   "\t\tsh ( 1 , 0 , 5 );\n"
// A "t" step skips the token after its point without looking at it.

#include <cstdint>
#include <iosfwd>

#include "foundation/list.h"
#include "geometry/transformation.h"

class CG_GraphicScene;
class ScannerMemo;

namespace zavo {

enum TransformStepKind : std::int32_t {
  kStepTranslate = 0,
  kStepRotate = 1,
  kStepScale = 2,
  kStepShear = 3,
  kStepRow1 = 4,
  kStepRow2 = 5,
  kStepRow3 = 6,
};

// The last kind an object's steps may have, and a lamp's.
inline constexpr std::int32_t kLastObjectStepKind = kStepRow3;
inline constexpr std::int32_t kLastLampStepKind = kStepShear;

// What every step record holds: the list link, the kind and the three values.
struct TransformStep : ListItem {
  TransformStep() = default;
  TransformStep(std::int32_t stepKind, double v0, double v1, double v2) : kind(stepKind), v{v0, v1, v2} {}

  std::int32_t kind = kStepTranslate;
  double v[3] = {0.0, 0.0, 0.0};
};

// The keyword of a kind; null for any other kind.
const char* StepKeyword(std::int32_t kind);
// The kind of a keyword among the kinds 0 to lastKind, compared exactly
// ("t", "r", "r1", "r2", "r3", "s", "sh"); -1 when it is none of them.
std::int32_t StepKindOf(const char* word, std::int32_t lastKind);

// Builds the forward matrix of a list, step by step.
class StepComposer {
public:
  // The identity, and the row matrix of "r1" / "r2" / "r3" the identity.
  StepComposer();
  // Applies the step after the ones before it (the step's matrix multiplies
  // the forward matrix from the left); kinds above lastKind are ignored.
  void Apply(const TransformStep& step, std::int32_t lastKind);
  const Transformation& Forward() const { return forward_; }

private:
  Transformation forward_;
  double rows_[3][3];
};

// Reads the point and the end of one step, the scanner standing on its
// keyword. A point that does not read records code 5 "Wrong
// point definition" (the values read so far stand, the rest 0) and reading
// goes on. For "t" the token after the point is skipped whatever it is; for
// the other kinds it must be ";" (else code 2 from the scene and 0). 1 with
// the scanner after the step.
int ReadStepValues(CG_GraphicScene& scene, ScannerMemo& scanner, std::int32_t kind, double v[3]);

// "\t\t" keyword " ( " v0 " , " v1 " , " v2 " );\n" in the C locale's default
// number format; nothing for a kind without a keyword.
void WriteStep(std::ostream& os, const TransformStep& step);

}  // namespace zavo

// One step of an object's list.
class t_Data : public zavo::TransformStep {
public:
  using TransformStep::TransformStep;
};

// One step of a lamp's list (kinds 0 to 3).
class lt_Data : public zavo::TransformStep {
public:
  using TransformStep::TransformStep;
};

// The owning list of steps: Append, InsertAfter (null: at the head),
// CopyFrom (appends copies), Clear.
template <class Step>
using TransfList = List<Step>;

// Composes the list in order (the first step is the first applied to a
// point) into forward, and its LU inverse into inverse. Kinds above lastKind
// are ignored. Throws xMatrix, changing neither matrix, when the forward
// matrix has no inverse (a scale factor 0).
template <class Step>
void ComposeSteps(const List<Step>& steps, Transformation& forward, Transformation& inverse,
                  std::int32_t lastKind = zavo::kLastObjectStepKind) {
  zavo::StepComposer composer;
  for (const Step& step : steps) composer.Apply(step, lastKind);
  const Transformation inverted = composer.Forward().Inverse();
  forward = composer.Forward();
  inverse = inverted;
}

// Reads one step of the given kind (the scanner standing on its keyword) and
// appends it: 1, or 0 (nothing appended) when the ";" after it is missing.
template <class Step>
int ReadStep(CG_GraphicScene& scene, ScannerMemo& scanner, std::int32_t kind, List<Step>& steps) {
  double v[3] = {0.0, 0.0, 0.0};
  if (!zavo::ReadStepValues(scene, scanner, kind, v)) return 0;
  steps.Append(new Step(kind, v[0], v[1], v[2]));
  return 1;
}

// Writes every step of the list in order.
template <class Step>
void WriteSteps(std::ostream& os, const List<Step>& steps) {
  for (const Step& step : steps) zavo::WriteStep(os, step);
}
