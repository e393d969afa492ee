#include "editor/modules/brep_module.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "editor/graphic_editor.h"
#include "editor/modules/model_list.h"
#include "editor/modules/model_storage.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "foundation/path_resolver.h"
#include "models/core/brep.h"

using namespace zavo;

namespace {

constexpr const char* kCaption = "Modifing brep";

class BRepStorage : public ModelStorage {
public:
  explicit BRepStorage(GBRep& brep) : brep_(brep) {}

  const char* Caption() const override { return kCaption; }
  const char* Extension() const override { return "brp"; }
  int IsInternal() const override { return brep_.IsInline(); }
  std::string File() const override { return brep_.ModelPath() != nullptr ? brep_.ModelPath() : ""; }
  int Save() override { return brep_.UpdateModel(); }
  void Include() override { brep_.SetNew(); }
  void Reapply() override {
    CG_BRepDescription d;
    brep_.GetDescription(d);
    brep_.SetDescription(d);
  }
  bool WriteHeld(std::ostream& os) const override {
    brep_.Mesh().Write(os, 1);
    os << "\n.\n";
    return true;
  }
  void DropCaches(const std::string& name) const override {
    std::error_code error;
    std::filesystem::remove(PathFromName(name + ".br_"), error);
  }
  int MoveToFile(const std::string& name) override {
    CG_BRepDescription d;
    brep_.GetDescription(d);
    std::unique_ptr<BRepModel3> held = std::move(d.mesh);
    const charString oldName = d.name, oldPath = d.path;
    d.isInline = 0;
    d.name = name.c_str();
    d.path = name.c_str();
    if (brep_.SetDescription(d) != 0) return 1;
    d.isInline = 1;
    d.mesh = std::move(held);
    d.name = oldName;
    d.path = oldPath;
    brep_.SetDescription(d);
    return 0;
  }

private:
  GBRep& brep_;
};

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_BRepEditorModule::Create(CG_GraphicEditor& editor) {
  charString model, name;
  if (ChooseNewModel(editor, "brp", model, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  CG_BRepDescription description;
  description.name = model;
  description.costr = 1.3;
  description.hierKind = editor.scene.GetParam()._brep_optimiz;
  description.gridDim = editor.scene.GetParam()._brep_grid_dim;
  description.progress = &editor.scene.GetInterface();
  description.path = editor.scene.FindModelFile(model.Text(), "brp");
  if (description.path.Text() == nullptr) {
    editor.Message("Internal Error in ZadBrep module");
    return nullptr;
  }
  return std::make_unique<GBRep>(data, description);
}

CG_GraphicObject* CG_BRepEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* brep = dynamic_cast<GBRep*>(&object);
  if (brep == nullptr) return nullptr;
  gcg_list controls;
  AddRealField(controls, "constr", brep->Costr());
  controls.Append(new Check_obj("interp", brep->Interp()));
  // Nothing is taken from the object before the user confirms.
  if (editor.ShowDialog(kCaption, controls) == 0) return nullptr;
  CG_BRepDescription description;
  brep->GetDescription(description);
  description.costr = RealField(controls, "constr");
  const auto* interp = dynamic_cast<const Check_obj*>(FindControl(controls, "interp"));
  description.interp = interp != nullptr ? interp->state : 0;
  description.progress = &editor.scene.GetInterface();
  brep->SetDescription(description);
  return brep;
}

int CG_BRepEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  StorageNames(names);
  return 1;
}

int CG_BRepEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                    const Transformation*) {
  auto* brep = dynamic_cast<GBRep*>(object);
  if (brep == nullptr) return 0;
  BRepStorage storage(*brep);
  return RunStorageCommand(editor, index, storage);
}

void CG_BRepEditorModule::Info(Seq<charString>& names) { SetInfo(names, "composite", "brep"); }

CG_PatchModelBased* CG_BRepEditorModule::ControlPoints(CG_GraphicObject& object) {
  return dynamic_cast<GBRep*>(&object);
}
