// The dialogs that edit the camera view record by typed values: the four
// points and vectors (PRP, VPN, VRP, VUP), the window, and the general view
// set-up from an image size, a window height and a focal distance.

#include <cmath>
#include <locale>
#include <sstream>
#include <string>

#include "editor/camera_vectors.h"
#include "editor/graphic_editor.h"
#include "editor/number_prefix.h"
#include "editor/text_routines.h"
#include "editor/view_general.h"
#include "foundation/number_text.h"
#include "geometry/geo_text.h"
#include "scene/cg_scanner.h"

namespace {

constexpr const char* kDimyText = "dimy must be positive. Cannot change.";

// "( x , y , z )" with reals in the classic locale's default format.
charString PointText(const Point3D& point) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  WritePoint3D(point, os);
  return charString(os.str().c_str());
}

// A point typed as "( x , y , z )", with blanks and comments allowed between
// the tokens.
bool ReadPointText(const char* text, Point3D& point) {
  if (text == nullptr) return false;
  std::istringstream in{std::string(text)};
  CGScanner scanner(in);
  scanner.Next();
  Point3D read;
  if (ReadPoint3D(read, scanner) == 0) return false;
  point = read;
  return true;
}

bool HasText(const charString& text) { return text.Text() != nullptr && text.Text()[0] != '\0'; }

Seq<charString> Texts(std::initializer_list<const char*> texts) {
  Seq<charString> out(static_cast<std::uint32_t>(texts.size()));
  std::uint32_t i = 0;
  for (const char* t : texts) out[i++] = t;
  return out;
}

enum class PointCheck { none, againstVpn, againstVup };

// One of the point dialogs: the title names the field and its only label.
int EditViewPoint(CG_GraphicEditor& editor, const char* title, Point3D CG_ViewReference::*field,
                  PointCheck check) {
  if (editor.NotifyChange() == 0) return 0;
  CG_ViewReference record = editor.CameraViewRecord();
  const Seq<charString> labels = Texts({title});
  Seq<charString> texts(1);
  texts[0] = PointText(record.*field);
  Point3D typed;
  if (editor.EditTexts(title, labels, texts) == 0 || !ReadPointText(texts[0].Text(), typed)) {
    editor.CommandCancelled();
    return 0;
  }
  const bool parallel = (check == PointCheck::againstVpn && zavo::VectorsParallel(record.vpn, typed)) ||
                        (check == PointCheck::againstVup && zavo::VectorsParallel(typed, record.vup));
  if (parallel) {
    editor.Message(zavo::kParallelVectorsText);
    editor.CommandCancelled();
    return 0;
  }
  record.*field = typed;
  editor.ApplyCameraView(record);
  editor.SetModified();
  return 1;
}

}  // namespace

int CG_GraphicEditor::EditPRP() { return EditViewPoint(*this, "PRP", &CG_ViewReference::prp, PointCheck::none); }

int CG_GraphicEditor::EditVPN() {
  return EditViewPoint(*this, "VPN", &CG_ViewReference::vpn, PointCheck::againstVup);
}

int CG_GraphicEditor::EditVRP() { return EditViewPoint(*this, "VRP", &CG_ViewReference::vrp, PointCheck::none); }

int CG_GraphicEditor::EditVUP() {
  return EditViewPoint(*this, "VUP", &CG_ViewReference::vup, PointCheck::againstVpn);
}

int CG_GraphicEditor::EditWindow() {
  if (NotifyChange() == 0) return 0;
  CG_ViewReference record = CameraViewRecord();
  const Seq<charString> labels = Texts({"Umin", "Umax", "Vmin", "Vmax"});
  Seq<charString> texts(4);
  texts[0] = zavo::RealToText(record.umin);
  texts[1] = zavo::RealToText(record.umax);
  texts[2] = zavo::RealToText(record.vmin);
  texts[3] = zavo::RealToText(record.vmax);
  if (EditTexts("Window", labels, texts) == 0) {
    CommandCancelled();
    return 0;
  }
  const auto value = [&](int i) { return zavo::RealPrefix(texts[i].Text() != nullptr ? texts[i].Text() : ""); };
  record.umin = value(0);
  record.umax = value(1);
  record.vmin = value(2);
  record.vmax = value(3);
  ApplyCameraView(record);
  SetModified();
  return 1;
}

void CG_GraphicEditor::EditViewGeneral() {
  if (NotifyChange() == 0) return;
  CG_ViewReference record = CameraViewRecord();
  zavo::ViewGeneral values = zavo::ViewGeneralOf(record, scene.GetDimX(), scene.GetDimY());
  if (zavo::AskViewGeneral(*this, values) == 0) {
    CommandCancelled();
    return;
  }
  // The window takes the image's aspect: a height of 0 pixels has none.
  if (values.dimy < 1) {
    Message(kDimyText);
    CommandCancelled();
    return;
  }
  scene.SetDimX(values.dimx);
  scene.SetDimY(values.dimy);
  zavo::ApplyViewGeneral(values, record);
  ApplyCameraView(record);
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 1) continue;
    RedrawView(v);
    FillView(v);
    RefreshView(v);
  }
  SetModified();
}

namespace zavo {

ViewGeneral ViewGeneralOf(const CG_ViewReference& record, int dimx, int dimy) {
  return ViewGeneral{dimx, dimy, record.vmax - record.vmin, -record.prp.z};
}

int AskViewGeneral(CG_GraphicEditor& editor, ViewGeneral& values) {
  const Seq<charString> labels = Texts({"dimx", "dimy", "high", "focald"});
  Seq<charString> texts(4);
  texts[0] = IntToText(values.dimx);
  texts[1] = IntToText(values.dimy);
  texts[2] = RealToText(values.high);
  texts[3] = RealToText(values.focald);
  if (editor.EditTexts("View general", labels, texts) == 0) return 0;
  if (HasText(texts[0])) values.dimx = SaturateToInt(RealPrefix(texts[0].Text()));
  if (HasText(texts[1])) values.dimy = SaturateToInt(RealPrefix(texts[1].Text()));
  if (HasText(texts[2])) values.high = RealPrefix(texts[2].Text());
  if (HasText(texts[3])) values.focald = RealPrefix(texts[3].Text());
  return 1;
}

void ApplyViewGeneral(const ViewGeneral& values, CG_ViewReference& record) {
  const double width = values.high / values.dimy * values.dimx;
  record.prp = Point3D{0.0, 0.0, -values.focald};
  record.umax = width / 2;
  record.umin = -width / 2;
  record.vmax = values.high / 2;
  record.vmin = -values.high / 2;
}

}  // namespace zavo
