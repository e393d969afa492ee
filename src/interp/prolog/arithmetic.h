#pragma once

// The evaluators of the evaluable functors: each takes the system and the
// arguments of a compound term, evaluates the arguments left to right (their
// variables read in ViewFrame) and answers a new number owned by the caller,
// or null when the argument count is wrong or an argument has no value.
// Results follow IEEE arithmetic: 1 / 0 is infinite, sqrt(-1) is NaN.
// While the system's debug flag is set each evaluator traces to the log.

#include "foundation/seq.h"

class PrologSystem;
class pObj;

pObj* fneval_plus1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_minus1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_molt1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_div1(PrologSystem& sys, Seq<pObj*>& args);
// Both arguments truncated toward zero to 32-bit integers, the remainder with
// the sign of the first; null when the second truncates to 0.
pObj* fneval_mod1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_pow1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_sin1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_cos1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_tan1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_asin1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_acos1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_atan1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_sqrt1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_log1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_exp1(PrologSystem& sys, Seq<pObj*>& args);
// Prefix minus and prefix plus.
pObj* fneval_fminus1(PrologSystem& sys, Seq<pObj*>& args);
pObj* fneval_fplus1(PrologSystem& sys, Seq<pObj*>& args);
