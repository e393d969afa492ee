#include "editor/modules/module_steps.h"

#include <algorithm>
#include <locale>
#include <sstream>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/number_prefix.h"
#include "editor/text_routines.h"
#include "foundation/number_text.h"
#include "geometry/geo_text.h"
#include "models/core/transf.h"
#include "scene/cg_scanner.h"
#include "scene/material.h"

namespace zavo {

int AskNewName(CG_GraphicEditor& editor, const char* caption, const char* prefix, int kind, charString& name) {
  charString proposal;
  editor.MakeUniqueName(prefix, kind, proposal);
  gcg_list controls;
  controls.Append(new Edit_obj("name", proposal.Text()));
  if (editor.ShowDialog(caption, controls) == 0) return 0;
  const char* chosen = FieldText(controls, "name");
  if (editor.CheckNewName(chosen != nullptr ? chosen : "", kind) == 0) return 0;
  name = chosen != nullptr ? chosen : "";
  return 1;
}

void FillNewCommData(CG_GraphicEditor& editor, const char* name, CG_GraphicObjectCommData& data) {
  data.name = name;
  data.material = editor.scene.GetMaterials().Find("standard");
}

namespace {

bool IsPlaneView(int mode) { return mode >= 2 && mode <= 4; }

// The axis that a plane view of the mode does not show.
int HiddenAxis(int horizontal, int vertical) { return 3 - horizontal - vertical; }

}  // namespace

Placement PlaceNewObject(const CG_GraphicEditor& editor, bool useClick) {
  int view = editor.activeView < 0 || editor.activeView > 3 ? 0 : editor.activeView;
  if (!IsPlaneView(editor.viewModes[view])) view = 0;
  const int mode = IsPlaneView(editor.viewModes[view]) ? editor.viewModes[view] : 2;
  Placement place;
  int flip = 0;
  editor.GetViewAxes(mode, place.horizontal, place.vertical, flip);
  const double* box = editor.viewBoxes[view];
  const int a = place.horizontal, b = place.vertical;
  double centre[3] = {(box[0] + box[3]) / 2, (box[1] + box[4]) / 2, (box[2] + box[5]) / 2};
  int hidden = HiddenAxis(a, b);
  if (useClick && editor.creationClick != 0) {
    Point3D clicked;
    int h = 0, v = 0;
    if (editor.ViewPointToWorld(editor.creationView, editor.creationX, editor.creationY, clicked, h, v, flip)) {
      centre[0] = clicked.x;
      centre[1] = clicked.y;
      centre[2] = clicked.z;
      hidden = HiddenAxis(h, v);
    }
  }
  centre[hidden] = 0.0;
  place.centre = Point3D{centre[0], centre[1], centre[2]};
  const double extentA = box[a + 3] - box[a];
  const double extentB = box[b + 3] - box[b];
  place.size = std::min(extentA / 4, extentB / 4);
  place.lampRadius = std::min(extentA * 0.5 * 0.1, extentB * 0.5 * 0.1);
  place.areaHalfDiagonal = std::min(0.15 * extentA, 0.15 * extentB);
  place.low = Point3D{box[0], box[1], box[2]};
  place.high = Point3D{box[3], box[4], box[5]};
  return place;
}

charString VectorToText(const Point3D& point) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  WritePoint3D(point, os);
  return charString(os.str().c_str());
}

int ReadPointText(const char* text, Point3D& point) {
  std::istringstream in(text != nullptr ? text : "");
  CGScanner scanner(in);
  scanner.Next();
  return ReadPoint3D(point, scanner);
}

const char* FieldText(const gcg_list& controls, const char* label) {
  const auto* edit = dynamic_cast<const Edit_obj*>(FindControl(controls, label));
  return edit != nullptr ? edit->text.Text() : nullptr;
}

double RealField(const gcg_list& controls, const char* label) {
  const char* text = FieldText(controls, label);
  return text != nullptr ? RealPrefix(text) : 0.0;
}

int IntField(const gcg_list& controls, const char* label) { return SaturateToInt(RealField(controls, label)); }

void AddRealField(gcg_list& controls, const char* label, double value) {
  controls.Append(new Edit_obj(label, RealToText(value).Text()));
}

void AddIntField(gcg_list& controls, const char* label, int value) {
  controls.Append(new Edit_obj(label, IntToText(value).Text()));
}

void AddPointField(gcg_list& controls, const char* label, const Point3D& point) {
  controls.Append(new Edit_obj(label, VectorToText(point).Text()));
}

}  // namespace zavo
