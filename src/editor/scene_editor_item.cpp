#include "editor/scene_editor_item.h"

#include "editor/editor_modules.h"

CG_SceneEditorItem::~CG_SceneEditorItem() {
  // Parts that the item does not show were never handed to it for keeping.
  if (declassed == 1) zavo::ReleaseDeclassedParts(parts);
  zavo::ReleaseDeclassedParts(traceParts);
}

void CG_SceneEditorItem::FreeWireData() {
  for (Seq<SegmentList>& view : segments) view.SetSize(0);
}

void CG_SceneEditorItem::FreeEdges() {
  for (std::uint32_t i = 0; i < edges.Count(); ++i) edges[i].Clear();
}

CG_ESelection::~CG_ESelection() { delete status; }
