// Names of new objects, lamps and materials: the name rule, the check
// against the scene, and numbered names made unique.

#include <string>

#include "editor/graphic_editor.h"
#include "scene/material.h"

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 1 when the scene has an object (kind 0), lamp (1) or named material (2) of that name.
bool Taken(const CG_GraphicScene& scene, const char* text, int kind) {
  switch (kind) {
    case 0: return scene.FindObject(text) != nullptr;
    case 1: return scene.FindLight(text) != nullptr;
    case 2: return scene.GetMaterials().Find(text) != nullptr;
    default: return false;
  }
}

}  // namespace

int CG_GraphicEditor::CheckName(const char* text) {
  const std::string name = text != nullptr ? text : "";
  std::string why;
  if (name.empty()) {
    why = "null string not valid.";
  } else {
    for (std::size_t i = 0; i < name.size(); ++i) {
      const char c = name[i];
      const bool valid = IsLetter(c) || c == '_' || (i > 0 && IsDigit(c));
      if (!valid) {
        why = std::string("character '") + c + "' not valid.";
        break;
      }
    }
  }
  if (why.empty()) return 1;
  Message(("'" + name + "' not a valid name\n" + why).c_str());
  return 0;
}

int CG_GraphicEditor::CheckNewName(const char* text, int kind) {
  if (CheckName(text) == 0) return 0;
  static const char* const kWhat[] = {"Object '", "Lamp '", "Material '"};
  if (kind < 0 || kind > 2 || !Taken(scene, text, kind)) return 1;
  Message((std::string(kWhat[kind]) + text + "' exist.").c_str());
  return 0;
}

void CG_GraphicEditor::MakeUniqueName(const char* base, int kind, charString& result) {
  result = "";
  if (kind < 0 || kind > 2) return;
  int& counter = nameCounters[kind];
  constexpr int kLimit = 1000000;
  if (counter >= kLimit) return;
  const std::string prefix = base != nullptr ? base : "";
  for (int n = (counter < 0 ? 0 : counter) + 1; n < kLimit; ++n) {
    std::string digits = std::to_string(n);
    const std::string candidate = prefix + std::string(6 - digits.size(), '0') + digits;
    if (!Taken(scene, candidate.c_str(), kind)) {
      result = candidate.c_str();
      return;
    }
    ++counter;
  }
  ++counter;
}
