// The qz_ predicates through which Prolog programs look at and change the
// open scene, and the scene text of a term.

#include "editor/qz_predicates.h"

#include <cstring>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/qz_prolog_system.h"
#include "interp/prolog/term_access.h"

namespace {

using Args = Seq<pObj*>;

// Deeper terms add nothing to a scene text: a term bound into itself ends.
constexpr int kSceneTextDepth = 256;

CG_GraphicEditor* EditorOf(PrologSystem& sys) { return static_cast<QZPrologSystem&>(sys).GetEditor(); }

// The trace line of a call unless the host is quiet; then whether the call has
// `arity` arguments (otherwise `sizeMessage` goes to the host).
bool Enter(PrologSystem& sys, const char* trace, const Args& args, int arity, const char* sizeMessage) {
  const int count = static_cast<int>(args.Count());
  if (sys.host == nullptr || !sys.host->IsQuiet()) sys.ToHost(trace + std::to_string(count) + "\n");
  if (count == arity) return true;
  sys.ToHost(std::string(sizeMessage) + "\n");
  return false;
}

int NotAFunctor(PrologSystem& sys) {
  sys.ToHost("consult: arg must be a functor.\n");
  return 0;
}

zavo::FramedTerm Follow(PrologSystem& sys, pObj* t) { return zavo::Deref(sys, t, sys.LeftPos); }

bool Unbound(const zavo::FramedTerm& t) { return t.term->Type() == zavo::kTypeVar; }

bool Named(const pObj* t, const char* name) {
  const char* own = zavo::TermName(t);
  return own != nullptr && std::strcmp(own, name) == 0;
}

void AppendSceneText(PrologSystem& sys, pObj* t, int frame, int depth, std::string& text) {
  if (depth > kSceneTextDepth) return;
  const zavo::FramedTerm at = zavo::Deref(sys, t, frame);
  if (!at.term->IsCallable()) {
    text += zavo::TermText(sys, at.term, at.frame) + " ";
    return;
  }
  if (!at.term->IsCompound()) return;
  auto* compound = static_cast<Functor*>(at.term);
  auto keyName = [&] {
    const char* name = zavo::TermName(zavo::Deref(sys, compound->args[0], at.frame).term);
    return std::string(name != nullptr ? name : "");
  };
  if (Named(compound, "attribute") && compound->Arity() >= 2) {
    text += keyName() + " ";
    AppendSceneText(sys, compound->args[1], at.frame, depth + 1, text);
    text += ";\n";
  } else if (Named(compound, "nsection") && compound->Arity() >= 1) {
    text += "{ " + keyName();
    for (int i = 1; i < compound->Arity(); ++i) {
      text += " ";
      AppendSceneText(sys, compound->args[i], at.frame, depth + 1, text);
    }
    text += "} ";
  }
}

int Test1(PrologSystem& sys, Args& args) {
  if (!Enter(sys, "%test1 ", args, 1, "consult: size must be 1.")) return 0;
  // The argument as it stands: a variable is no functor, bound or not.
  const char* name = zavo::TermName(args[0]);
  if (name == nullptr) return NotAFunctor(sys);
  sys.ToHost(std::string("name = ") + name + "\n");
  return 1;
}

int Duplicate(PrologSystem& sys, Args& args) {
  if (!Enter(sys, "%qz_duplicate ", args, 2, "qz_duplicate: size must be 2.")) return 0;
  const zavo::FramedTerm name = Follow(sys, args[0]);
  if (Unbound(name)) return 0;
  if (!name.term->IsCallable()) return NotAFunctor(sys);
  // The copy's name goes to a named variable that is still free.
  const zavo::FramedTerm target = Follow(sys, args[1]);
  if (args[1]->Type() != zavo::kTypeVar || !Unbound(target)) return 0;
  CG_GraphicEditor* editor = EditorOf(sys);
  std::string copyName;
  if (editor == nullptr || editor->DuplicateObjectNamed(zavo::TermName(name.term), copyName) == 0) return 0;
  pDVar& cell = sys.Cell(target.frame, static_cast<pVar*>(target.term)->index);
  return cell.Set(sys, new Atom(sys.definitions.Get(copyName.c_str())), -1);
}

int AlwaysFails(PrologSystem&, Args&) { return 0; }

int Translate(PrologSystem& sys, Args& args) {
  if (!Enter(sys, "%qz_translate ", args, 4, "qz_translate: size must be 4.")) return 0;
  const zavo::FramedTerm name = Follow(sys, args[0]);
  if (Unbound(name)) return 0;
  if (name.term->Type() != zavo::kTypeAtom) return NotAFunctor(sys);
  double v[3];
  for (int i = 0; i < 3; ++i) {
    const zavo::FramedTerm value = Follow(sys, args[i + 1]);
    if (Unbound(value)) return 0;
    if (value.term->Type() != zavo::kTypeNumber) return NotAFunctor(sys);
    v[i] = static_cast<RealNumber*>(value.term)->value;
  }
  CG_GraphicEditor* editor = EditorOf(sys);
  return editor != nullptr ? editor->TranslateObjectNamed(zavo::TermName(name.term), v[0], v[1], v[2]) : 0;
}

int CreateObject(PrologSystem& sys, Args& args) {
  if (!Enter(sys, "%qz_createfromscheme ", args, 2, "qz_createfromscheme: size must be 2.")) return 0;
  const zavo::FramedTerm term = Follow(sys, args[0]);
  if (Unbound(term)) return 0;
  if (!term.term->IsCallable()) return NotAFunctor(sys);
  CG_GraphicEditor* editor = EditorOf(sys);
  if (editor == nullptr) return 0;
  return editor->MergeSceneText(QZPrologSystem::SceneText(sys, term.term, term.frame));
}

}  // namespace

std::string QZPrologSystem::SceneText(PrologSystem& sys, pObj* term, int frame) {
  std::string text;
  AppendSceneText(sys, term, frame, 0, text);
  return text + "\n.\n";
}

void zavo::DefineScenePredicates(PrologSystem& sys) {
  sys.DefinePredicate("qz_test1", Test1);
  sys.DefinePredicate("qz_duplicate", Duplicate);
  sys.DefinePredicate("qz_delete", AlwaysFails);
  sys.DefinePredicate("qz_rotate", AlwaysFails);
  sys.DefinePredicate("qz_scale", AlwaysFails);
  sys.DefinePredicate("qz_translate", Translate);
  sys.DefinePredicate("qz_createobject0", CreateObject);
}
