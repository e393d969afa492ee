#pragma once

// The "Apply Field" dialog: every control point of a patch model that a
// field object affects is moved by the field's displacement.
//
// The dialog holds one slider per parameter of the field (its name, range
// and value) and the button "Apply field". Each press gives the field the
// sliders' values and moves every affected point to the position it had
// when the dialog opened plus the displacement there; a point the field
// does not affect stays where it is. OK keeps the points as the last press
// left them; Cancel puts back the positions of the opening (the field keeps
// the values of the last press). After every change the model is updated
// and its item built again.
//
// The field is named by its scene object, the field itself or a transf
// around it (whose matrix takes part in the displacement). While its
// description changes the field leaves the views and the scene, and comes
// back with a new item in its old item's place; a transf around it has its
// steps set again, which renews its matrices and box.

class CG_GraphicEditor;
class CG_PatchModelBased;
class CG_SceneEditorItem;

namespace zavo {

// The dialog for the patch model given by its item (null: none shown) and
// its point interface, and the scene object named fieldName. Nothing
// happens when no scene object has that name or it is no field.
void ApplyFieldDialog(CG_GraphicEditor& editor, CG_SceneEditorItem* item, const char* fieldName,
                      CG_PatchModelBased& points);

}  // namespace zavo
