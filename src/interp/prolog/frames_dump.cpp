// The debugging listing of the frame stack.

#include <ostream>

#include "interp/prolog/frames.h"
#include "interp/prolog/prolog_system.h"
#include "interp/prolog/rule.h"
#include "interp/prolog/terms.h"

namespace {

// Keeps the printing registers and the current names across a listing.
class ViewState {
public:
  explicit ViewState(PrologSystem& sys)
      : sys_(sys), mode_(sys.ViewMode), frame_(sys.ViewFrame), names_(sys.names) {}
  ~ViewState() {
    sys_.ViewMode = mode_;
    sys_.ViewFrame = frame_;
    sys_.names = names_;
  }
  ViewState(const ViewState&) = delete;
  ViewState& operator=(const ViewState&) = delete;

private:
  PrologSystem& sys_;
  int mode_;
  int frame_;
  ListofNames* names_;
};

// The names of the clause whose frame a goal is read in, or null.
ListofNames* NamesOfFrame(PrologSystem& sys, int frame) {
  if (frame < 0 || frame >= sys.stack.Count()) return nullptr;
  Rule* r = sys.stack.Get(frame).rule;
  return r != nullptr ? &r->names : nullptr;
}

// A goal (or "NULL") on one line, then "Next :" and the clause at the cursor
// (or "NULL") on the next.
void OutContinuation(PrologSystem& sys, std::ostream& os, pObj* goal, int goalFrame,
                     const Rule* cursor) {
  ListofNames* names = NamesOfFrame(sys, goalFrame);
  if (goal != nullptr && names != nullptr) {
    ViewState keep(sys);
    sys.ViewMode = 0;
    sys.names = names;
    sys.Emit(os, *goal);
  } else {
    os << "NULL";
  }
  os << "\n";
  os << "Next :";
  if (cursor != nullptr) {
    sys.WriteClause(cursor, os);
  } else {
    os << "NULL";
  }
  os << "\n";
}

}  // namespace

void ValueStack::Dump(PrologSystem& sys, std::ostream& os) {
  ViewState keep(sys);
  os << "ValueStack  " << count_ << "\n";
  for (int i = 0; i < count_; ++i) {
    ValueStackItem& f = items_[i];
    os << i << "> ";
    if (f.rule != nullptr) {
      sys.WriteClause(f.rule, os);
    } else if (f.goalCell != nullptr) {
      os << "Variable";
    } else {
      os << "Cutting sign!";
    }
    os << "\n";
    os << "waiting ";
    if (f.rule != nullptr) {
      OutContinuation(sys, os, f.goal, f.goalTermFrame, f.ruleCursor);
    } else {
      os << "\n";
    }
    os << "cut " << f.cut << "\n";
    os << "generated " << f.parent << "\n";
    if (f.parent >= 0) {
      OutContinuation(sys, os, f.saved.goal, f.saved.goalTermFrame, f.saved.ruleCursor);
    }
    if (f.rule != nullptr) {
      for (int k = 0; k < f.CellCount(); ++k) {
        os << zavo::NameAt(f.rule->names, k) << " = ";
        pDVar& c = f.cells[k];
        if (c.term != nullptr) {
          c.printing = true;
          sys.ViewMode = 1;
          sys.ViewFrame = c.frame != -1 ? c.frame : i;
          sys.Emit(os, *c.term);
          c.printing = false;
        } else {
          os << "???";
        }
        os << "\n";
      }
    }
    os << "\n";
  }
  os << "\n";
}
