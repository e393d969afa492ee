#pragma once

// The editor module of the field object, keyword "field": fields are not
// created here; "Modify Field" shows and changes the values of the field's
// named parameters.

#include <memory>

#include "editor/editor_modules.h"

class CG_FieldEditorModule : public CG_ObjectEditorModule {
public:
  // Null: fields come from elsewhere.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modify Field": "Param" (the first parameter chosen), "update param"
  // (the chosen parameter's value, from and to into the three fields),
  // "change param" (the chosen parameter's value from the "value" field),
  // "value", "from", "to". However the dialog ends, the parameters as
  // changed are applied and the field is answered; null for an object that
  // is no field.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "meta", "field".
  void Info(Seq<charString>& names) override;
};
