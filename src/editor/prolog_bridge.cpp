// Requests 79 and 80: the Prolog console and the start of the Prolog system,
// and the scene changes that the qz_ predicates ask of the document.

#include <fstream>
#include <sstream>

#include "editor/graphic_editor.h"

namespace {

constexpr const char* kNoSystemFile =
    "Cannot find file 'system.pro'\nPerhaps the variable LibraryDir is not correct.\nPlease change it in "
    "Option|General..\n and restart the program.";

}  // namespace

int CG_GraphicEditor::StartProlog() {
  const std::filesystem::path file = prolog.Shell().LibraryDir() / "system.pro";
  if (!std::ifstream(file)) Message(kNoSystemFile);
  // What the start-up goals write is not shown, also when the console is open.
  Console* const shown = prolog.Shell().console;
  prolog.Shell().console = nullptr;
  std::ostringstream discarded;
  prolog.RunGoalText("?-consult(system).", discarded);
  prolog.RunGoalText("?-qz_system.", discarded);
  prolog.Shell().console = shown;
  return 0;
}

int CG_GraphicEditor::OpenPrologConsole() {
  if (console == nullptr) return 0;
  prolog.Shell().console = console;
  console->SetInputHandler([this](const char* line) { RunConsoleGoal(line); });
  console->Show(1);
  return 0;
}

void CG_GraphicEditor::RunConsoleGoal(const char* line) {
  queuedGoals_.emplace_back(line != nullptr ? line : "");
  RunQueuedGoals();
}

void CG_GraphicEditor::RunQueuedGoals() {
  // One goal at a time, and none while a render walks the scene: a line that
  // arrives meanwhile waits its turn.
  if (goalRunning_) return;
  struct Running {
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
    bool& flag;
  } running(goalRunning_);
  while (rendering == 0 && !queuedGoals_.empty()) {
    const std::string goal = std::move(queuedGoals_.front());
    queuedGoals_.erase(queuedGoals_.begin());
    prolog.RunLoggedGoal(goal.c_str());
  }
}

std::string CG_GraphicEditor::FreeCopyName(const char* objectName) const {
  std::string copyName = objectName != nullptr ? objectName : "";
  do {
    copyName += "_";
  } while (scene.FindObject(copyName.c_str()) != nullptr);
  return copyName;
}

int CG_GraphicEditor::DuplicateObjectNamed(const char* objectName, std::string& copyName) {
  if (objectName == nullptr || scene.FindObject(objectName) == nullptr) return 0;
  const std::string name = FreeCopyName(objectName);
  if (DuplicateObject(objectName) == 0) return 0;
  copyName = name;
  return 1;
}

int CG_GraphicEditor::TranslateObjectNamed(const char* objectName, double x, double y, double z) {
  CG_GraphicObject* object = objectName != nullptr ? scene.FindObject(objectName) : nullptr;
  CG_SceneEditorItem* item = object != nullptr ? FindItem(object) : nullptr;
  if (item == nullptr || MayTransform(object) == 0) return 0;
  EraseItem(item);
  item = TranslateItem(item, x, y, z);
  if (item != nullptr) {
    ProjectItem(item);
    DrawItem(item);
  }
  SetModified();
  return 1;
}

int CG_GraphicEditor::MergeSceneText(const std::string& text) {
  std::istringstream in(text);
  return MergeSceneFrom(in);
}
