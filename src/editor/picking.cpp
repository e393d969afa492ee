// What lies under a click in a view: objects by their drawn segments (curves)
// and by a pick ray along the view's depth, lamps and camera handles by their
// pixels; a left click selects, a right click opens the menu of what it hit.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/views/viewing_overlay.h"
#include "foundation/number_text.h"

namespace {

// True when the object's hit record exists and the ray meets the object.
bool RayHits(const CG_GraphicObject* object, const Ray& ray) {
  if (object == nullptr) return false;
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = object->NewIntrInfo();
  return record != nullptr && object->IntersectAny(ray, *record) > 0;
}

// True when (x, y) lies nearer than the tolerance to one of the segments.
bool NearSegments(const CG_SceneEditorItem& item, int view, long part, int x, int y, double tolerance) {
  const Seq<SegmentList>& lists = item.segments[view];
  if (part < 0 || part >= static_cast<long>(lists.Count())) return false;
  const SegmentList& list = lists[static_cast<std::uint32_t>(part)];
  const Point3D click{static_cast<double>(x), static_cast<double>(y), 0.0};
  for (long k = 0; k < list.Size(); ++k) {
    const mvert& s = list[k];
    const Point3D a{static_cast<double>(s.x1), static_cast<double>(s.y1), 0.0};
    const Point3D b{static_cast<double>(s.x2), static_cast<double>(s.y2), 0.0};
    if (CG_GraphicEditor::PointSegmentDistance(a, b, click) < tolerance) return true;
  }
  return false;
}

// A part that is a curve by its segments in the view (not with view -1),
// then any part by the ray.
bool PartHit(const CG_SceneEditorItem& item, const CG_GraphicObject* part, long index, const Ray& ray, int view,
             int x, int y, double tolerance) {
  if (part == nullptr) return false;
  if (part->IsCurve() != 0) {
    if (view < 0) return false;
    if (NearSegments(item, view, index, x, y, tolerance)) return true;
  }
  return RayHits(part, ray);
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void AppendName(List<GenericName>& list, const std::string& text) { list.Append(new GenericName(text.c_str())); }

}  // namespace

double CG_GraphicEditor::PointSegmentDistance(const Point3D& a, const Point3D& b, const Point3D& p) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double ax = p.x - a.x;
  const double ay = p.y - a.y;
  if (std::fabs(dx) < 1e-7 && std::fabs(dy) < 1e-7) return std::hypot(ax, ay);
  const double t = (ax * dx + ay * dy) / (dx * dx + dy * dy);
  if (t < 0 || t > 1) return std::min(std::hypot(ax, ay), std::hypot(p.x - b.x, p.y - b.y));
  return std::hypot(ax - t * dx, ay - t * dy);
}

int CG_GraphicEditor::NearInPixels(double x1, double y1, double x2, double y2) const {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  const double tolerance = pickTolerance;
  return dx * dx + dy * dy < tolerance * tolerance ? 1 : 0;
}

int CG_GraphicEditor::ItemOnRay(CG_SceneEditorItem* item, const Ray& ray, int view, int x, int y) {
  if (item == nullptr || item->object == nullptr) return 0;
  const double tolerance = pickTolerance;
  switch (item->kind) {
    case 0:
      return PartHit(*item, item->object, 0, ray, view, x, y, tolerance) ? 1 : 0;
    case 1:
      for (long d = 0; d < item->parts.Size(); ++d) {
        if (PartHit(*item, item->parts[d].object, d, ray, view, x, y, tolerance)) return 1;
      }
      return 0;
    case 2:
      for (long d = 0; d < item->traceParts.Size(); ++d) {
        if (RayHits(item->traceParts[d].object, ray)) return 1;
      }
      return 0;
    default:
      return 0;
  }
}

std::unique_ptr<List<GenericName>> CG_GraphicEditor::ObjectsOnRay(const Ray& ray, int view, int x, int y) {
  auto names = std::make_unique<List<GenericName>>();
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) {
    if (ItemOnRay(item, ray, view, x, y) == 0) continue;
    const char* objectName = item->object->name.Text();
    names->Append(new GenericName(objectName != nullptr ? objectName : ""));
  }
  return names;
}

int CG_GraphicEditor::PlaneViewPickRays(int view, int x, int y, Ray& forward, Ray& backward) {
  Point3D p;
  int a = 0, b = 1, flip = 0;
  if (ViewPointToWorld(view, x, y, p, a, b, flip) == 0) return 0;
  const double at[3] = {p.x, p.y, p.z};
  double low[3] = {-1, -1, -1};
  double high[3] = {1, 1, 1};
  low[a] = high[a] = at[a];
  low[b] = high[b] = at[b];
  const Point3D A{low[0], low[1], low[2]};
  const Point3D B{high[0], high[1], high[2]};
  forward = Ray::FromPoints(A, B);
  backward = Ray::FromPoints(B, A);
  return 1;
}

std::unique_ptr<List<GenericName>> CG_GraphicEditor::PickCandidates(int view, int x, int y) {
  Ray forward, backward;
  if (PlaneViewPickRays(view, x, y, forward, backward) == 0) return nullptr;
  auto candidates = std::make_unique<List<GenericName>>();
  std::vector<std::string> first;
  const std::unique_ptr<List<GenericName>> ahead = ObjectsOnRay(forward, view, x, y);
  const std::unique_ptr<List<GenericName>> behind = ObjectsOnRay(backward, -1, x, y);
  for (const GenericName& n : *ahead) {
    first.emplace_back(n.name.Text() != nullptr ? n.name.Text() : "");
    AppendName(*candidates, "$" + first.back());
  }
  for (const GenericName& n : *behind) {
    const std::string objectName = n.name.Text() != nullptr ? n.name.Text() : "";
    if (!Contains(first, objectName)) AppendName(*candidates, "$" + objectName);
  }

  int px = 0, py = 0;
  for (const CG_LightSource& lamp : scene.GetLights()) {
    if (WorldToPixel(view, lamp.Position(), px, py) == 0) continue;
    if (NearInPixels(x, y, px, py) != 0) {
      AppendName(*candidates, std::string("*") + (lamp.name.Text() != nullptr ? lamp.name.Text() : ""));
    }
  }

  int a = 0, b = 1, flip = 0;
  GetViewAxes(viewModes[view], a, b, flip);
  const zavo::ViewingFigure figure =
      zavo::MakeViewingFigure(scene.GetViewReference(), zavo::ViewingHandleLength(viewBoxes[view], a, b));
  struct Handle {
    const char* name;
    const Point3D* point;
  };
  // A camera whose up vector is parallel to its normal has no PRP handle.
  const Handle handles[] = {{"&VRP", &figure.vrp},
                            {"&VUP", &figure.vupHandle},
                            {"&VPN", &figure.vpnHandle},
                            {"&PRP", figure.hasAxes ? &figure.prp : nullptr}};
  for (const Handle& h : handles) {
    if (h.point == nullptr || WorldToPixel(view, *h.point, px, py) == 0) continue;
    if (NearInPixels(x, y, px, py) != 0) AppendName(*candidates, h.name);
  }
  return candidates;
}

int CG_GraphicEditor::HitSelected(CG_SceneEditorItem* item, int view, int x, int y) {
  Ray forward, backward;
  if (PlaneViewPickRays(view, x, y, forward, backward) == 0) return 0;
  return ItemOnRay(item, forward, view, x, y) != 0 || ItemOnRay(item, backward, view, x, y) != 0 ? 1 : 0;
}

// ---- Selection by a left click ----

int CG_GraphicEditor::PickAt(int view, int x, int y, int flags) {
  (void)flags;
  if (!selection.IsEmpty()) return 1;
  std::unique_ptr<List<GenericName>> candidates = PickCandidates(view, x, y);
  if (candidates == nullptr) return 1;
  std::vector<std::string> objects;
  for (const GenericName& n : *candidates) {
    const char* text = n.name.Text();
    if (text != nullptr && text[0] == '$') objects.emplace_back(text + 1);
  }
  if (objects.empty()) return 1;
  std::string chosen = objects.front();
  if (objects.size() > 1) {
    const std::string last = lastPickedName.Text() != nullptr ? lastPickedName.Text() : "";
    const auto at = std::find(objects.begin(), objects.end(), last);
    if (!last.empty() && at != objects.end()) chosen = std::next(at) != objects.end() ? *std::next(at) : objects.front();
    lastPickedName = chosen.c_str();
  }

  Status(("Selected " + chosen).c_str());
  CG_GraphicObject* object = scene.FindObject(chosen.c_str());
  if (object == nullptr) return 1;
  CG_GraphicObject* inner = object;
  CG_GraphicObject* wrapper = nullptr;
  FindObject(object, inner, wrapper);
  const char* keyword = inner->Keyword();
  Status(("Selected " + chosen + " [ " + (keyword != nullptr ? keyword : "") + " ]").c_str());

  CG_SceneEditorItem* item = FindItem(object);
  if (item == nullptr) return 1;
  auto* record = new CG_EObjectSelection(item);
  selection.Append(record);
  DrawItem(item);
  if (CG_ObjectEditorModule* module = FindObjectModule(keyword)) {
    record->status = module->NewSelectionStatus().release();
    DrawItem(item);
  }
  return 1;
}

// ---- The menus of a right click ----

int CG_GraphicEditor::MouseReleaseAt(int view, double fx, double fy) {
  CG_WireFrameImage* surface = view >= 0 && view <= 3 ? views[view] : nullptr;
  if (surface == nullptr) return 0;
  const int px = zavo::SaturateToInt(surface->GetWidth() * fx);
  const int py = zavo::SaturateToInt(surface->GetHeight() * fy);
  dragView = view;
  dragStartX = dragLastX = px;
  dragStartY = dragLastY = py;

  if (mappingEdit != 0) {
    const char* type = currentMapping != nullptr ? currentMapping->TypeName() : nullptr;
    if (type == nullptr) return 0;
    for (CG_MappingEditorModule& module : mappingModules) {
      if (module.keyword == type) return module.EditInViews(*this, view, px, py);
    }
    return 0;
  }

  const bool preview = viewModes[view] == 1;
  if (auto* selected = dynamic_cast<CG_EObjectSelection*>(selection.First()); selected != nullptr && selected->item != nullptr) {
    CG_SceneEditorItem* item = selected->item;
    const int hit = preview ? PreviewHitSelected(item, view, px, py) : HitSelected(item, view, px, py);
    if (hit != 0) {
      ObjectFlyMenu(item->object->name.Text());
      return 1;
    }
  }

  std::unique_ptr<List<GenericName>> candidates =
      preview ? PreviewPickCandidates(view, px, py) : PickCandidates(view, px, py);
  if (candidates == nullptr) return 0;
  Seq<charString> entries;
  long count = 0;
  for (const GenericName& n : *candidates) {
    (void)n;
    ++count;
  }
  if (count == 0) {
    EmptyZoneMenu(view, px, py);
    return 1;
  }
  entries.SetSize(static_cast<std::uint32_t>(count));
  std::uint32_t i = 0;
  for (const GenericName& n : *candidates) entries[i++] = n.name;
  charString chosen = count == 1 ? entries[0] : ChooseFromList("Multiple selection. Choose one", entries);
  const char* text = chosen.Text();
  if (text == nullptr || text[0] == '\0') return 1;
  switch (text[0]) {
    case '$': ObjectFlyMenu(text + 1); break;
    case '&': CameraFlyMenu(text + 1); break;
    case '*': LampFlyMenu(text + 1); break;
    default: break;
  }
  return 1;
}
