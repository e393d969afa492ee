#include "editor/modules/field_module.h"

#include <locale>
#include <sstream>
#include <vector>

#include "editor/dialog_controls.h"
#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"
#include "editor/modules/field_parameters.h"
#include "editor/modules/solid_modules.h"
#include "editor/text_routines.h"

using namespace zavo;

namespace {

// The positions of the dialog's items.
enum FieldItem { kParam = 0, kUpdate, kChange, kValue, kFrom, kTo };

gcg_obj* ItemAt(gcg_list& controls, int position) {
  int i = 0;
  for (gcg_obj& control : controls) {
    if (i++ == position) return &control;
  }
  return nullptr;
}

Edit_obj* EditAt(gcg_list& controls, int position) { return dynamic_cast<Edit_obj*>(ItemAt(controls, position)); }

// The parameter the list has chosen, or null.
FieldParameter* ChosenParameter(gcg_list& controls, std::vector<FieldParameter>& parameters) {
  const auto* list = dynamic_cast<ListBox_obj*>(ItemAt(controls, kParam));
  if (list == nullptr || list->selected.Text() == nullptr) return nullptr;
  for (FieldParameter& parameter : parameters) {
    if (parameter.name == list->selected.Text()) return &parameter;
  }
  return nullptr;
}

std::string RealText(double value) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << value;
  return os.str();
}

void ShowParameter(gcg_list& controls, std::vector<FieldParameter>& parameters) {
  const FieldParameter* parameter = ChosenParameter(controls, parameters);
  if (parameter == nullptr) return;
  const double values[] = {parameter->value, parameter->from, parameter->to};
  for (int i = 0; i < 3; ++i) {
    if (Edit_obj* edit = EditAt(controls, kValue + i)) edit->text = RealText(values[i]).c_str();
  }
}

void ChangeParameter(gcg_list& controls, std::vector<FieldParameter>& parameters) {
  FieldParameter* parameter = ChosenParameter(controls, parameters);
  const Edit_obj* edit = EditAt(controls, kValue);
  if (parameter != nullptr && edit != nullptr) parameter->value = TextToReal(edit->text);
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_FieldEditorModule::Create(CG_GraphicEditor&) { return nullptr; }

CG_GraphicObject* CG_FieldEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  // The dialog's context: the parameters as the buttons leave them.
  std::vector<FieldParameter> parameters;
  if (!ReadFieldParameters(object, parameters)) return nullptr;
  gcg_list controls;
  auto* list = new ListBox_obj("Param");
  for (const FieldParameter& parameter : parameters) AppendText(list->entries, parameter.name.c_str());
  if (!parameters.empty()) list->selected = parameters.front().name.c_str();
  controls.Append(list);
  controls.Append(new Button_obj("update param", [&parameters](gcg_list& items) { ShowParameter(items, parameters); }));
  controls.Append(new Button_obj("change param", [&parameters](gcg_list& items) { ChangeParameter(items, parameters); }));
  for (const char* label : {"value", "from", "to"}) controls.Append(new Edit_obj(label, ""));
  editor.ShowDialog("Modify Field", controls);

  std::vector<double> values;
  for (const FieldParameter& parameter : parameters) values.push_back(parameter.value);
  ApplyFieldParameters(object, values, parameters);
  return &object;
}

void CG_FieldEditorModule::Info(Seq<charString>& names) { SetInfo(names, "meta", "field"); }
