// Objects that builders generate as scene text, read into the editor's scene
// from memory and handed back to the builder.

#include <sstream>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/load_error_text.h"
#include "scene/material.h"

std::string CG_GraphicEditor::ObjectBuilderText(const char* objectName, const char* keyword,
                                                const std::string& modelLines) const {
  std::string text = "{object\n";
  text += "name ";
  text += objectName != nullptr ? objectName : "";
  text += ";\n";
  if (scene.GetMaterials().Find("standard") != nullptr) text += "material standard;\n";
  text += "model { ";
  text += keyword != nullptr ? keyword : "";
  text += "\n";
  text += modelLines;
  text += "}\n}\n.";
  return text;
}

std::unique_ptr<CG_GraphicObject> CG_GraphicEditor::ReadObjectFromSceneText(const std::string& text,
                                                                            const char* objectName) {
  if (objectName == nullptr || *objectName == '\0') return nullptr;
  // The reader keeps the first of two objects of one name: the one found
  // afterwards would be the editor's own, which must stay where it is.
  if (scene.FindObject(objectName) != nullptr) return nullptr;
  // Objects are appended: what follows the last one now is what the text adds.
  CG_GraphicObject* lastBefore = scene.GetObjects().Last();
  std::istringstream in(text);
  if (scene.Get(in) == 0) {
    const char* description = scene.GetErrorMessage();
    Message(zavo::LoadErrorText(description != nullptr ? description : "", scene.GetErrorLine()).c_str());
    // Nothing of a text that did not read stays in the scene.
    CG_GraphicObject* added = lastBefore != nullptr ? DblList<CG_GraphicObject>::Next(lastBefore)
                                                    : scene.GetObjects().First();
    while (added != nullptr) {
      CG_GraphicObject* next = DblList<CG_GraphicObject>::Next(added);
      scene.RemoveObject(added);
      added = next;
    }
    return nullptr;
  }
  CG_GraphicObject* found = scene.FindObject(objectName);
  if (found == nullptr) return nullptr;
  return scene.DetachObject(found);
}
