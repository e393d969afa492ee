#include "editor/modules/field_parameters.h"

#include "models/curved/field.h"

namespace zavo {

bool IsFieldModel(const CG_GraphicObject& object) { return dynamic_cast<const CG_Field*>(&object) != nullptr; }

bool ApplyFieldParameters(CG_GraphicObject& object, const std::vector<double>& values,
                          std::vector<FieldParameter>& parameters) {
  auto* field = dynamic_cast<CG_Field*>(&object);
  if (field == nullptr) return false;
  CG_FieldDescription description;
  field->GetDescription(description);
  parameters.clear();
  for (std::uint32_t i = 0; i < description.params.Count(); ++i) {
    CG_ValueParamItem& parameter = description.params[i];
    if (i < values.size()) parameter.value = values[i];
    parameters.push_back({parameter.name, parameter.value, parameter.from, parameter.to});
  }
  field->SetDescription(description);
  return true;
}

bool ReadFieldParameters(CG_GraphicObject& object, std::vector<FieldParameter>& parameters) {
  parameters.clear();
  auto* field = dynamic_cast<CG_Field*>(&object);
  if (field == nullptr) return false;
  CG_FieldDescription description;
  field->GetDescription(description);
  for (std::uint32_t i = 0; i < description.params.Count(); ++i) {
    const CG_ValueParamItem& parameter = description.params[i];
    parameters.push_back({parameter.name, parameter.value, parameter.from, parameter.to});
  }
  field->SetDescription(description);
  return true;
}

}  // namespace zavo
