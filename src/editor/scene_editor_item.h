#pragma once

// The editor's record of one scene object: the object, the faced parts the
// views draw it from, how rays meet it, its display settings, its centre and
// its cached pictures in the four views. The document owns its items (its
// list `items`); an item refers to its object, which the scene owns.

#include <cstdint>

#include "editor/projected_view.h"
#include "foundation/dbl_list.h"
#include "foundation/seq.h"
#include "geometry/point3d.h"
#include "scene/graphic_object.h"

class CG_ESelectionStatus;

// An item's display settings: style (0 "normal", 1 "box", 2 "fastview"),
// centre flag (1: rotate and scale about the item's centre, 0: about the
// origin) and fastview value (the step through faces and edges in style 2).
struct IntTriple {
  std::int32_t style = 0;
  std::int32_t centre = 1;
  std::int32_t fastview = 1;

  // Style 0, centre flag 1, fastview value 1.
  void Init() { *this = IntTriple{}; }
};

class CG_SceneEditorItem : public DblListItem {
public:
  CG_SceneEditorItem() = default;
  // Destroys the owned parts (those of `parts` only when declassed), then
  // the per-view caches and the edge tables.
  ~CG_SceneEditorItem();
  CG_SceneEditorItem(const CG_SceneEditorItem&) = delete;
  CG_SceneEditorItem& operator=(const CG_SceneEditorItem&) = delete;

  // The number of parts the views draw: the faced parts when declassed,
  // else 1 (the object itself).
  long PartCount() const { return declassed != 0 ? parts.Size() : 1; }
  // Part i (0 <= i < PartCount()).
  CG_GraphicObject* Part(long i) const { return declassed != 0 ? parts[i].object : object; }

  // Frees the four per-view segment caches and leaves them empty.
  void FreeWireData();
  // Empties every part's edge table; the number of tables stays.
  void FreeEdges();

  // 0: the item shows the object itself; 1: it shows the faced parts.
  std::int32_t declassed = 0;
  CG_GraphicObject* object = nullptr;  // owned by the scene
  zavo::DeclassedParts parts;          // faced parts (declassed 1)
  zavo::DeclassedParts traceParts;     // ray-traceable parts (kind 2)
  // How rays meet the item: -1 not at all, 0 the object itself, 1 through
  // `parts`, 2 through `traceParts`.
  std::int32_t kind = -1;
  IntTriple display;
  // One further value that travels with the display settings when the item
  // is replaced by a new one.
  std::int32_t displayExtra = 0;
  // Per view: one segment list per part.
  Seq<SegmentList> segments[4];
  // Per view: one projected vertex array per part (empty: the part is not
  // drawn from its vertices in that view).
  Seq<Seq<Point3D>> vertices[4];
  // One edge table per part, shared by the four views.
  Seq<EdgeTable> edges;
  Point3D centre;
  // Per view: one flag per part, set when a part that could be drawn from
  // its vertices is drawn from segments in a parallel view.
  Seq<bool> drawnAsSegments[4];
};

// One record of the document's selection; owns the editor module's state
// for the selected thing (null when the module keeps none).
class CG_ESelection : public DblListItem {
public:
  CG_ESelection() = default;
  virtual ~CG_ESelection();
  CG_ESelection(const CG_ESelection&) = delete;
  CG_ESelection& operator=(const CG_ESelection&) = delete;

  CG_ESelectionStatus* status = nullptr;
};

// A selected object: its item (not owned).
class CG_EObjectSelection : public CG_ESelection {
public:
  explicit CG_EObjectSelection(CG_SceneEditorItem* selected) : item(selected) {}

  CG_SceneEditorItem* item = nullptr;
};
