// Rotating, scaling and translating a lamp by typed values (requests 41, 42,
// 43).

#include "editor/graphic_editor.h"
#include "editor/lamp_commands.h"
#include "editor/number_prefix.h"

using namespace zavo;

namespace {

enum class LampStep { kRotate, kScale, kTranslate };

// Asks "x", "y", "z" under the title, the fields empty: an empty field gives
// 0, another is read as a real number; a scale factor 0 becomes 1.
// Rotations are radians as typed. 0 on cancel.
int AskLampStep(CG_GraphicEditor& editor, const char* title, LampStep step, double values[3]) {
  Seq<charString> labels(3);
  labels[0] = "x";
  labels[1] = "y";
  labels[2] = "z";
  Seq<charString> texts(3);
  for (std::uint32_t i = 0; i < 3; ++i) texts[i] = "";
  if (editor.EditTexts(title, labels, texts) == 0) return 0;
  for (std::uint32_t i = 0; i < 3; ++i) {
    const char* text = texts[i].Text();
    values[i] = text != nullptr ? RealPrefix(text) : 0.0;
    if (step == LampStep::kScale && values[i] == 0.0) values[i] = 1.0;
  }
  return 1;
}

int StepLampCommand(CG_GraphicEditor& editor, const char* chooserTitle, const char* title, LampStep step) {
  if (editor.NotifyChange() == 0) return 0;
  const charString chosen = ChooseLamp(editor, chooserTitle);
  double v[3] = {0.0, 0.0, 0.0};
  CG_LightSource* lamp = nullptr;
  if (chosen.Text() != nullptr && AskLampStep(editor, title, step, v) != 0) {
    lamp = editor.scene.FindLight(chosen.Text());
  }
  if (lamp == nullptr) {
    editor.CommandCancelled();
    return 0;
  }
  editor.EraseLampGlyph(lamp);
  switch (step) {
    case LampStep::kRotate:
      lamp = editor.RotateLampBy(lamp, v[0], v[1], v[2]);
      break;
    case LampStep::kScale:
      lamp = editor.ScaleLampBy(lamp, v[0], v[1], v[2]);
      break;
    case LampStep::kTranslate:
      lamp = editor.TranslateLampBy(lamp, v[0], v[1], v[2]);
      break;
  }
  editor.DrawLampGlyph(lamp);
  editor.SetModified();
  return 1;
}

}  // namespace

int CG_GraphicEditor::RotateLamp() {
  return StepLampCommand(*this, "Select lamp to rotate", "Rotate", LampStep::kRotate);
}

int CG_GraphicEditor::ScaleLamp() {
  return StepLampCommand(*this, "Select lamp to scale", "Scale", LampStep::kScale);
}

int CG_GraphicEditor::TranslateLamp() {
  return StepLampCommand(*this, "Select lamp to translate", "Translate", LampStep::kTranslate);
}
