#pragma once
// A module document of a scene text (the material "standard" first), in a
// working directory of its own whose model path is "models", with the layer
// "work" active and holding every item. The Top view (view 0) is current and
// shows x -10..10, y -5..5.

#include <filesystem>
#include <string>

#include "scene_document_fixture.h"

namespace zavo::test {

class CurveDocument : public SceneDocument {
public:
  explicit CurveDocument(const std::string& objects = "") : SceneDocument(objects) {
    std::filesystem::create_directories(dir / "models");
    editor->scene.SetModelPath("models");
    SetBox(0, {-10, -5, -3.7}, {10, 5, 4.1});
    editor->activeView = 0;
  }

  // The special command chosen for the object, as request 39 runs it.
  int Special(const char* objectName, const char* command) {
    fakes.listShower.AnswerText(command);
    return editor->RunSpecialCommand(objectName);
  }
};

}  // namespace zavo::test
