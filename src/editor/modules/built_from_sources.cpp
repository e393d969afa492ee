#include "editor/modules/built_from_sources.h"

#include <algorithm>
#include <locale>
#include <sstream>

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/scene_editor_item.h"

namespace zavo {

namespace {

std::string Head(const std::string& name) { return "{object\nname " + name + ";\nmodel { "; }

const char kClosing[] = "\n}\n}\n.";

std::vector<CG_GraphicObject*> Distinct(const std::vector<CG_GraphicObject*>& sources) {
  std::vector<CG_GraphicObject*> distinct;
  for (CG_GraphicObject* source : sources) {
    if (source != nullptr && std::find(distinct.begin(), distinct.end(), source) == distinct.end()) {
      distinct.push_back(source);
    }
  }
  return distinct;
}

// A source taken out of the scene: the object before it there, and its item.
struct TakenSource {
  CG_GraphicObject* previous = nullptr;
  std::unique_ptr<CG_GraphicObject> object;
  CG_SceneEditorItem* item = nullptr;
};

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

int CheckNameForSources(CG_GraphicEditor& editor, const char* name,
                        const std::vector<CG_GraphicObject*>& sources) {
  if (editor.CheckName(name) == 0) return 0;
  const CG_GraphicObject* holder = editor.scene.FindObject(name);
  if (holder == nullptr || std::find(sources.begin(), sources.end(), holder) != sources.end()) return 1;
  editor.Message((std::string("Object '") + name + "' exist.").c_str());
  return 0;
}

std::unique_ptr<CG_GraphicObject> ExchangeSourcesForText(CG_GraphicEditor& editor, const std::string& text,
                                                         const char* name,
                                                         const std::vector<CG_GraphicObject*>& sources) {
  editor.ClearSelection();
  std::vector<TakenSource> taken;
  for (CG_GraphicObject* source : Distinct(sources)) {
    TakenSource entry;
    entry.item = editor.FindItem(source);
    if (entry.item != nullptr) editor.EraseItem(entry.item);
    entry.previous = DblList<CG_GraphicObject>::Prev(source);
    entry.object = editor.scene.DetachObject(source);
    taken.push_back(std::move(entry));
  }
  std::unique_ptr<CG_GraphicObject> built = editor.ReadObjectFromSceneText(text, name);
  // Put back in the reverse order of taking out, so that every object that
  // comes before another is in place again when the other follows it.
  for (auto entry = taken.rbegin(); entry != taken.rend(); ++entry) {
    CG_GraphicObject* object = entry->object.get();
    editor.scene.InsertObjectAfter(entry->previous, std::move(entry->object));
    if (built == nullptr) {
      if (entry->item != nullptr) editor.DrawItem(entry->item);
    } else {
      editor.DeleteObjectNamed(object->name.Text());
    }
  }
  return built;
}

}  // namespace zavo
