#pragma once

// The editor module of camera objects (keyword "camera"). It creates cameras
// with the default view, changes their glyph size, makes one the current
// camera ("Set") and sets the image size, window height and focal distance
// ("General"). A camera is never translated, rotated or scaled: it moves
// only through its view. While a camera is selected its viewing pyramid
// shows in the plane views (camera_handles.cpp), a left click chooses one of
// its handles (the view reference point, the end of the view-plane normal,
// the end of the up vector) and 'm' moves the chosen one under the pointer.

#include <memory>

#include "editor/editor_modules.h"

// The handle chosen on a selected camera: 0 none, 1 VRP, 2 VPN, 3 VUP.
class CG_ECameraSelectionStatus : public CG_EObjectSelectionStatus {
public:
  int chosenHandle = 0;
};

class CG_CameraEditorModule : public CG_ObjectEditorModule {
public:
  // "Creating camera" with an "obj" proposal; a camera with the default
  // settings (whatever the view or a pending click), material "standard",
  // the registry's "camera" module, no wrapper.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing camera" with "size", applied as entered.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "Set", "General"; 1.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  // 0 "Set": the camera becomes the one in use and the views are redrawn.
  // 1 "General": the "View general" dialog; the scene's image size and the
  // camera's prp and window change, also when it is not the camera in use.
  // An image size below 1 by 1 is refused with a message. 1 when done; 0
  // on Cancel, a refusal or another number.
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;
  // A status with no handle chosen.
  std::unique_ptr<CG_ESelectionStatus> NewSelectionStatus() override;
  // The pyramid in the plane view (lines in (200, 200, 200), marks of the
  // VRP, VPN and VUP in blue, of the PRP in green); a non-zero draw mode
  // erases it. The wrapper's matrix is applied first.
  void DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                     CG_ESelectionStatus* status, int view, int drawMode, const Transformation* wrapper) override;
  // Left-button press or release: chooses the handle under the pointer (VRP
  // before VPN before VUP), names an already chosen one in the status line,
  // drops the choice on a click away (0) or, with none chosen, ends the
  // editing (1). 0 in a view that is no plane view; 4 for right-button
  // events and moves.
  int Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
            CG_ESelectionStatus* status, int view, int x, int y, int flags,
            const Transformation* wrapper) override;
  // 'm': the chosen handle goes under the pointer's last position in a plane
  // view (snapped to the grid, the hidden coordinate kept), the item is
  // built again and the views redrawn: 4. 0, and nothing changed, without a
  // chosen handle, over a view that is no plane view, with a wrapper that
  // has no inverse, or when the move would leave vup parallel to vpn (with
  // a message). Other keys 4.
  int Key(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
          CG_ESelectionStatus* status, int character, const Transformation* wrapper) override;
  // 0: the transform commands leave cameras alone.
  int MayTransform() override { return 0; }
};
