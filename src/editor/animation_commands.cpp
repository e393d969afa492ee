// Requests 58 to 60: the frame display, the frame the views show and the
// number of frames. Animated objects of the shown items are placed at the
// current frame; none of these marks the document modified.

#include <memory>
#include <string_view>

#include "editor/graphic_editor.h"
#include "editor/number_prefix.h"
#include "editor/text_routines.h"

namespace {

// A one-field dialog on an integer: true with the typed value on OK.
bool EditInteger(CG_GraphicEditor& editor, const char* title, const char* label, int& value) {
  gcg_list controls;
  auto* field = new Edit_obj(label, zavo::IntToText(value).Text());
  controls.Append(field);
  if (editor.ShowDialog(title, controls) == 0) return false;
  value = zavo::IntPrefix(field->text.Text() != nullptr ? std::string_view(field->text.Text()) : std::string_view());
  return true;
}

}  // namespace

std::vector<CG_SceneEditorItem*> CG_GraphicEditor::AnimItems() {
  std::vector<CG_SceneEditorItem*> found;
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) {
    if (item != nullptr && item->object != nullptr && item->object->IsAnim() != 0) found.push_back(item);
  }
  return found;
}

void CG_GraphicEditor::ResetFrame() {
  animationOn = 0;
  UpdateTitle();
}

int CG_GraphicEditor::SetFrame() {
  // The frame display goes on before the dialog, and stays on when it is
  // cancelled.
  animationOn = 1;
  int frame = currentFrame;
  if (!EditInteger(*this, "Set frame", "Frame", frame)) return 0;
  currentFrame = frame;
  UpdateTitle();
  for (CG_SceneEditorItem* item : AnimItems()) {
    RebuildItem(item, [this](CG_GraphicObject& object) {
      object.SetFrameCount(frameCount);
      object.SetFrame(currentFrame);
    });
  }
  return 1;
}

int CG_GraphicEditor::AnimationOptions() {
  int count = frameCount;
  if (!EditInteger(*this, "Animation options", "NFrame", count)) return 0;
  frameCount = count;
  return 1;
}
