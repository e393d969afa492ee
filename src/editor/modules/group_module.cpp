#include "editor/modules/group_module.h"

#include <functional>

#include "editor/graphic_editor.h"
#include "models/core/group.h"
#include "models/core/transf.h"

namespace {

// The group's members, borrowed for one call: they go back to the group
// however the call ends.
class BorrowedMembers {
public:
  explicit BorrowedMembers(GGroup& group) : group_(group) { group_.GetDescription(description_); }
  ~BorrowedMembers() { group_.SetDescription(description_); }
  BorrowedMembers(const BorrowedMembers&) = delete;
  BorrowedMembers& operator=(const BorrowedMembers&) = delete;

  DblList<CG_GraphicObject>* List() { return description_.children.get(); }

private:
  GGroup& group_;
  CG_GroupDescription description_;
};

// A member seen through its transf: the object itself, the transf's matrix
// (null without one) and the module of the object's keyword (null: none).
struct Member {
  CG_GraphicObject* inner = nullptr;
  const Transformation* own = nullptr;
  CG_ObjectEditorModule* module = nullptr;
};

Member SeeMember(CG_GraphicEditor& editor, CG_GraphicObject& object) {
  Member member;
  CG_GraphicObject* wrapper = nullptr;
  editor.FindObject(&object, member.inner, wrapper);
  if (member.inner == nullptr) return member;
  if (const auto* transf = dynamic_cast<const GTransf*>(wrapper)) member.own = &transf->Forward();
  if (member.inner->Keyword() != nullptr) member.module = editor.FindObjectModule(member.inner->Keyword());
  return member;
}

// The action of the first member's module, fed with every member and then
// finished by `finish` (MOAName or MOARun); 0 when it cannot run.
int RunGroupAction(CG_GraphicEditor& editor, CG_GraphicObject& object, const Transformation* wrapper,
                   const std::function<int(CG_ObjectEditorModule&, CG_MOAStatus&)>& finish) {
  auto* group = dynamic_cast<GGroup*>(&object);
  if (group == nullptr) return 0;
  BorrowedMembers members(*group);
  DblList<CG_GraphicObject>* list = members.List();
  if (list == nullptr || list->First() == nullptr) return 0;
  CG_ObjectEditorModule* first = SeeMember(editor, *list->First()).module;
  if (first == nullptr) return 0;
  std::unique_ptr<CG_MOAStatus> status = first->NewMOAStatus(editor);
  if (status == nullptr) return 0;

  for (CG_GraphicObject& entry : *list) {
    const Member member = SeeMember(editor, entry);
    if (member.module == nullptr) continue;
    Transformation placed;
    IdentityTransformation(placed);
    if (member.own != nullptr) placed = *member.own;
    // The member's own matrix acts first, then the group's place.
    if (wrapper != nullptr) ComposeTransformations(placed, *wrapper, placed);
    const bool hasMatrix = member.own != nullptr || wrapper != nullptr;
    if (member.module->MOAAdd(editor, nullptr, member.inner, status.get(), hasMatrix ? &placed : nullptr) ==
        nullptr) {
      return 0;
    }
  }
  return finish(*first, *status);
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_GroupEditorModule::Create(CG_GraphicEditor&) { return nullptr; }

CG_GraphicObject* CG_GroupEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) { return nullptr; }

int CG_GroupEditorModule::SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) {
  names.SetSize(0);
  return RunGroupAction(editor, object, nullptr, [&names](CG_ObjectEditorModule& module, CG_MOAStatus&) {
    return module.MOAName(names);
  });
}

int CG_GroupEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                     const Transformation* wrapper) {
  if (object == nullptr) return 0;
  return RunGroupAction(editor, *object, wrapper, [index](CG_ObjectEditorModule& module, CG_MOAStatus& status) {
    return module.MOARun(status, index);
  });
}
