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
  int dimx = scene.GetDimX();
  int dimy = scene.GetDimY();
  double high = record.vmax - record.vmin;
  double focald = -record.prp.z;
  const Seq<charString> labels = Texts({"dimx", "dimy", "high", "focald"});
  Seq<charString> texts(4);
  texts[0] = zavo::IntToText(dimx);
  texts[1] = zavo::IntToText(dimy);
  texts[2] = zavo::RealToText(high);
  texts[3] = zavo::RealToText(focald);
  if (EditTexts("View general", labels, texts) == 0) {
    CommandCancelled();
    return;
  }
  if (HasText(texts[0])) dimx = zavo::SaturateToInt(zavo::RealPrefix(texts[0].Text()));
  if (HasText(texts[1])) dimy = zavo::SaturateToInt(zavo::RealPrefix(texts[1].Text()));
  if (HasText(texts[2])) high = zavo::RealPrefix(texts[2].Text());
  if (HasText(texts[3])) focald = zavo::RealPrefix(texts[3].Text());
  // The window takes the image's aspect: a height of 0 pixels has none.
  if (dimy < 1) {
    Message(kDimyText);
    CommandCancelled();
    return;
  }
  const double width = high / dimy * dimx;
  scene.SetDimX(dimx);
  scene.SetDimY(dimy);
  record.prp = Point3D{0.0, 0.0, -focald};
  record.umax = width / 2;
  record.umin = -width / 2;
  record.vmax = high / 2;
  record.vmin = -high / 2;
  ApplyCameraView(record);
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 1) continue;
    RedrawView(v);
    FillView(v);
    RefreshView(v);
  }
  SetModified();
}
