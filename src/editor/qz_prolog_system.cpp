// The editor's Prolog system: construction with its log and predicates, the
// host link to the editor, and the goal runner of the console and start-up.

#include "editor/qz_prolog_system.h"

#include <memory>
#include <sstream>
#include <system_error>

#include "editor/graphic_editor.h"
#include "editor/qz_predicates.h"
#include "foundation/runtime_error_box.h"
#include "interp/prolog/parser.h"

int QZShellPrologInterface::Poll() {
  return editor != nullptr && editor->scene.GetInterface().UserBreak() != 0 ? 1 : 0;
}

void QZShellPrologInterface::Output(const std::string& text) {
  if (console != nullptr) console->Write(text.c_str());
}

std::filesystem::path QZShellPrologInterface::LibraryDir() {
  if (editor == nullptr) return {};
  const char* dir = editor->scene.GetLibraryDir();
  return std::filesystem::path(dir != nullptr ? dir : "") / "prolog" / "";
}

QZPrologSystem::QZPrologSystem() : PrologSystem(10000, 10000) {
  host = &shell_;
  // The log belongs to the working directory of the document's start.
  std::error_code ignored;
  logPath_ = std::filesystem::absolute("prolog.log", ignored);
  zavo::DefineScenePredicates(*this);
}

void QZPrologSystem::OpenLog() {
  if (logOpened_) return;
  logOpened_ = true;
  // A log that cannot be opened leaves the log output discarded.
  if (logBuffer_.open(logPath_, std::ios::out | std::ios::trunc) != nullptr) log = &logStream_;
}

void QZPrologSystem::SetEditor(CG_GraphicEditor* editor) {
  editor_ = editor;
  shell_.editor = editor;
}

int QZPrologSystem::RunGoalText(const char* goal, std::ostream& os) {
  const std::string text = goal != nullptr ? goal : "";
  OpenLog();
  std::ostream* previous = out;
  out = &os;
  os << "Scrivi regola di partenza\n"
     << "?- expr.  <==>  goal :- expr. \n"
     << "--> " << text << "\n"
     << "\n"
     << text << "\n";
  std::istringstream in(text);
  pParser parser(in, zavo::kPrologGoalScannerConfig);
  std::unique_ptr<Rule> clause(ReadClause(parser));
  int proved = 0;
  if (clause != nullptr) {
    Solve(clause.get());
    Answer();
    proved = Succeeded();
  } else {
    Emit(os, "Cannot create the rule\n");
  }
  Emit(os, "\n");
  out = previous;
  return proved;
}

int QZPrologSystem::RunLoggedGoal(const char* goal) {
  OpenLog();
  logStream_.flush();
  if (logBuffer_.is_open()) {
    // Emptied in place: the file stays the one open file of the log.
    logBuffer_.pubseekpos(0);
    std::error_code ignored;
    std::filesystem::resize_file(logPath_, 0, ignored);
  }
  std::ostream goalStream(&logBuffer_);
  const int proved = RunGoalText(goal, goalStream);
  goalStream.flush();
  return proved;
}

void QZPrologSystem::AddStringPredic(const char*) { RuntimeErrorBox("QZPrologSystem::AddStringPredic not Def."); }
