#pragma once

// Projection of one part of an item into one view (the steps below the
// editor's ProjectPreviewItem and ProjectOrthoItem), and the edge tables.
//
// A part is drawn either from its vertices (the vertex path: the part's
// vertices are projected once, the painter walks the object's own edge list)
// or from pixel segments (the segment path: the edges are found once from the
// faces and shared by the four views, each edge is projected, clipped and
// stored as an `mvert`). Boxes, parts of style "box", everything while
// `DirectDraw` is on and parallel-view parts of a few pixels go the segment
// path as their bounding box.
//
// Objects of more than 400 vertices report progress through the editor's
// Status and clear it with "" at the end.

#include "editor/projected_view.h"
#include "editor/views/view_mapping.h"

class CG_GraphicEditor;
class CG_GraphicObject;
class CG_SceneEditorItem;

namespace zavo {

// Adds the undirected edge a-b: stored once, in the list of the smaller end;
// useCount of both ends grows for every offer.
void AddEdge(EdgeTable& table, int a, int b);

// Builds the part's edge table from the object when the table is empty: the
// chain of a curve (closed: with the edge back to the start; only when
// withCurves), else the face loops (in style "fastview" only every
// fastview-th face; a negative index hides the edge to the next vertex).
// Ends outside the vertex range are ignored.
void BuildEdges(CG_GraphicEditor& editor, CG_SceneEditorItem& item, const CG_GraphicObject& o, long part,
                bool withCurves);

// The segment path of part `part` (object o) into a Top, Side or Front view
// (viewType 2 to 4) with the view's mapping M.
void ProjectOrthoSegments(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                          const ViewMatrix& M, long part, int viewType);
// The segment path into a Preview view; curves and parts that are not faced
// give nothing.
void ProjectPreviewSegments(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                            const ViewMatrix& M, long part);

// The vertex path. 1: the part is dealt with (projected, or never drawn in
// this view); 0: the segment path must take over (the vertex array is empty).
int ProjectPreviewVertices(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                           const ViewMatrix& M, long part);
int ProjectOrthoVertices(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                         const ViewMatrix& M, long part, int viewType);

// The step through faces and edges of an item: its fastview value in style
// "fastview" (values below 1 count as 1), else 1.
int FastviewStep(const CG_SceneEditorItem& item);

}  // namespace zavo
