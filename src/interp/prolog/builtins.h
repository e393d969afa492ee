#pragma once

// The built-in predicates that every Prolog system has. Each is called with
// LeftPos the frame of the goal, answers nonzero for success and leaves no
// choice point. A built-in used against its contract writes its message and a
// line end to the system's `out` and fails.

#include "interp/prolog/definitions.h"

namespace zavo {

// The function of the built-in predicate of that name, or null.
PrologPredicate BuiltinPredicate(const char* name);

}  // namespace zavo
