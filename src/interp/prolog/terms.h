#pragma once

// Prolog terms and binding cells.
//
// A term is a small tree that is never copied while a proof runs: a clause is
// stored once and every use gets a fresh frame of binding cells, so a term
// always travels with the number of the frame in which its variables are looked
// up. Unification reads the term itself in the system's `LeftPos` frame and the
// other term in `RightPos`; printing and evaluation use `ViewFrame`.

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "foundation/seq.h"

class DFunc;
class PrologSystem;
class Rule;

namespace zavo {

// Type codes answered by pObj::Type.
inline constexpr int kTypeAnonim = 1;
inline constexpr int kTypeAtom = 4;
inline constexpr int kTypeFunctor = 5;
inline constexpr int kTypeVar = 10;
inline constexpr int kTypeNumber = 100;

}  // namespace zavo

template <class System>
class pObjectBase {
public:
  virtual ~pObjectBase() = default;
};

class pObj : public pObjectBase<PrologSystem> {
public:
  pObj(const pObj&) = delete;
  pObj& operator=(const pObj&) = delete;

  // 1 for a compound term.
  virtual int IsCompound() const;
  // One of the zavo::kType codes.
  virtual int Type() const = 0;
  // Writes the term to the stream through the system's output routing.
  virtual void Out(PrologSystem& sys, std::ostream& os) = 0;
  // 1 when the term (read in LeftPos) unifies with the other (read in
  // RightPos). The bindings made are trailed and stay when it fails. A pair
  // of terms beyond the walk bounds (terms that hold themselves) raises
  // zavo::xPrologOverflow, as a full stack does.
  virtual int Unify(PrologSystem& sys, pObj& other) = 0;
  // Arithmetic evaluation: a new term owned by the caller, or null; null also
  // beyond the walk bounds.
  virtual pObj* Eval(PrologSystem& sys, int mode);
  // 1 for a term that can stand as a goal (an atom or a compound).
  virtual int IsCallable() const;

  // The type code read without a virtual call, for the engine's inner loops;
  // always the answer of Type().
  int Tag() const { return tag_; }
  bool TagCallable() const { return tag_ == zavo::kTypeAtom || tag_ == zavo::kTypeFunctor; }

protected:
  explicit pObj(int tag) : tag_(tag) {}

private:
  const int tag_;
};

class RealNumber : public pObj {
public:
  explicit RealNumber(double v) : pObj(zavo::kTypeNumber), value(v) {}
  int Type() const override;
  void Out(PrologSystem& sys, std::ostream& os) override;
  int Unify(PrologSystem& sys, pObj& other) override;
  pObj* Eval(PrologSystem& sys, int mode) override;

  double value;
};

class FunctorBase : public pObj {
public:
  FunctorBase(DFunc* d, int tag) : pObj(tag), def(d) {}
  int IsCallable() const override;

  DFunc* def;  // the name's definition; not owned

  // The clause list's answer for this term's name and arity, kept for the
  // next search of the same goal while the list's table of names stays as
  // it was (see RuleManager::For).
  mutable const std::vector<Rule*>* clausesSeen = nullptr;
  mutable std::uint64_t clausesSeenAt = 0;
};

class Atom : public FunctorBase {
public:
  explicit Atom(DFunc* d) : FunctorBase(d, zavo::kTypeAtom) {}
  int Type() const override;
  void Out(PrologSystem& sys, std::ostream& os) override;
  int Unify(PrologSystem& sys, pObj& other) override;
  pObj* Eval(PrologSystem& sys, int mode) override;
};

class Functor : public FunctorBase {
public:
  // A compound of `arity` arguments, all null until the caller stores them.
  Functor(DFunc* d, int arity);
  ~Functor() override;

  int IsCompound() const override;
  int Type() const override;
  void Out(PrologSystem& sys, std::ostream& os) override;
  int Unify(PrologSystem& sys, pObj& other) override;
  pObj* Eval(PrologSystem& sys, int mode) override;

  int Arity() const { return static_cast<int>(args.Count()); }

  Seq<pObj*> args;  // owned
};

class pVar : public pObj {
public:
  explicit pVar(int i) : pObj(zavo::kTypeVar), index(i) {}
  int Type() const override;
  void Out(PrologSystem& sys, std::ostream& os) override;
  int Unify(PrologSystem& sys, pObj& other) override;
  pObj* Eval(PrologSystem& sys, int mode) override;

  int index;  // position of the name in the clause's variable-name list
};

class Anonim : public pObj {
public:
  Anonim() : pObj(zavo::kTypeAnonim) {}
  int Type() const override;
  void Out(PrologSystem& sys, std::ostream& os) override;
  int Unify(PrologSystem& sys, pObj& other) override;
};

// One binding cell: a variable of one clause in one frame.
class pDVar {
public:
  // Binds the unbound cell to the term read in `frame`, after pushing the cell
  // on the trail. Frame -1 means the cell owns the term: the term is deleted
  // when the binding is undone, and also when the trail is full (the push then
  // throws zavo::xPrologOverflow and the cell stays unbound). Binding a bound
  // cell is an internal error ("pDVar::Set"). Defined with PrologSystem.
  inline int Set(PrologSystem& sys, pObj* t, int f);

  int frame = -1;
  // Set while the bound term is being printed: meeting the cell again on the
  // way down means the term holds itself.
  bool printing = false;
  pObj* term = nullptr;  // null while unbound

private:
  int SetOnFullTrail(PrologSystem& sys, pObj* t, int f);
  int Bind(pObj* t, int f) {
    if (term != nullptr) [[unlikely]] BoundTwice();
    term = t;
    frame = f;
    return 1;
  }
  [[noreturn]] static void BoundTwice();
};

namespace zavo {

// Unifies a (read in the system's LeftPos frame) with b (read in RightPos),
// as pObj::Unify does, without a virtual call.
int UnifyTerms(PrologSystem& sys, pObj* a, pObj* b);

}  // namespace zavo
