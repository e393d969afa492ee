#pragma once

// The scene predicates of the editor's Prolog system.

class PrologSystem;

namespace zavo {

// Defines, in this order, qz_test1, qz_duplicate, qz_delete, qz_rotate,
// qz_scale, qz_translate and qz_createobject0 in a QZPrologSystem.
//   qz_test1(T): writes "name = " and the name of T as it stands (no binding
//     is followed); T must be an atom or compound.
//   qz_duplicate(Name, New): copies the object Name (atom or compound name)
//     and binds the unbound named variable New to the copy's name; fails
//     when nothing was copied.
//   qz_delete, qz_rotate, qz_scale: always fail.
//   qz_translate(Name, X, Y, Z): moves the object Name (an atom) by (X, Y,
//     Z); fails for a name without an object or without an item.
//   qz_createobject0(Term, _): merges the scene text of Term into the scene.
// Unless the host is quiet each call but those that always fail first
// writes a trace line ("%test1 ", "%qz_duplicate ", "%qz_translate ",
// "%qz_createfromscheme " and the number of arguments). A wrong arity or a
// term of the wrong kind is reported to the host and fails; an unbound
// variable where a value is needed fails quietly. A scene change ends with
// the document marked modified.
void DefineScenePredicates(PrologSystem& sys);

}  // namespace zavo
