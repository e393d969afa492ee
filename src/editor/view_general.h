#pragma once

// The "View general" dialog: an image size, a window height and a focal
// distance, from which a view record gets its projection reference point and
// a window centred on the view reference point with the image's aspect.
// Shared by the editor's own command (on the camera in use) and the camera
// module's "General" (on any camera).

class CG_GraphicEditor;
class CG_ViewReference;

namespace zavo {

struct ViewGeneral {
  int dimx = 0;
  int dimy = 0;
  double high = 0.0;    // window height, vmax - vmin
  double focald = 0.0;  // -prp.z
};

// The values the dialog starts from: the image size and the record's window
// height and focal distance.
ViewGeneral ViewGeneralOf(const CG_ViewReference& record, int dimx, int dimy);

// Shows "View general" with the fields "dimx", "dimy" (decimal integers),
// "high" and "focald" (default real format). On OK every field with text
// replaces its value (dimx and dimy truncated toward zero, a text that is no
// number reads 0); an empty field keeps the value shown. 0 on Cancel.
int AskViewGeneral(CG_GraphicEditor& editor, ViewGeneral& values);

// prp (0, 0, -focald), the window high tall and high / dimy * dimx wide about
// the view reference point; the other fields stay. dimy must not be 0.
void ApplyViewGeneral(const ViewGeneral& values, CG_ViewReference& record);

}  // namespace zavo
