#pragma once

// The Prolog interpreter as one object: operator, definition and clause lists,
// the two proof stacks, the registers that unification, evaluation and printing
// share, and the output routing to the host. Nothing is shared between two
// systems.

#include <filesystem>
#include <iosfwd>
#include <ostream>
#include <string>
#include <string_view>

#include "interp/prolog/definitions.h"
#include "interp/prolog/frames.h"
#include "interp/prolog/prolog_interface.h"
#include "interp/prolog/rule.h"
#include "interp/prolog/term_walk.h"
#include "interp/prolog/terms.h"

class pParser;

namespace zavo {

// What a reader step gives: a term (owned by the receiver), an error (the text
// is wrong here) or nothing (the step does not apply and consumed nothing).
struct ReadResult {
  enum Kind { kNothing, kTerm, kError };
  Kind kind = kNothing;
  pObj* term = nullptr;

  static ReadResult Nothing() { return {kNothing, nullptr}; }
  static ReadResult Error() { return {kError, nullptr}; }
  static ReadResult Of(pObj* t) { return {kTerm, t}; }
};

// The most arguments of one compound, elements of one list, and pending
// operators or operands of one term.
inline constexpr int kArgumentCapacity = 100;
// Evaluator slots of an evaluable definition.
inline constexpr int kEvaluatorSlots = 2;
// The deepest nesting of parenthesised terms, arguments and lists that the
// reader accepts; deeper text is refused like any other syntax error.
inline constexpr int kReadDepth = 100;

}  // namespace zavo

// The interpreter interface: its first operation reads a primary term.
template <class Term, class System, class Compound, class Parser>
class pInterp {
public:
  virtual ~pInterp() = default;
  virtual zavo::ReadResult ReadPrimary(Parser& p) = 0;
};

class PrologSystem : public pInterp<pObj, PrologSystem, Functor, pParser> {
public:
  // Each stack gets (size / 500 + 1) blocks of 500 entries. The operator and
  // definition tables are filled in their fixed order.
  PrologSystem(int trailSize, int stackSize);
  ~PrologSystem() override;
  PrologSystem(const PrologSystem&) = delete;
  PrologSystem& operator=(const PrologSystem&) = delete;

  // ---- Reader
  zavo::ReadResult ReadPrimary(pParser& p) override;
  // A term up to the first token that cannot continue it; a term or an error.
  zavo::ReadResult ReadTerm(pParser& p);
  // A term followed by "." as a new clause, or null; on failure the token that
  // stopped the reader is not consumed.
  Rule* ReadClause(pParser& p);
  zavo::ReadResult ReadAnonymous(pParser& p);
  zavo::ReadResult ReadNumber(pParser& p);
  zavo::ReadResult ReadName(pParser& p);
  zavo::ReadResult ReadList(pParser& p);
  zavo::ReadResult ReadVariable(pParser& p);

  // ---- Definitions (each appends, also for a name already defined)
  DFunc* DefineOperator(const char* name, int type, int priority);
  DFunc* DefineOperatorPredicate(const char* name, int type, int priority,
                                 zavo::PrologPredicate fn);
  DFuncEval* DefineEvaluableOperator(const char* name, int type, int priority);
  DFuncEval* DefineEvaluable(const char* name);
  DFunc* DefinePredicate(const char* name, zavo::PrologPredicate fn);

  // ---- Clause store
  // Reads every clause of the file up to the first one that cannot be read and
  // appends them, each with `source` (may be null). Answers 0 when the file
  // cannot be opened (nothing happens then), else 1.
  int Consult(const std::filesystem::path& file, const char* source = nullptr);
  // The same on an open stream.
  void Consult(std::istream& in, const char* source);
  // The clause with its own variable names, then "."; "NOTDEF" and a line end
  // for a clause without a term.
  void WriteClause(const Rule* r, std::ostream& os);
  // Every clause, one a line.
  void ListRules(std::ostream& os);
  // The next clause from `cursor` on whose head unifies with the goal (read in
  // LeftPos); its frame stays pushed with the bindings. The cursor is left
  // after the clause tried last; null when none is left. Removed clauses are
  // passed over.
  Rule* Find(pObj* goal, Rule*& cursor);
  // The same with the new frames called from `parent`, which need not be the
  // goal's frame: a goal held in a variable is read in the frame of its term
  // and called from the variable's frame.
  Rule* Find(pObj* goal, Rule*& cursor, int parent);
  // Takes the clauses consulted under `source` out of the search. While a
  // search runs they stay alive, since its frames may still run them, and are
  // destroyed when the stacks are empty again.
  void RemoveSource(const char* source);

  // ---- Resolution
  // Answers the query: depth first, left to right, clauses in stored order.
  // Every solution is printed to `out` the moment it is found. A full stack
  // aborts the search with "Prolog stack overflow", empties both stacks and
  // counts as no solution; a user break (the host's Poll) stops it and leaves
  // the frames until the next Solve. A null query finds nothing.
  void Solve(Rule* query);
  // One step on frame `frame`: 1 its goals are done, 0 go on with the current
  // frame (which the step may change), -1 backtrack.
  int Forward(int frame);
  // The step for a pending conjunction; answers as Forward.
  int StepConjunction(int frame);
  // Each variable of the query with its value, one a line.
  virtual void PrintSolution();
  // "yes" or "no" after a search.
  virtual void Answer();
  // Whether the last search found a solution.
  int Succeeded() const { return succeeded_; }
  // The host's break request; 0 without a host.
  int Poll() { return host != nullptr ? host->Poll() : 0; }
  // A text meant for the host: to its Output, or to `out` without a host.
  void ToHost(const std::string& text);

  // ---- Output routing
  // To the stream when there is no host, the host is quiet or the stream is
  // the log; otherwise to the host alone.
  void Emit(std::ostream& s, std::string_view text);
  // A term's printed form, handed to a talking host in one piece.
  void Emit(std::ostream& s, pObj& term);

  // ---- Frames
  // The binding cell of variable `index` in `frame`.
  pDVar& Cell(int frame, int index) {
    ValueStackItem& f = stack.Get(frame);
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(f.cellCount)) [[unlikely]] {
      BadCell();
    }
    return f.cells[index];
  }
  // The names that variables print by in ViewMode 0.
  const ListofNames* CurrentNames() const { return names; }

  // ---- State, in the order of the interpreter's record
  pOperatorManager operators;
  PrologInterface* host = nullptr;  // not owned
  std::ostream* log;                // not owned; discards until installed
  std::ostream* out;                // not owned; discards until set
  RuleManager rules;
  DFuncManager definitions;
  ListofNames* names = nullptr;     // the current variable-name list
  pOperator* comma = nullptr;       // the comma operator
  int nesting = 0;                  // argument nesting count of the reader
  int debug = 0;
  int LeftPos = 0;
  int RightPos = 0;
  ValueStack stack;
  SignalStack trail;
  int ViewMode = 0;
  int ViewFrame = 0;
  DFunc* emptyListDef = nullptr;    // "[]"
  DFunc* listDef = nullptr;         // "."

  // Bounds on walking one term, and the walks in progress (see term_walk.h).
  zavo::TermLimits limits;
  zavo::TermWalk unifyWalk;
  zavo::TermWalk evalWalk;
  zavo::TermWalk printWalk;
  // Printing: the term being written stands where "," separates arguments or
  // list elements, so a "," operator term there needs parentheses.
  bool printInArguments = false;

private:
  [[noreturn]] static void BadCell();
  bool Talking(const std::ostream& s) const;
  // The frame a frame's goal is read in.
  int GoalFrame(const ValueStackItem& f, int index) const;
  // Calls the built-in predicate of `goal` with LeftPos = `frame`.
  int RunPredicate(pObj* goal, int frame);
  void Cut(int frame);
  // Calls the term that the variable goal of frame `frame` is bound to, in a
  // frame of its own (a cut inside it is local to it); `rest` is what the
  // frame proves after it. Answers as Forward.
  int CallVariable(int frame, pVar* goal, pObj* rest);
  // Clause search for a goal of frame `frame` read in `goalFrame`, traced.
  int Search(int frame, pObj* goal, int goalFrame);
  // One backtracking step; false when the search is over.
  bool Backtrack();
  // Destroys the removed clauses; only while no frame is on the stack.
  void PurgeRemoved();
  bool IsConjunction(const pObj* goal) const;
  // The term printed through its bindings in `frame` to the log.
  void TraceTerm(pObj* t, int frame);
  zavo::ReadResult ReadParenthesised(pParser& p);
  // The arguments after "name(" up to ")" as a compound of that name.
  zavo::ReadResult ReadArguments(pParser& p, const char* name);

  std::ostream discard_{nullptr};
  int capture_ = 0;    // > 0 while a term is formatted for the host
  int readDepth_ = 0;  // nesting of the reader's recursion
  DFunc* conjunction_ = nullptr;  // the definition of the comma operator
  Rule* query_ = nullptr;         // the query being answered
  int current_ = 0;               // the engine's current frame
  int succeeded_ = 0;             // the last search found a solution
  bool solving_ = false;
  bool removed_ = false;          // clauses await destruction
};

inline int pDVar::Set(PrologSystem& sys, pObj* t, int f) {
  if (!sys.trail.TryPush(this)) [[unlikely]] return SetOnFullTrail(sys, t, f);
  return Bind(t, f);
}
