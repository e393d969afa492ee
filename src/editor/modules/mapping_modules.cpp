#include "editor/modules/mapping_modules.h"

#include <initializer_list>

#include "editor/graphic_editor.h"
#include "editor/modules/control_points.h"
#include "editor/views/plane_view_pixels.h"
#include "scene/mapping.h"

using namespace zavo;

namespace {

struct Pixel {
  int x = 0, y = 0;
};

// The pixels of the mapping's centre and of the tips of its two axes.
struct FramePixels {
  Pixel centre, xTip, yTip;
};

Pixel PixelOfPoint(const PlaneViewPixels& pixels, const Point3D& p) { return Pixel{pixels.Column(p), pixels.Row(p)}; }

FramePixels ProjectFrame(const PlaneViewPixels& pixels, const CG_MappingMetod& mapping) {
  return FramePixels{PixelOfPoint(pixels, mapping.center), PixelOfPoint(pixels, mapping.center + mapping.assx),
                     PixelOfPoint(pixels, mapping.center + mapping.assy)};
}

struct Stroke {
  int x1, y1, x2, y2;
};

void DrawStrokes(CG_WireFrameImage& surface, Pixel at, std::initializer_list<Stroke> strokes, int r, int g, int b) {
  for (const Stroke& s : strokes) surface.DrawLine(at.x + s.x1, at.y + s.y1, at.x + s.x2, at.y + s.y2, r, g, b);
}

// The triangle below the centre.
void DrawCentreMarker(CG_WireFrameImage& surface, Pixel at, int k, int r, int g, int b) {
  DrawStrokes(surface, at, {{-k, 0, k, 0}, {k, 0, 0, k}, {-k, 0, 0, k}}, r, g, b);
}

// The cross at the tip of the first axis; its strokes run one pixel past
// their far corners.
void DrawXMarker(CG_WireFrameImage& surface, Pixel at, int k, int r, int g, int b) {
  DrawStrokes(surface, at, {{-k, -k, k + 1, k + 1}, {-k, k, k + 1, -k - 1}}, r, g, b);
}

// The Y at the tip of the second axis.
void DrawYMarker(CG_WireFrameImage& surface, Pixel at, int k, int r, int g, int b) {
  DrawStrokes(surface, at, {{-k, -k, 0, 0}, {k, -k, 0, 0}, {0, k, 0, 0}}, r, g, b);
}

bool IsPlaneViewMode(int mode) { return mode >= 2 && mode <= 4; }

}  // namespace

void CG_GenericMappingEditorModule::DrawFrame(CG_GraphicEditor& editor, int view, CG_MappingMetod& mapping,
                                              int erase) {
  PlaneViewPixels pixels;
  if (!FitPlaneView(editor, view, pixels)) return;
  const FramePixels frame = ProjectFrame(pixels, mapping);
  int lr = 255, lg = 255, lb = 0;
  int mr = 0, mg = 100, mb = 0;
  if (erase != 0) {
    editor.GetBackgroundColor(lr, lg, lb);
    mr = lr, mg = lg, mb = lb;
  }
  CG_WireFrameImage& surface = *pixels.surface;
  const int k = editor.markSize;
  surface.DrawLine(frame.centre.x, frame.centre.y, frame.xTip.x, frame.xTip.y, lr, lg, lb);
  surface.DrawLine(frame.centre.x, frame.centre.y, frame.yTip.x, frame.yTip.y, lr, lg, lb);
  DrawCentreMarker(surface, frame.centre, k, mr, mg, mb);
  DrawXMarker(surface, frame.xTip, k, mr, mg, mb);
  DrawYMarker(surface, frame.yTip, k, mr, mg, mb);
}

int CG_GenericMappingEditorModule::EditInViews(CG_GraphicEditor& editor, int view, int x, int y) {
  editor_ = &editor;
  PlaneViewPixels pixels;
  if (editor.currentMapping == nullptr || !FitPlaneView(editor, view, pixels)) return 1;
  const FramePixels frame = ProjectFrame(pixels, *editor.currentMapping);
  const auto near = [&](Pixel p) { return editor.NearInPixels(x, y, p.x, p.y) != 0; };
  void (CG_GenericMappingEditorModule::*action)(int, int, int) = nullptr;
  const char* status = nullptr;
  if (near(frame.centre)) {
    action = &CG_GenericMappingEditorModule::MoveMappingCenter;
    status = "Move center";
  } else if (near(frame.xTip)) {
    action = &CG_GenericMappingEditorModule::MoveMappingAssx;
    status = "Move assx";
  } else if (near(frame.yTip)) {
    action = &CG_GenericMappingEditorModule::MoveMappingAssy;
    status = "Move assy";
  } else {
    return 1;
  }
  editor.BeginModulePointInput([this, action](int v, int px, int py) { (this->*action)(v, px, py); },
                               &CG_GenericMappingEditorModule::IgnoreMappingMotion, status);
  return 1;
}

void CG_GenericMappingEditorModule::MoveMappingCenter(int view, int x, int y) { MoveHandle(Handle::kCenter, view, x, y); }
void CG_GenericMappingEditorModule::MoveMappingAssx(int view, int x, int y) { MoveHandle(Handle::kAssx, view, x, y); }
void CG_GenericMappingEditorModule::MoveMappingAssy(int view, int x, int y) { MoveHandle(Handle::kAssy, view, x, y); }

void CG_GenericMappingEditorModule::IgnoreMappingMotion(int, int, int) {}

void CG_GenericMappingEditorModule::MoveHandle(Handle handle, int view, int x, int y) {
  if (editor_ == nullptr) return;
  CG_GraphicEditor& editor = *editor_;
  CG_MappingMetod* mapping = editor.currentMapping.get();
  Point3D q;
  int horizontal = 0, vertical = 1, flip = 0;
  if (mapping != nullptr && view >= 0 && view <= 3 &&
      editor.ViewPointToWorld(view, x, y, q, horizontal, vertical, flip) != 0) {
    const Point3D start = handle == Handle::kCenter ? mapping->center
                          : handle == Handle::kAssx ? mapping->center + mapping->assx
                                                    : mapping->center + mapping->assy;
    const Point3D moved = WithShownAxes(start, q, horizontal, vertical);
    for (int v = 0; v < 4; ++v) {
      if (IsPlaneViewMode(editor.viewModes[v])) editor.HideMappingFrame(v);
    }
    if (handle == Handle::kCenter) mapping->center = moved;
    if (handle == Handle::kAssx) mapping->assx = moved - mapping->center;
    if (handle == Handle::kAssy) mapping->assy = moved - mapping->center;
    for (int v = 0; v < 4; ++v) {
      if (IsPlaneViewMode(editor.viewModes[v])) editor.ShowMappingFrame(v);
    }
  }
  editor.mouseMode = 0;
  editor.Status("");
}

namespace {

// The default frame, unit axes, scales 1, as a mapping of type M.
template <class M>
std::unique_ptr<CG_MappingMetod> DefaultMapping() {
  return std::make_unique<M>(Point3D{0, 0, 0}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1.0, 1.0);
}

}  // namespace

std::unique_ptr<CG_MappingMetod> CG_PlanarMappingEditorModule::Create(CG_GraphicEditor&) {
  return DefaultMapping<CG_PlanarMapping>();
}

std::unique_ptr<CG_MappingMetod> CG_SphericalMappingEditorModule::Create(CG_GraphicEditor&) {
  return DefaultMapping<CG_SphericalMapping>();
}

std::unique_ptr<CG_MappingMetod> CG_CylindricMappingEditorModule::Create(CG_GraphicEditor&) {
  return DefaultMapping<CG_CilindricMapping>();
}
