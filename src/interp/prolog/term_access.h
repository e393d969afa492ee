#pragma once

// What an embedding program's predicates need of the terms they are given:
// a term read in a frame is followed through its bindings, then asked for
// its kind (pObj::Type), its name, its arguments or its value, or written.

#include <iosfwd>
#include <string>

class PrologSystem;
class pObj;

namespace zavo {

// A term with the frame its variables are read in.
struct FramedTerm {
  pObj* term;
  int frame;
};

// Follows the bindings of variables from `t` read in `frame` (a predicate
// passes LeftPos): the first term that is not a bound variable, with the frame
// it is read in. An unbound variable comes back as it is (Type() 10).
FramedTerm Deref(PrologSystem& sys, pObj* t, int frame);

// The name of an atom or a compound term; null for any other term.
const char* TermName(const pObj* t);

// Writes the term as "write" shows it: variables through their bindings in
// `frame`, through the system's output routing.
void WriteTerm(PrologSystem& sys, pObj* t, int frame, std::ostream& os);

// The text WriteTerm writes, kept from the host: a predicate that builds a
// text of its own out of terms gets it whatever the host's quiet flag.
std::string TermText(PrologSystem& sys, pObj* t, int frame);

}  // namespace zavo
