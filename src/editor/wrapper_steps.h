#pragma once

// One step added to the list of a transform wrapper, an object's transf or a
// lamp's: the list is taken out of the wrapper, the step put in its place and
// the list given back, so that the wrapper's matrices are rebuilt at once.

#include <cmath>
#include <cstdint>

#include "foundation/list.h"
#include "foundation/matrix.h"
#include "models/core/transf_steps.h"

namespace zavo {

// Where a new step goes: at the end, before the first translate step or
// before the second one (at the end when the list has no such step).
enum class StepPlace { kEnd, kBeforeFirstTranslate, kBeforeSecondTranslate };

// Adds the step and answers 1. A value that is not finite, or a scale factor
// 0, would leave the wrapper without a usable inverse: the list stays as it
// was and the answer is 0. Description is the wrapper's list record, Step
// the kind of its list elements.
template <class Description, class Step, class Wrapper>
int AddWrapperStep(Wrapper* wrapper, StepPlace place, std::int32_t kind, double x, double y, double z) {
  if (wrapper == nullptr) return 0;
  // The matrix test misses some of these.
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return 0;
  if (kind == kStepScale && (x == 0.0 || y == 0.0 || z == 0.0)) return 0;
  Description description;
  wrapper->GetTransformList(description);
  List<Step> kept;
  kept.CopyFrom(description.steps);

  const int wanted = place == StepPlace::kBeforeFirstTranslate    ? 1
                     : place == StepPlace::kBeforeSecondTranslate ? 2
                                                                  : 0;
  Step* previous = nullptr;
  Step* step = description.steps.First();
  int translates = 0;
  while (step != nullptr) {
    if (step->kind == kStepTranslate && ++translates == wanted) break;
    previous = step;
    step = List<Step>::Next(step);
  }
  auto* added = new Step(kind, x, y, z);
  if (step == nullptr) {
    description.steps.Append(added);
  } else {
    description.steps.InsertAfter(previous, added);
  }
  try {
    wrapper->SetTransformList(description);
    return 1;
  } catch (const xMatrix&) {
    // The old list always has an inverse: the wrapper takes it back whole.
    description.steps.Clear();
    description.steps.CopyFrom(kept);
    wrapper->SetTransformList(description);
    return 0;
  }
}

}  // namespace zavo
