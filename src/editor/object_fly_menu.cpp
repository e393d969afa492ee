// The pop-up menu of an object: the mouse manipulations (which start a mouse
// mode that the next left click completes), the object commands and the
// special commands of the object's editor module.

#include <iterator>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/object_editing.h"

namespace {

// An item drawn from more vertices than this is dragged as its box in the
// show modes that redraw the object while it moves.
constexpr long kDragVertexLimit = 100;

// The entries of the object menu, in order; "other" and "special" open submenus.
const char* const kObjectMenu[] = {"translate", "rotate", "scale", "other", "special"};
const char* const kOtherMenu[] = {"Modify", "ModifyComm", "Delete", "Duplicate", "ExtraInfo"};
constexpr std::uint32_t kOtherEntry = 3;
constexpr std::uint32_t kSpecialEntry = 4;

template <std::size_t N>
void NameEntries(FlyMenuItem& item, const char* const (&labels)[N]) {
  item.SetSubCount(static_cast<unsigned>(N));
  for (unsigned i = 0; i < N; ++i) item.Sub(i).name = labels[i];
}

long ItemVertexCount(const CG_SceneEditorItem& item) {
  long count = 0;
  for (long i = 0; i < item.PartCount(); ++i) {
    if (const CG_GraphicObject* part = item.Part(i)) count += part->VertexCount();
  }
  return count;
}

// The item leaves the views while it is dragged in show modes 1 and 2; its
// style is kept in the further int, which the completing click gives back.
void PrepareDrag(CG_GraphicEditor& editor, CG_SceneEditorItem* item) {
  if (item == nullptr || editor.FeedbackShowMode() == 0) return;
  editor.EraseItem(item);
  editor.selectionMarksShown = 0;
  item->displayExtra = item->display.style;
  if (ItemVertexCount(*item) > kDragVertexLimit) item->display.style = 1;
}

}  // namespace

int CG_GraphicEditor::ObjectFlyMenu(const char* objectName) {
  manipulatedObject = objectName != nullptr ? scene.FindObject(objectName) : nullptr;
  CG_GraphicObject* object = manipulatedObject;
  if (object == nullptr) return 0;

  FlyMenuItem root("Object");
  NameEntries(root, kObjectMenu);
  NameEntries(root.Sub(kOtherEntry), kOtherMenu);
  zavo::EditTarget target;
  if (zavo::FindEditTarget(*this, object, target) == 0) return 0;
  Seq<charString> specials;
  if (target.module->SpecialNames(*this, specials, *target.inner) != 0) {
    FlyMenuItem& special = root.Sub(kSpecialEntry);
    special.SetSubCount(specials.Count());
    for (std::uint32_t i = 0; i < specials.Count(); ++i) special.Sub(i).name = specials[i];
  }

  Seq<int> path;
  if (ShowFlyMenu(root, path) == 0 || path.Count() == 0) return 0;
  const std::string name = objectName;
  switch (path[0]) {
    case 0:
    case 1:
    case 2: {
      // Cameras and area lamps keep their own frame; a transf has no module
      // and is never refused.
      CG_ObjectEditorModule* module = FirstObjectModule(object->Keyword());
      if (module != nullptr && module->MayTransform() == 0) return 0;
      PrepareDrag(*this, FindItem(object));
      EnterMouseMode(3 + path[0]);
      return 1;
    }
    case kOtherEntry: {
      // The command may replace or destroy the object.
      manipulatedObject = nullptr;
      if (path.Count() < 2) return 0;
      int (CG_GraphicEditor::*const commands[])(const char*) = {
          &CG_GraphicEditor::ModifyObjectNamed, &CG_GraphicEditor::ModifyCommonData,
          &CG_GraphicEditor::DeleteObjectNamed, &CG_GraphicEditor::DuplicateObject,
          &CG_GraphicEditor::ModifyExtraInfo};
      if (path[1] < 0 || path[1] >= static_cast<int>(std::size(commands))) return 0;
      return (this->*commands[path[1]])(name.c_str());
    }
    case kSpecialEntry:
      manipulatedObject = nullptr;
      if (path.Count() < 2 || path[1] < 0 || static_cast<std::uint32_t>(path[1]) >= specials.Count()) return 0;
      return RunSpecialOnTarget(target, path[1]);
    default:
      return 0;
  }
}
