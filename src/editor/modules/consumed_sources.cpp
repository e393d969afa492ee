#include "editor/modules/consumed_sources.h"

#include <algorithm>
#include <cstring>

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/object_editing.h"

namespace zavo {

namespace {

// Sources out of the scene while the text reads; whatever is still held
// when the guard ends goes back, so that no path loses one.
class TakenSources {
public:
  explicit TakenSources(CG_GraphicEditor& editor) : editor_(editor) {}
  ~TakenSources() {
    for (Entry& entry : entries_) PutBack(editor_, entry.taken, nullptr, std::move(entry.item), entry.settings);
  }
  TakenSources(const TakenSources&) = delete;
  TakenSources& operator=(const TakenSources&) = delete;

  void Take(CG_GraphicObject* object) {
    EditTarget target;
    target.object = object;
    target.inner = object;
    Entry entry;
    entry.taken = TakeOut(editor_, target, entry.item, entry.settings);
    entries_.push_back(std::move(entry));
  }

  // The sources are gone for good: nothing may refer to their items.
  void Destroy() {
    for (Entry& entry : entries_) {
      if (entry.item != nullptr) editor_.ReplaceItem(nullptr, entry.item.get());
      if (entry.taken.cameraInUse) editor_.SetCameraInUse(nullptr);
    }
    entries_.clear();
  }

private:
  struct Entry {
    TakenObject taken;
    std::unique_ptr<CG_SceneEditorItem> item;
    ItemSettings settings;
  };
  CG_GraphicEditor& editor_;
  std::vector<Entry> entries_;
};

bool NameOfSource(const char* name, const std::vector<CG_GraphicObject*>& sources) {
  return std::any_of(sources.begin(), sources.end(), [name](const CG_GraphicObject* source) {
    return source != nullptr && source->name.Text() != nullptr && std::strcmp(source->name.Text(), name) == 0;
  });
}

}  // namespace

std::unique_ptr<CG_GraphicObject> BuildFromSources(CG_GraphicEditor& editor, const char* name,
                                                   const std::string& text,
                                                   const std::vector<CG_GraphicObject*>& sources) {
  if (name == nullptr) return nullptr;
  const int accepted = NameOfSource(name, sources) ? editor.CheckName(name) : editor.CheckNewName(name, kObjectName);
  if (accepted == 0) return nullptr;

  TakenSources taken(editor);
  std::vector<CG_GraphicObject*> seen;
  for (CG_GraphicObject* source : sources) {
    if (source == nullptr || std::find(seen.begin(), seen.end(), source) != seen.end()) continue;
    seen.push_back(source);
    taken.Take(source);
  }
  std::unique_ptr<CG_GraphicObject> built = editor.ReadObjectFromSceneText(text, name);
  if (built != nullptr) taken.Destroy();
  return built;
}

}  // namespace zavo
