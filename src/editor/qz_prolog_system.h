#pragma once

// The editor document's Prolog system: an interpreter with stacks of 10000
// entries each, bound to its document at construction, with seven scene
// predicates (qz_test1, qz_duplicate, qz_delete, qz_rotate, qz_scale,
// qz_translate, qz_createobject0), its host link to the editor and the log
// "prolog.log" in the working directory.

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "interp/prolog/prolog_system.h"

class CG_GraphicEditor;
class Console;

// The host link of the editor's Prolog system. Poll asks the editor's
// graphic-system interface for a user break; Output goes to the console
// window once request 79 has registered one; LibraryDir is the scene's
// library directory followed by "prolog/". Without an editor: 0, nothing and
// an empty path.
class QZShellPrologInterface : public PrologInterface {
public:
  int Poll() override;
  int IsQuiet() override { return quiet != 0 ? 1 : 0; }
  void Output(const std::string& text) override;
  std::filesystem::path LibraryDir() override;
  void SetQuiet(int flag) override { quiet = flag; }

  int quiet = 0;
  CG_GraphicEditor* editor = nullptr;  // not owned
  Console* console = nullptr;          // not owned; set by request 79
};

class QZPrologSystem : public PrologSystem {
public:
  // The interpreter, its host link and the scene predicates. The log is
  // "prolog.log" in the working directory of the construction, opened (and
  // emptied) once, when the first goal runs, and closed with the system: a
  // document that never runs a goal leaves no file.
  QZPrologSystem();

  // Records the editor on which the scene predicates act, here and in the
  // host link.
  void SetEditor(CG_GraphicEditor* editor);
  CG_GraphicEditor* GetEditor() const { return editor_; }
  QZShellPrologInterface& Shell() { return shell_; }

  // Runs one goal text with `os` as the output stream: the five header lines
  // straight to the stream, then the answer ("yes" or "no", or "Cannot create
  // the rule" for a text that is no clause) and an empty line through the
  // output routing. The previous output stream is back afterwards. 1 when the
  // goal was proved.
  int RunGoalText(const char* goal, std::ostream& os);
  // The console's run of one goal: the log is emptied and the goal's output
  // goes to it through a second stream over the log's own file buffer, so
  // that what the system logs and what the goal writes follow each other in
  // the one open file.
  int RunLoggedGoal(const char* goal);

  // Defining a predicate from a text is not supported: an internal error.
  [[noreturn]] void AddStringPredic(const char* text);

  // The scene text of a term read in `frame`, followed by "\n.\n": a number
  // (or any term that is neither atom nor compound) in its written form and
  // a blank; attribute(K, V, ...) the name of K, a blank, V and ";\n";
  // nsection(K, A2, ..., An) "{ " and the name of K, then a blank and each Ai,
  // then "} "; anything else nothing. Arguments are followed through their
  // bindings.
  static std::string SceneText(PrologSystem& sys, pObj* term, int frame);

private:
  void OpenLog();

  QZShellPrologInterface shell_;
  bool logOpened_ = false;
  std::filesystem::path logPath_;
  std::filebuf logBuffer_;
  std::ostream logStream_{&logBuffer_};
  CG_GraphicEditor* editor_ = nullptr;
};
