#include "editor/modules/composite_scene_texts.h"

#include <locale>
#include <sstream>

#include "editor/modules/module_steps.h"
#include "scene/graphic_object.h"

namespace zavo {

namespace {

std::string Head(const std::string& name) { return "{object\nname " + name + ";\nmodel { "; }

const char kClosing[] = "\n}\n}\n.";

}  // namespace

std::string ObjectBlock(const CG_GraphicObject& object) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  object.Write(os);
  return os.str();
}

std::string AnimSceneText(const std::string& name, const std::string& objectBlock, const Point3D& centre,
                          int from, int to, const std::string* moveBlock, const std::string* rotateBlock) {
  std::string text = Head(name) + "anim\n" + objectBlock + "\n";
  const charString point = VectorToText(centre);
  text += std::string("\t\tcenter ") + (point.Text() != nullptr ? point.Text() : "") + ";\n";
  text += "\t\tfrom " + std::to_string(from) + ";\n";
  text += "\t\tto " + std::to_string(to) + ";\n";
  if (moveBlock != nullptr) text += "move " + *moveBlock + "\n";
  if (rotateBlock != nullptr) text += "rotate " + *rotateBlock + "\n";
  return text + kClosing;
}

std::string CSGSceneText(const std::string& name, const char* keyword, const std::string& firstBlock,
                         const std::string& secondBlock) {
  return Head(name) + (keyword != nullptr ? keyword : "") + "\nfirst " + firstBlock + "\nsecond " + secondBlock +
         "\n" + kClosing;
}

}  // namespace zavo
