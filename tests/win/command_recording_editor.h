#pragma once
// An editor stand-in that records the request codes the shell sends and
// ignores everything else; a test may hook each request as it arrives.

#include <functional>
#include <vector>

#include "editor/back_to_editor.h"

namespace zavo::test {

class CommandRecordingEditor : public BackToEditor {
public:
  int MouseEvent(const MouseEventRecord&) override { return 0; }
  int Command(EDCommand& command) override {
    codes.push_back(command.code);
    if (onCommand) onCommand(command.code);
    return 0;
  }
  void SetView(int, CG_WireFrameImage*, int) override {}
  void SetGraphicSystem(CG_GraphicSystemInterface*) override {}
  void SetWinSupp(CG_WinSupp*) override {}
  void SetDialog(Dialog_obj*) override {}
  void SetMultiEdit(CG_MultiEdit*) override {}
  void SetListShower(CG_ListShower*) override {}
  void SetConsole(Console*) override {}
  void SetFlyMenu(FlyMenu*) override {}

  std::vector<int> codes;
  std::function<void(int)> onCommand;
};

}  // namespace zavo::test
