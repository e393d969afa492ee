#pragma once

// The editor modules of the texture mappings "planar", "spherical" and
// "cilindric". Each makes a default mapping of its type, draws the frame of
// the editor's current mapping in the plane views (the centre and the tips
// of its two axes, each with a marker) and moves one of the three handles in
// two clicks: a release near a handle arms the move (mouse mode 2, the
// handle named in the status line), the next press in a plane view puts the
// handle under the pointer on the two axes the view shows.
//
// The vectors are stored as the mouse gives them, unscaled, whatever the
// mapping's type does with the axes it is built with.

#include <memory>

#include "editor/editor_modules.h"

class CG_GenericMappingEditorModule : public CG_MappingEditorModule {
public:
  // The frame in a plane view of positive size: the lines centre-to-tip in
  // (255, 255, 0), then the centre, X and Y markers in (0, 100, 0); with
  // erase set the same strokes in the background colour. Nothing elsewhere.
  void DrawFrame(CG_GraphicEditor& editor, int view, CG_MappingMetod& mapping, int erase) override;
  // Remembers the editor; in a plane view a release strictly nearer than
  // the pick distance to the centre, else the X tip, else the Y tip arms
  // that handle's move ("Move center", "Move assx", "Move assy"). A release
  // near no handle, another view or no current mapping changes nothing. 1.
  int EditInViews(CG_GraphicEditor& editor, int view, int x, int y) override;

  // The press actions of the armed move, on the editor last served: the
  // handle goes under pixel (x, y) of a plane view on its two shown axes
  // (the third coordinate stays), the frame erased before and drawn after
  // in every plane view; then mouse mode 0 and the empty status text.
  void MoveMappingCenter(int view, int x, int y);
  void MoveMappingAssx(int view, int x, int y);
  void MoveMappingAssy(int view, int x, int y);
  // The motion action of the armed move: nothing (no rubber band).
  static void IgnoreMappingMotion(int view, int x, int y);

private:
  enum class Handle { kCenter, kAssx, kAssy };
  void MoveHandle(Handle handle, int view, int x, int y);

  CG_GraphicEditor* editor_ = nullptr;  // the editor last served by EditInViews
};

class CG_PlanarMappingEditorModule : public CG_GenericMappingEditorModule {
public:
  // A planar mapping: centre (0, 0, 0), axes (1, 0, 0) and (0, 1, 0),
  // scales 1; no dialog.
  std::unique_ptr<CG_MappingMetod> Create(CG_GraphicEditor& editor) override;
};

class CG_SphericalMappingEditorModule : public CG_GenericMappingEditorModule {
public:
  // The same values, as a spherical mapping.
  std::unique_ptr<CG_MappingMetod> Create(CG_GraphicEditor& editor) override;
};

class CG_CylindricMappingEditorModule : public CG_GenericMappingEditorModule {
public:
  // The same values, as a cilindric mapping.
  std::unique_ptr<CG_MappingMetod> Create(CG_GraphicEditor& editor) override;
};
