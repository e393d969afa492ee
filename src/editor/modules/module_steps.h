#pragma once

// What every object and lamp module does the same way: asking the name of a
// new thing, the common data of a new object, the placement of a new object
// in the current view, the texts of dialog fields and their reading back,
// and the transform wrapper around a new solid.

#include <memory>

#include "editor/dialog_controls.h"
#include "foundation/char_string.h"
#include "geometry/point3d.h"
#include "scene/comm_data.h"

class CG_GraphicEditor;
class CG_GraphicObject;
class GTransf;

namespace zavo {

// The name kinds of CG_GraphicEditor::MakeUniqueName and CheckNewName.
inline constexpr int kObjectName = 0;
inline constexpr int kLampName = 1;

// Creation steps 2 to 4: the dialog `caption` with one field "name" holding
// the editor's proposal (prefix and six digits among the names of `kind`),
// then the name check of that kind. 1 with the accepted name; 0 on Cancel
// (nothing shown) or a refused name (the check's message shown).
int AskNewName(CG_GraphicEditor& editor, const char* caption, const char* prefix, int kind, charString& name);

// Creation step 5: the name and the scene's material "standard" (none when
// the scene has none); mapping, texture and bump empty.
void FillNewCommData(CG_GraphicEditor& editor, const char* name, CG_GraphicObjectCommData& data);

// Where a new object goes. The current view (-1 counts as view 0; a view
// that is not a plane view, the perspective one included, is replaced by
// view 0, and view 0 itself when it is no plane view is taken as a top
// view) gives the stored world box and the two shown axes. The centre is
// the world point under a pending creation click made in a plane view when
// useClick is set, else the box centre; its coordinate along the axis the
// view of that point does not show is then 0.
struct Placement {
  Point3D centre;
  double size = 0.0;         // the smaller shown extent of the box / 4
  double lampRadius = 0.0;   // the smaller shown extent of the box * 0.5 * 0.1
  double areaHalfDiagonal = 0.0;  // the smaller shown extent of the box * 0.15
  int horizontal = 0;        // the shown axes (0 x, 1 y, 2 z)
  int vertical = 1;
  Point3D low, high;         // the view's stored world box
};
Placement PlaceNewObject(const CG_GraphicEditor& editor, bool useClick);

// "( x , y , z )" in the default number format.
charString VectorToText(const Point3D& point);
// Reads a point text with the scene tokenizer: the components read before
// an error replace those of point, the others stay. 1 when the whole
// point was read.
int ReadPointText(const char* text, Point3D& point);

// The text of the edit field of that label (null when there is none).
const char* FieldText(const gcg_list& controls, const char* label);
// The number at the start of the field's text, 0 when there is none; an
// integer field takes that number truncated toward zero.
double RealField(const gcg_list& controls, const char* label);
int IntField(const gcg_list& controls, const char* label);
// Appends an edit field with a number or a point as text.
void AddRealField(gcg_list& controls, const char* label, double value);
void AddIntField(gcg_list& controls, const char* label, int value);
void AddPointField(gcg_list& controls, const char* label, const Point3D& point);

}  // namespace zavo
