#pragma once

// The editor's options, held by the document: loaded from and saved to the
// settings through CG_WinSupp (requests 45 and 46,
// CG_GraphicEditor::LoadSettings and SaveSettings) and edited by the options
// dialog. The values below are those before the settings are loaded; a load
// replaces them (KeepEdge, for one, becomes 1 when the key is missing).

#include "foundation/char_string.h"

class CG_GraphicEditorOptions {
public:
  int KeepEdge = 0;        // keep an item's edge tables after projection
  int UseColor = 1;        // draw each part in its material colour
  int DirectDraw = 0;      // draw parts as boxes
  int Test = 0;            // test mode: the document's constructor argument
  double Background[3] = {1.0, 1.0, 1.0};      // views' background, r g b 0..1
  double SelectedObject[3] = {0.0, 1.0, 0.0};  // colour of selected objects
  int ShowMode = 1;        // mouse feedback: 0 simple, 1 interactive, 2 tinteractive
  int UseGrid = 0;         // snap entered points to the grid
  double GridDim = 0.1;    // grid spacing
  int InvertY = 0;         // the Top view shows larger y higher
  int UseUndo = 1;         // take undo snapshots
  int UndoFreq = 1;        // changes per snapshot
  charString PreviewType{"fast"};  // the material preview scene's name
  int PreviewSize = 50;    // size in pixels of a material preview
};
