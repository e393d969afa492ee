#pragma once

// The parameters of a field object as the editor's dialogs see them. (The
// field's own header cannot share a file with the editor document's: the
// two interpreters behind them name their operator positions alike.)

#include <string>
#include <vector>

class CG_GraphicObject;

namespace zavo {

struct FieldParameter {
  std::string name;
  double value = 0.0;
  double from = 0.0;
  double to = 0.0;
};

// 1 when the object is a field itself (not a transf around one).
bool IsFieldModel(const CG_GraphicObject& object);

// The field's description read, the values of its first parameters replaced
// by values (as many as both have), and applied again: the expressions are
// compiled and the deformed copy made anew. The parameters as they are then
// come out. False, and nothing done, for an object that is no field.
bool ApplyFieldParameters(CG_GraphicObject& object, const std::vector<double>& values,
                          std::vector<FieldParameter>& parameters);

// The field's parameters as its description holds them; false, and none,
// for an object that is no field.
bool ReadFieldParameters(CG_GraphicObject& object, std::vector<FieldParameter>& parameters);

}  // namespace zavo
