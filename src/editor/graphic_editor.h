#pragma once

// The editor document: it owns the scene being edited (with its own model
// registry), the Prolog system, the four editor-module lists, the views'
// state and the options, and serves every request of the window layer
// (Command, one EDCommand) and every mouse event in a view (MouseEvent).
//
// Life of a document:
//   1. the program installs the module factory and the import entries
//      (editor/editor_injection.h);
//   2. CG_GraphicEditor::Create(test) builds it (see the constructor);
//   3. the window layer hands over its interfaces (BackToEditor's setters)
//      and the program directory (BackToEditor::text), then sends requests
//      1, 2, 81 (paths), 45 (settings), sets the four views (SetView) and
//      sends 64 (title) and 80 (Prolog);
//   4. every user action arrives as a request or a mouse record.
//
// Interfaces that the window layer has not set are never used: a missing
// chooser answers as a cancel, a missing multi-field editor, dialog or pop-up
// menu answers 0, a missing CG_WinSupp skips titles, cursors, status texts and
// settings (Ask counts as "no"), a missing graphic-system interface leaves the
// scene with its own null interface.
//
// Two documents share nothing: each has its registry, scene, flags and
// counters.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "editor/back_to_editor.h"
#include "editor/dialog_controls.h"
#include "editor/editor_modules.h"
#include "editor/editor_options.h"
#include "editor/fly_menu.h"
#include "editor/generic_name.h"

#include "editor/object_editing.h"
#include "editor/qz_prolog_system.h"
#include "editor/scene_editor_item.h"
#include "editor/window_interfaces.h"
#include "editor/wire_frame_image.h"
#include "editor/views/view_mapping.h"
#include "scene/mapping.h"
#include "scene/registry.h"
#include "scene/scene.h"
#include "scene/system_interface.h"

class Layer;
class LayerItem;

class CG_GraphicEditor : public BackToEditor {
public:
  // A new document with the test flag (non-zero adds the test-only modules).
  static std::unique_ptr<CG_GraphicEditor> Create(int test);

  // In this order: the Prolog system; the registry (BuildRegistry) and the
  // scene over it; the "bezier" model module appended to the registry; no
  // views, no interfaces, not modified, not named, mouse mode 0, mark size 4;
  // the editor modules from the installed factory, in the registration
  // order (an entry the factory answers null for is left out); then the
  // empty document: ResetDocument, AddStandardMaterial, AddDefaultCamera.
  explicit CG_GraphicEditor(int test);
  ~CG_GraphicEditor() override;

  // ---- BackToEditor ----
  int MouseEvent(const MouseEventRecord& event) override;
  int Command(EDCommand& command) override;
  void SetView(int view, CG_WireFrameImage* image, int mode) override;
  void SetGraphicSystem(CG_GraphicSystemInterface* system) override;
  void SetWinSupp(CG_WinSupp* support) override { winSupp = support; }
  void SetDialog(Dialog_obj* d) override { dialog = d; }
  void SetMultiEdit(CG_MultiEdit* m) override { multiEdit = m; }
  void SetListShower(CG_ListShower* l) override { listShower = l; }
  void SetConsole(Console* c) override { console = c; }
  void SetFlyMenu(FlyMenu* f) override { flyMenu = f; }
  // The scene itself.
  CG_GraphicScene* GetScene() override { return &scene; }

  // ---- The empty document ----

  // The scene cleared and named "zavo", no active view, frame display off,
  // frame count 50, current frame 0, the three name counters 0.
  void ResetDocument();
  // A named material "standard" holding a default Phong material; an
  // existing "standard" keeps its entry and takes the new model.
  static void AddStandardMaterial(CG_GraphicScene& scene);
  // A camera object "camera" with the material "standard" and the default
  // camera settings, added to the scene and made the camera in use.
  void AddDefaultCamera();
  // Makes the object (a camera of the scene, or null for none) the scene's
  // current camera and names it as the camera in use of the render
  // parameters, so that a saved scene opens with the same camera. Every
  // change of the camera in use goes through here.
  void SetCameraInUse(CG_GraphicObject* camera);

  // ---- Settings (requests 45 and 46) ----

  // Reads the settings keys through CG_WinSupp in the order of the table
  // (section "Editor.Preview" Size, Type; "Editor.View" KeepEdge, UseColor,
  // DirectDraw, ShowMode, Backgroundr/g/b, SelectedObjectr/g/b; "Editor"
  // UseGrid, InvertY, GridDim, UseUndo, UndoFreq; "Dir" LibraryDir) with
  // their defaults, converts the texts with the number-prefix conversion
  // (UndoFreq read as a real and truncated) and stores them; the library
  // directory goes to the scene. Without CG_WinSupp nothing changes.
  int LoadSettings();
  // Writes the same keys (the "Editor" ones in the order UseGrid, GridDim,
  // UseUndo, UndoFreq, InvertY): integers in decimal, reals with six
  // significant digits. 0.
  int SaveSettings();

  // ---- Request 81 ----

  // The scene's library directory becomes dir; the registry's camera module
  // drops its prototype shape and takes the object "__camera__" of the file
  // object/camera.qz under it as the new one (the object leaves the scene;
  // what else the file holds stays). 0.
  int SetLibraryDirectory(const char* dir);

  // ---- Looking things up ----

  // When the object is a transf: child and wrapper out, 1. Otherwise the
  // object and null, 0. A transf without a child shows "Cannot change
  // object.\nGTranf has not the object", calls CommandCancelled, leaves
  // child as it was and answers 0.
  int FindObject(CG_GraphicObject* object, CG_GraphicObject*& child, CG_GraphicObject*& wrapper);
  // The last object module of that keyword; null for null or no match.
  CG_ObjectEditorModule* FindObjectModule(const char* keyword) const;
  // The first (new-object and transform commands) and the last (modify,
  // special) object module of a keyword; the last lamp and material module.
  CG_ObjectEditorModule* FirstObjectModule(const char* keyword) const;
  CG_LampEditorModule* FindLampModule(const char* keyword) const;
  CG_MaterialEditorModule* FindMaterialModule(const char* keyword) const;
  CG_MappingEditorModule* FindMappingModule(const char* keyword) const;

  // A hook called when a command is abandoned; it does nothing.
  void CommandCancelled() {}

  // ---- The window-side interfaces, guarded ----
  //
  // Every use of an interface goes through one of these: an interface the
  // window layer has not set answers as the user's cancel.

  // Clears the chooser, adds the entries and asks; the chosen text, or null
  // on cancel or without a chooser.
  charString ChooseFromList(const char* title, const Seq<charString>& entries);
  // The multi-field editor, the dialog and the pop-up menu: 0 when unset.
  int EditTexts(const char* title, const Seq<charString>& labels, Seq<charString>& texts);
  int ShowDialog(const char* title, gcg_list& controls);
  int ShowFlyMenu(const FlyMenuItem& root, Seq<int>& path);
  // CG_WinSupp's question (0, "no", when unset), title, wait cursor and
  // message pump (0 when unset).
  int Ask(const char* question, const char* title);
  void SetTitle(const char* text);
  void BeginWait();
  void EndWait();
  int Poll();

  // ---- Messages through the interfaces (nothing when unset) ----

  // The graphic-system interface's status text and message box (the scene's
  // interface, which is the null one until one is set).
  void Status(const char* text);
  void Message(const char* text);
  // The CG_WinSupp status line.
  void SetStatusText(const char* text);

  // ---- Operations that later parts of the editor fill in ----
  //
  // Each answers 0 and changes nothing until its part of the editor lands;
  // the dispatcher calls them for the requests named.

  int RenderActiveLayer();                                             // 4 (renders the whole scene here)
  int EditPRP();                                                       // 5
  int EditVPN();                                                       // 6
  int EditVRP();                                                       // 7
  int EditVUP();                                                       // 8
  int EditWindow();                                                    // 9
  int NewLamp();                                                       // 10
  int DeleteLamp();                                                    // 11
  int ModifyLamp();                                                    // 12
  int NewMaterial();                                                   // 13
  int DeleteMaterial();                                                // 14
  int ChangeMaterial();                                                // 15
  int NewObject();                                                     // 16
  int DeleteObject();                                                  // 17
  int ModifyObject();                                                  // 18
  int RotateObject();                                                  // 19
  int ScaleObject();                                                   // 20
  int TranslateObject();                                               // 21
  int RenderParamDialog();                                             // 22
  int RedrawParallelViews();                                           // 23
  int RedrawPreviewViews();                                            // 24
  int ZoomIn();                                                        // 25
  int ZoomOut();                                                       // 26
  int ModifyCommonCommand();                                           // 27
  int LampCommonData();                                                // 28
  int NewCenterMode();                                                 // 29
  int AddToLayer();                                                    // 30
  int CreateLayer();                                                   // 31
  int DeleteLayer();                                                   // 32
  int GroupFromLayer();                                                // 33
  int RemoveFromLayer();                                               // 34
  int ChooseLayer();                                                   // 35
  void RefreshView(int view);                                          // 36, 62
  int LayerFromGroup();                                                // 37
  int DuplicateCommand();                                              // 38
  int SpecialObjectCommand();                                          // 39
  int LampSpecificMenu();                                              // 40
  int RotateLamp();                                                    // 41
  int ScaleLamp();                                                     // 42
  int TranslateLamp();                                                 // 43
  int ExtraInfoCommand();                                              // 44
  int OptionsDialog();                                                 // 47
  int KeyToSelected(int key);                                          // 48
  void EditViewGeneral();                                              // 49
  int SelectTexture();                                                 // 51
  int DeleteTexture();                                                 // 52
  int SelectMappingType();                                             // 53
  int DropMapping();                                                   // 54
  int ModifyMapping();                                                 // 55
  int EndMappingEdit();                                                // 56
  int BeginMappingEdit();                                              // 57
  void ResetFrame();                                                   // 58
  int SetFrame();                                                      // 59
  int AnimationOptions();                                              // 60
  int ExportAnimation();                                               // 61
  int UpdateTitle();                                                   // 64
  int NewScene();                                                      // 65
  int LoadScene(const char* name);                                     // 66
  int SaveScene();                                                     // 67
  int SaveSceneAs(const char* name);                                   // 68
  int MergeScene(const char* name);                                    // 69
  int ProjectAllItems();                                               // 75
  int OpenPrologConsole();                                             // 79
  int StartProlog();                                                   // 80
  int MaterialLibraryDialog();                                         // 82
  int ParamLibraryDialog();                                            // 83
  int FieldLibraryDialog();                                            // 85
  int FitViewToObject();                                               // 86
  // The mouse handlers of MouseEvent: a left-button release (press
  // handler), a right-button release (release handler) and a move.
  void MousePressed(const MouseEventRecord& event);
  void MouseReleased(const MouseEventRecord& event);
  void MouseMoved(const MouseEventRecord& event);

  // ---- Projection of items into the views and the Preview painters ----
  //
  // Each item keeps, per view, its picture as pixel segments or projected
  // vertices (editor/projected_view.h); these fill and paint it.

  // The item into every view whose mode is not 0, then its edge tables freed
  // unless KeepEdge.
  void ProjectItem(CG_SceneEditorItem* item);
  // One view projected again: Preview items keep their edge tables; in the
  // parallel views each item's tables are freed unless KeepEdge.
  void RedrawView(int view);
  // By the view's mode: nothing (0), ProjectPreviewItem (1), ProjectOrthoItem
  // (2 Top, 3 Side, 4 Front).
  void ProjectItemInView(int view, CG_SceneEditorItem* item);
  // Each part of the item by the vertex path when it is neither a curve nor
  // of style "box" and that path takes it, else by the segment path. Nothing
  // changes when the view's surface is less than a pixel wide or high (the
  // parallel projection has emptied drawnAsSegments first).
  void ProjectPreviewItem(int view, CG_SceneEditorItem* item);
  void ProjectOrthoItem(int view, CG_SceneEditorItem* item);
  // The Preview painters, draw mode 0 draw, 1 erase, 2 invert.
  void DrawPreviewVertices(int view, CG_SceneEditorItem* item, int mode);
  void DrawPreviewSegments(int view, CG_SceneEditorItem* item, int mode);
  // The background option times 255, truncated.
  void GetBackgroundColor(int& r, int& g, int& b) const;

  // ---- Drawing items in the four views ----
  //
  // Every change on screen is: erase with the old projected data, change,
  // project again, draw. A view of mode 0 is never touched; a parallel view
  // paints through DrawWireframeObjects (editor/views/wireframe_painter.h);
  // the Preview view through DrawPreviewSegments for an item of style box
  // (and for every item while DirectDraw is on, whose projection leaves only
  // box segments), else DrawPreviewVertices.

  // The item in one view in draw mode 0 (draw), 1 (erase) or 2 (invert).
  void PaintItemInView(int view, CG_SceneEditorItem* item, int mode);
  void DrawItemInView(int view, CG_SceneEditorItem* item);
  void EraseItemInView(int view, CG_SceneEditorItem* item);
  void InvertItemInView(int view, CG_SceneEditorItem* item);
  // The same in views 0, 1, 2, 3, in that order.
  void DrawItem(CG_SceneEditorItem* item);
  void EraseItem(CG_SceneEditorItem* item);
  void InvertItem(CG_SceneEditorItem* item);

  // ---- Document state (public for the parts of the editor and its tests) ----

  QZPrologSystem prolog;
  charString name;          // document name without extension; null: none
  int modified = 0;         // 1 after a change not yet saved
  int named = 0;            // 1 once the document has a name
  CG_ModelRegistry registry;
  CG_GraphicScene scene;
  Layer* activeLayer = nullptr;  // null: all objects
  List<CG_ObjectEditorModule> objectModules;
  List<CG_LampEditorModule> lampModules;
  List<CG_MaterialEditorModule> materialModules;
  List<CG_MappingEditorModule> mappingModules;
  int undoCounter = 0;      // changes since the last undo snapshot
  int animationOn = 0;      // frame display (request 77)
  int currentFrame = 0;
  int frameCount = 50;
  CG_WireFrameImage* views[4] = {nullptr, nullptr, nullptr, nullptr};
  int viewModes[4] = {0, 0, 0, 0};    // 0 off, 1 Preview, 2 Top, 3 Side, 4 Front
  // The world box each view shows: minimum x, y, z, then maximum x, y, z.
  double viewBoxes[4][6] = {{-10, -10, -10, 10, 10, 10}, {-10, -10, -10, 10, 10, 10},
                            {-10, -10, -10, 10, 10, 10}, {-10, -10, -10, 10, 10, 10}};
  CG_MultiEdit* multiEdit = nullptr;
  CG_ListShower* listShower = nullptr;
  Console* console = nullptr;
  CG_GraphicSystemInterface* graphicSystem = nullptr;
  CG_WinSupp* winSupp = nullptr;
  Dialog_obj* dialog = nullptr;
  FlyMenu* flyMenu = nullptr;
  int mouseMode = 0;        // 0: no mouse operation in progress
  int markSize = 4;         // half size in pixels of the marks in the views
  int activeView = -1;      // -1: none
  CG_GraphicEditorOptions options;
  int nameCounters[3] = {0, 0, 0};  // objects, lamps, materials
  int mappingEdit = 0;      // 1 while a mapping frame is edited
  int showAxes = 0;         // the parallel views draw the lines through the origin
  int objectEditing = 1;    // object editing on (request 84)
  int applyMapping = 0;     // set by the common-data dialog's "Apply Mapping"
  charString lastPickedName;  // the name picked last in a view

  // ---- Items, selection, names and view operations ----

  // Builds the item of an object and appends it to `items`: display
  // settings 0, 1, 1; a faced object shows itself (declassed 0), another
  // one its faced parts (declassed 1); one edge table per part; `kind` from
  // how rays meet the object. Null, and nothing appended, for an object that
  // is neither faced nor declassable into faced parts.
  CG_SceneEditorItem* CreateItem(CG_GraphicObject* object);
  // CreateItem for every scene object in scene order, then the empty status text.
  void CreateItems();
  // The first item of that object, or null.
  CG_SceneEditorItem* FindItem(const CG_GraphicObject* object) const;
  // Unlinks the item, deletes every selection record of it and destroys it.
  void RemoveItem(CG_SceneEditorItem* item);
  // Destroys every selection record (each with its status).
  void ClearSelection();
  // Recomputes the item's centre: the origin with centre flag 0, else the
  // middle of the box of the vertices of its faced parts (or of its object).
  void InsertItem(CG_SceneEditorItem* item);
  // InsertItem for every item, in list order.
  void InsertAllItems();
  // The items in drawing order: InitItemIterator starts a walk, each NextItem
  // gives the next item in item and answers 1, or 0 at the end.
  void InitItemIterator(CG_SceneEditorItem*& item, LayerItem*& entry);
  int NextItem(CG_SceneEditorItem*& item, LayerItem*& entry);
  // The selected object's name without asking when a selection exists; else
  // the user chooses among the items' objects (title "Select an object" when
  // null). 1 with the name, 0 on cancel.
  int ChooseObject(charString& chosen, const char* title = nullptr);
  // The request form of a command on one object: the change guard, then
  // ChooseObject, then the worker on the chosen name (its answer); a
  // cancelled choice ends the command as cancelled, 0.
  int OnChosenObject(int (CG_GraphicEditor::*worker)(const char* objectName));
  // 1 for a name that begins with a letter or "_" and goes on with letters,
  // digits or "_"; else the message box tells why and the answer is 0.
  int CheckName(const char* text);
  // CheckName, then 0 with a message when an object (kind 0), lamp (1) or
  // named material (2) of that name exists; else 1.
  int CheckNewName(const char* text, int kind);
  // The first free name base + six digits after the kind's counter (empty
  // when none is free); every taken candidate passed raises the counter.
  void MakeUniqueName(const char* base, int kind, charString& result);
  // The horizontal and vertical world axes (0 x, 1 y, 2 z) and the flip flag
  // of a parallel view mode (2 Top, 3 Side, 4 Front); other modes leave them.
  void GetViewAxes(int mode, int& horizontal, int& vertical, int& flip) const;
  // Narrows one axis of the box (minimum x, y, z, maximum x, y, z) about its
  // centre so that it has the proportions of a view of half size w by h.
  static void FitWindowToView(double box[6], int w, int h, int horizontal, int vertical);
  // The marks around pixel (x, y) of a view, half size markSize, in their
  // colour or, with erase non-zero, in the background colour.
  void DrawCrossMarker(int view, int x, int y, int erase);
  void DrawMark1(int view, int x, int y, int erase);
  void DrawMark2(int view, int x, int y, int erase);
  void DrawMark3(int view, int x, int y, int erase);
  void DrawMark4(int view, int x, int y, int erase);
  // MouseEvent's turn of the selected object's editor module: 1 when the
  // module consumed the event; result holds the module's answer when it was asked.
  int SelectedObjectMouse(const MouseEventRecord& event, int& result);

  // ---- View refresh, decorations of the views and lamp glyphs ----
  //
  // Painting never clears a view: callers fill it first where a whole view
  // is painted again.

  // RefreshView for every view whose mode is not 0.
  void RefreshViews();
  // The active-view marker, a filled triangle in the view's top left corner,
  // in (0, 55, 0) or in the background colour; nothing for view -1.
  void DrawCursor(int view);
  void EraseCursor(int view);
  // The lines of a parallel view through the world origin, in (150, 0, 0).
  void DrawAxes(int view);
  // The current mapping's frame drawn or erased by the first mapping module
  // of its type; nothing without a mapping or type name.
  void ShowMappingFrame(int view);
  void HideMappingFrame(int view);
  // A lamp of the lamp list as a red cross with its shape in the parallel
  // views (nothing in the Preview or a view that is off); erasing draws the
  // same lines in the background colour. Without a view: views 0 to 3.
  void DrawLampGlyphInView(int view, CG_LightSource* lamp);
  void EraseLampGlyphInView(int view, CG_LightSource* lamp);
  void DrawLampGlyph(CG_LightSource* lamp);
  void EraseLampGlyph(CG_LightSource* lamp);
  // The shape lines the lamp's editor module gives, through M (the view's
  // parallel mapping; for a transform lamp M x its matrix, the inner lamp's
  // shape), unclipped, in (180, 0, 0) or the background colour.
  void DrawLampShape(CG_LightSource* lamp, int view, const zavo::ViewMatrix& M, int halfW, int halfH, int erase);
  // Puts a finished object into the scene, gives it an item, projects and
  // draws it. An object whose name is taken is destroyed (nothing else
  // changes); one that gets no item stays in the scene unshown. 1 when shown.
  int AddObjectToEditor(std::unique_ptr<CG_GraphicObject> object);

  // The mapping being edited; none at start.
  std::unique_ptr<CG_MappingMetod> currentMapping;

  DblList<CG_SceneEditorItem> items;     // one per scene object that has one
  DblList<CG_ESelection> selection;

  // ---- Creation click and pixel to world (the object modules' placement) ----

  // The click that opened the empty-zone menu: set while a module's Create
  // runs from that menu's "New" entry, so that the module places the new
  // object under that pixel.
  int creationClick = 0;    // 1 while the click is pending
  int creationView = 0;
  int creationX = 0;
  int creationY = 0;
  // The world point under pixel (x, y) of a plane view (mode 2 to 4): the
  // view's stored box fitted to the surface's width and height, its centre,
  // then the shown horizontal axis from the left edge and the vertical one
  // from the top (flip set) or the bottom edge; the axes and the flag of
  // GetViewAxes come out too. 1; 0, and nothing set, for a view that is
  // not a plane view or has no surface at least a pixel wide and high.
  int ViewPointToWorld(int view, int x, int y, Point3D& point, int& horizontal, int& vertical, int& flip) const;

  // ---- Item operations, merge, layers ----

  // One step applied to the item's object, which is wrapped in a transf
  // (once: a transf takes the step in its own list) and added to the scene
  // in its place. With centre flag 1 rotations and scales act about the
  // item's centre, else about the origin. The old item is destroyed; the
  // answer is the new item of the wrapper, with the old display settings, a
  // recomputed centre and every layer entry and selection record of the old
  // item; null when the object could not be given one (the old item's
  // entries and records are then gone). The caller erases before and
  // projects and draws after. Rotation angles in radians.
  CG_SceneEditorItem* TranslateItem(CG_SceneEditorItem* item, double x, double y, double z);
  CG_SceneEditorItem* RotateItem(CG_SceneEditorItem* item, double x, double y, double z);
  CG_SceneEditorItem* ScaleItem(CG_SceneEditorItem* item, double x, double y, double z);
  // With UseGrid on, each coordinate goes down to a multiple of GridDim; a
  // GridDim that is 0 or not finite leaves the point as it is.
  void SnapToGrid(Point3D& point) const;
  // Without a camera in use nothing; else the camera's view goes to the
  // scene and every Preview view is projected again, filled with the
  // background colour and refreshed.
  void RedrawAll();
  // RedrawAll when the object is the camera in use.
  void RedrawIfCurrent(const CG_GraphicObject* object);

  // The guard of commands that change the scene (0 while a mouse operation
  // runs) and the mark of a change (modified, undo snapshot).
  int NotifyChange();
  void SetModified();

  // The layers, in creation order; activeLayer is one of them or null.
  DblList<Layer> layers;
  // A new empty layer at the tail; null when a layer has that name.
  Layer* NewLayer(const char* layerName);
  // The first layer of that name, or null.
  Layer* FindLayer(const char* layerName) const;
  // Makes the first layer of that name active (the active layer stays when
  // none has it), switches the views and renews the title. 1.
  int SetActiveLayer(const char* layerName);
  // Brings the views from one layer choice to another (null: every item):
  // erases the items no longer shown, projects and draws those now shown,
  // drops a camera in use that the new layer lacks, then RedrawAll.
  void SwitchLayer(Layer* from, Layer* to);
  // Removes the first entry of the item in every layer.
  void RemoveFromAllLayers(CG_SceneEditorItem* item);
  // Every layer entry and selection record of oldItem refers to newItem; a
  // null newItem removes them instead.
  void ReplaceItem(CG_SceneEditorItem* newItem, CG_SceneEditorItem* oldItem);
  // The layers file N.qzd/editor/layers of a named document (nothing without
  // a name). Load keeps the layers when the file cannot be opened; Save
  // writes through a temporary file and shows "Cannot write " + file on
  // failure. 1 on success.
  int LoadLayers();
  int SaveLayers();

private:
  // Asks the installed factory for every entry of the registration table.
  void CreateModules();
  // Request 4: renders into "<name>.bmp" ("zavo.bmp" without a name).
  int RenderRequest();
  // Requests 23, 24, 36, 62, 75: views filled with the background colour.
  void FillView(int view);

public:
  // ---- The document on disk: modified flag, undo snapshots, editor state ----
  //
  // A document called N keeps N.qz (the scene), N.bak (the previous save),
  // N.qz_ (the renderer's hierarchy cache) and the folder N.qzd/editor with
  // the layers file, the view file _viewdt1 and undo/index, undo/uNNNNN.qz.
  // Every file is written whole or not at all (temporary file, then rename).

  // NotifyChange and SetModified are declared above, next to the layers:
  // NotifyChange is the guard every command calls first (0 while a mouse
  // mode runs, else the wait cursor and 1); SetModified sets modified, takes
  // an undo snapshot, deletes N.qz_ of a named document and shows the arrow
  // cursor again.

  // Nothing with UseUndo 0; a named document takes SaveUndo (name); an
  // unnamed one shows "No name.Cannot undo.".
  void TakeUndoSnapshot();
  // Every UndoFreq-th call writes the next snapshot of the whole scene and
  // its number to the index; an index that is not a number of at least -1
  // counts as -1 and an existing snapshot is never overwritten. 1 when a
  // snapshot was written.
  int SaveUndo(const char* documentName);
  // The document name followed by suffix (".qz", ".qzd/editor/layers" ...);
  // empty without a name.
  std::filesystem::path DocumentFile(const char* suffix) const;
  // Writes the file whole through a temporary file beside it; on failure shows
  // "Cannot write " + file and answers 0, the old file left as it was.
  int WriteDocumentFile(const std::filesystem::path& file, const std::function<bool(std::ostream&)>& write);
  // The layers file, then the view file (Save, Save As); the layers file,
  // then the view file (Load, once the items exist).
  void SaveEditorState();
  void LoadEditorState();
  // The view file N.qzd/editor/_viewdt1: the four world boxes and every
  // item's display settings. Both do nothing without a name. SaveViews
  // answers 1 when written; LoadViews fits the views around the objects when
  // the file is missing or its view count is not 4, answers 1 when read.
  int SaveViews();
  int LoadViews();
  // All four views get the cube around the objects' boxes, 10 % larger than
  // their largest extent; nothing without any box.
  void FitViewsToScene();
  // The view file's text read into the views and items; 0 when its view count
  // is not 4 (nothing changed then). Stops quietly at the end of the data.
  int ReadViewState(std::istream& in);
  void WriteViewState(std::ostream& out) const;
  // The state New leaves: no name, not modified, "standard", the layer
  // "default" active and the default camera.
  void BecomeNewDocument();
  // 1 while RenderActiveLayer runs: requests that could change the scene are
  // queued and served once it has ended, mouse events are ignored.
  int rendering = 0;

private:
  struct QueuedRequest {
    int code;
    std::string text;
    bool hasText;
    int value;
  };
  std::vector<QueuedRequest> requestQueue_;
  // Command's own switch.
  int Dispatch(EDCommand& command);
  // Serves the requests queued while a render ran, in order.
  void ServeQueuedRequests();

public:
  // ---- The viewing-system overlay and camera edits ----
  //
  // The Top, Side and Front views show the scene's camera view record as a
  // figure (editor/views/viewing_overlay.h): lines from the view reference
  // point along the normal, the up vector and to the projection reference
  // point in grey (200, 200, 200), the window and the pyramid in (200, 200,
  // 100), then the marks 3 (VRP), 1 (VPN), 2 (VUP) and 4 (PRP). A record
  // whose up vector is parallel to its normal shows only the first two lines
  // and the marks 3, 1, 2. Nothing in the Preview, in a view that is off or
  // without a surface of at least one pixel. The overlay is not part of a
  // refresh: callers erase it with the old record, change, and draw it.

  // Draws the overlay in one view, or erases it (the same lines and marks in
  // the background colour).
  void DrawViewingInView(int view);
  void EraseViewingInView(int view);
  // The same in views 0, 1, 2, 3, in that order.
  void DrawViewing();
  void EraseViewing();

  // The record a camera edit starts from: with a camera in use its record is
  // copied into the scene's record first. The scene's record is returned.
  CG_ViewReference& CameraViewRecord();
  // Stores a changed record: the overlay is erased, the record becomes the
  // scene's and, with a camera in use, that camera's (the camera is rebuilt
  // and its item replaced, projected and drawn), and the overlay is drawn.
  void ApplyCameraView(const CG_ViewReference& changed);

  // ---- Object commands: delete, duplicate, objects built from scene text ----

  // The names of the objects of the current item iteration, in its order.
  void ItemIterationNames(Seq<charString>& names);
  // The first scene object of that name leaves the selection, the views, the
  // items and the scene, and is destroyed. Deleting the camera in use leaves
  // no camera in use and no camera-in-use name. 1, also when no object has
  // the name (nothing changes then).
  int DeleteObjectNamed(const char* objectName);
  // A clone of the named object, its name extended by "_" until it is free,
  // added with a new item with the default display settings in the active
  // layer, centred, projected and drawn; SetModified, 1. An object without a
  // clone shows "Cannot duplicate that object", 0. The name must be one of
  // the scene's ("non qui" internal error otherwise).
  int DuplicateObject(const char* objectName);
  // The text of one object that a builder generates for the scene reader:
  // "{object\n", "name " + name + ";\n", "material standard;\n" (left out
  // when the scene has no material "standard", which the reader could not
  // find), "model { " + keyword + "\n", the model's own lines, "}\n}\n.".
  std::string ObjectBuilderText(const char* objectName, const char* keyword, const std::string& modelLines) const;
  // Reads a builder's scene text into the scene from memory and answers the
  // object of that name, detached from the scene (the caller adds it), or
  // null: for a name already in the scene before the read (no object of the
  // editor is ever taken), a text that does not read (the reader's error is
  // shown as a failed load, and what the read added is removed again), or no
  // object of that name in the text. Other objects of the text stay in the
  // scene.
  std::unique_ptr<CG_GraphicObject> ReadObjectFromSceneText(const std::string& text, const char* objectName);

  // ---- Lamp commands: steps on a lamp of the lamp list, adding a lamp ----
  //
  // Each reads the lamp's position p; a lamp that is not a transform lamp is
  // replaced in the lamp list by a transform lamp of its name with the steps
  // translate(-p), translate(p) around it (editor/lamp_wrapping.h). Then the
  // translation is appended, or the rotation (radians) or scale inserted just
  // before the second translate step, so that it acts about p. The answer is
  // the lamp now in the scene (the wrapper); null, and nothing changed, for a
  // lamp that is not in the lamp list. The caller erases the lamp's mark
  // before and draws the answer's after.
  CG_LightSource* TranslateLampBy(CG_LightSource* lamp, double x, double y, double z);
  CG_LightSource* RotateLampBy(CG_LightSource* lamp, double x, double y, double z);
  CG_LightSource* ScaleLampBy(CG_LightSource* lamp, double x, double y, double z);
  // Adds the lamp to the lamp list, draws its mark and marks the document
  // modified: 1. A lamp whose name another lamp has is destroyed: 0, nothing
  // changed.
  int AddLampToScene(std::unique_ptr<CG_LightSource> lamp);

public:
  // ---- Mouse modes, view navigation and picking ----
  //
  // Mouse modes: 0 select and activate views; 1 a new view centre; 2 a point
  // for an editor module; 3, 4, 5 move, rotate, scale an object; 6, 7, 8 the
  // same for a lamp; 9 move VRP, 10 turn VPN, 11 turn VUP. A mode other than 0
  // waits for the next left click in a view that is not the Preview, which
  // completes it; every move meanwhile shows its feedback.

  // Sets the mode and shows its status text (nothing for modes 0 and 2).
  void EnterMouseMode(int mode);
  // Mode 2 for an editor module: the next left click outside the Preview
  // calls press (view, x, y), moves in any view call move; status shown.
  void BeginModulePointInput(std::function<void(int, int, int)> press, std::function<void(int, int, int)> move,
                             const char* status);
  // Modes 3 to 5: the rubber line or the saved display style back before
  // the completing click acts.
  void TakeDragFeedbackAway();
  // The active view's box scaled about its centre, then shown again; 0
  // without an active view.
  int ZoomActiveView(double factor);
  // The ShowMode setting as the feedback uses it: 0, 1 or 2 (other values 1).
  int FeedbackShowMode() const;
  // Recentres the view's box on the world point at fractions (fx, fy) of the
  // view, keeping the box's size. 1; 0 for a view that is not a plane view.
  int SetViewCenter(int view, double fx, double fy);
  // ViewPointToWorld at fractions of the view's width and height.
  int ViewFractionToWorld(int view, double fx, double fy, Point3D& point, int& horizontal, int& vertical,
                          int& flip) const;
  // The world-to-normalised transformation of a plane view (its box fitted
  // to the half sizes): 1; 0 for a view of mode 0 or 1 or without a surface.
  int WorldToViewPoint(int view, Transformation& transformation);
  // The pixel of a world point in a plane view; 0 when there is no such view.
  int WorldToPixel(int view, const Point3D& point, int& x, int& y);
  // Status-bar coordinates under the pointer and the feedback of the mode.
  void DragFeedback(int view, int x, int y);
  // The rotation angle (radians, one degree per pixel) and the scale factor
  // (4 pixels left of the start 1, further left larger, right smaller) of a
  // pointer at column x for a drag that started at column dragStartX.
  static double DragAngle(int dragStartX, int x);
  static double DragScale(int dragStartX, int x);

  // Candidates under a click: "$" object, "*" lamp, "&" camera handle; null
  // when the view cannot be picked in (no plane view, no Preview ray).
  std::unique_ptr<List<GenericName>> PickCandidates(int view, int x, int y);
  std::unique_ptr<List<GenericName>> PreviewPickCandidates(int view, int x, int y);
  // The plain names of the items a ray hits (view -1: no segment distances).
  std::unique_ptr<List<GenericName>> ObjectsOnRay(const Ray& ray, int view, int x, int y);
  int ItemOnRay(CG_SceneEditorItem* item, const Ray& ray, int view, int x, int y);
  // The two rays along a plane view's depth axis through pixel (x, y); 0 for
  // a view that is not a plane view.
  int PlaneViewPickRays(int view, int x, int y, Ray& forward, Ray& backward);
  // The ray from the camera through a Preview pixel; 0 when the camera gives none.
  int PreviewPickRay(int view, int x, int y, Ray& ray);
  int HitSelected(CG_SceneEditorItem* item, int view, int x, int y);
  int PreviewHitSelected(CG_SceneEditorItem* item, int view, int x, int y);
  // 1 when the two pixels are nearer than the pick tolerance (strict).
  int NearInPixels(double x1, double y1, double x2, double y2) const;
  // Distance of p from the segment a-b (a segment shorter than 1e-7 on both
  // axes counts as its start point).
  static double PointSegmentDistance(const Point3D& a, const Point3D& b, const Point3D& p);
  // A left click in the active view: selects the object under it, cycling
  // through overlapping objects. 1.
  int PickAt(int view, int x, int y, int flags);
  // A right click: the mapping module's edit, the selected object's menu, or
  // the menu of what lies under it. 1 when something was handled.
  int MouseReleaseAt(int view, double fx, double fy);

  // The selection given up on screen: the first selected item erased while
  // it is still selected (its control marks go with it), the selection
  // cleared, and the item drawn again in its own colour.
  void UnselectOnScreen();

  // The pop-up menus on what a right click hits, and the steps that a left
  // click completing a mouse mode applies (with the live preview of drags).
  int ObjectFlyMenu(const char* objectName);
  int LampFlyMenu(const char* lampName);
  int CameraFlyMenu(const char* handle);
  int EmptyZoneMenu(int view, int x, int y);
  void PreviewObjectDrag(int view, int x, int y);
  int MoveObjectByMouse(int view, int x, int y);
  int RotateObjectByMouse(int view, int x, int y);
  int ScaleObjectByMouse(int view, int x, int y);
  int MoveLampByMouse(int view, int x, int y);
  int RotateLampByMouse(int view, int x, int y);
  int ScaleLampByMouse(int view, int x, int y);
  int MoveVRPByMouse(int view, int x, int y);
  int TurnVPNByMouse(int view, int x, int y);
  int TurnVUPByMouse(int view, int x, int y);

  int dragView = 0;           // view of the release that started the mode
  int dragStartX = 0, dragStartY = 0;
  int dragLastX = 0, dragLastY = 0;  // end of the feedback line on screen
  CG_GraphicObject* manipulatedObject = nullptr;  // not owned
  CG_LightSource* manipulatedLamp = nullptr;      // not owned
  int pickTolerance = 4;      // pixels
  std::function<void(int, int, int)> modulePressAction;
  std::function<void(int, int, int)> moduleMoveAction;
  int lastMouseView = -1, lastMouseX = 0, lastMouseY = 0;
  int selectionMarksShown = 1;

  // ---- Modify, special commands, common data and extra info of one object ----
  //
  // The workers of requests 18, 39, 27 and 44 (each request first lets the
  // user choose the object, ChooseObject) and of the object pop-up menu. Each
  // answers 1 after a change (SetModified), 0 when cancelled or refused
  // (CommandCancelled). The names come from the scene's own lists: a name no
  // scene object has is an internal error ("non qui"), except for
  // ModifyObjectNamed, which then answers 1 and changes nothing.

  // The object's module (the last of its keyword, seen through a transf)
  // changes it: the object leaves the scene and its item while Modify runs
  // and comes back, changed or not, with a new item in the old one's place
  // and the old display settings. A returned object other than the one given
  // takes its place (the transf's child, for a wrapped object) and the old
  // one is destroyed. Null from Modify answers 0.
  int ModifyObjectNamed(const char* objectName);
  // The module's special commands under the title "Special"; the chosen one
  // runs on the object taken out of the scene as for Modify, with the
  // transf's matrix when it is wrapped. 0 from the command puts the object
  // back and answers 0; -1 keeps it out until the module hands it to
  // ReplaceEditedObject (the pending edit) and answers 1; any other value
  // puts the (possibly new) object back and answers 1.
  int RunSpecialCommand(const char* objectName);
  // Ends the pending edit: the object (the one the module was given or one
  // that replaces it, which the document then owns; null: the object as it
  // was) goes back in the scene with a new item in the old item's layer
  // places and with its display settings. Without a pending edit the object
  // is added as a new one. 1 after a change; 0 for null or for an object that
  // is in the scene already.
  int ReplaceEditedObject(CG_GraphicObject* object);
  // The dialog "Change common data": name, material, texture, bump (taken
  // in test mode only) and "Apply Mapping" (a copy of the current mapping,
  // brought into a wrapped object's own frame). A transf takes the new name
  // too; the camera in use keeps its name in the render parameters.
  int ModifyCommonData(const char* objectName);
  // The dialog "Modifing extra info": the item's style and fastview value.
  int ModifyExtraInfo(const char* objectName);

  // The interactive special command in progress, if any.
  PendingEditRecord pendingEdit;

  // ---- Mouse manipulation of objects, lamps and the camera: the views after a step ----

  // Every view that is not off filled with the background colour, then the
  // parallel views and the Preview views painted again.
  void RepaintViews();
  // Every Preview view projected again, filled with the background colour
  // and refreshed.
  void RepaintPreviewViews();

  // ---- Fly menus: the creation menu and the object menu's special commands ----

  // The module tree of the creation menu: every object module but "group",
  // in list order, at the path of names its Info gives.
  void BuildModuleTree(class TryEmptyTreeItem& tree);
  // The names of the tree, level by level, as the sub-items of item.
  static void CopyTreeToFlyMenu(const Seq<class TryEmptyTreeItem>& children, FlyMenuItem& item);
  // A new object from a module: added to the scene and the views (in the
  // active layer) and the document marked modified, 1. Null, or an object
  // whose name the scene has already (destroyed), ends the command: 0.
  int AddCreatedObject(std::unique_ptr<CG_GraphicObject> object);
  // Special command index of the target's module run on the object taken out
  // of the scene; answers as RunSpecialCommand does once a command is chosen.
  int RunSpecialOnTarget(const zavo::EditTarget& target, long index);
  // ---- Material commands and groups made from layers (and back) ----

  // The named materials deleted while objects might still have used them:
  // out of the scene's list, no object refers to them any more, and they
  // are kept until the scene is cleared.
  DblList<CG_NamedMaterial> retiredMaterials;
  // The names of the scene's named materials, in list order.
  Seq<charString> MaterialNames() const;
  // In every layer not named layerName, the first entry whose object is
  // named objectName is removed.
  void RemoveFromOtherLayers(const char* objectName, const char* layerName);
  // A new layer named after the group, at the tail, takes the group's
  // children as top-level objects with new items; LayerFromGroupItem also
  // gives the emptied group a new item in no layer. A child whose name a
  // top-level object has stays in the group. 0, and nothing done, unless
  // the object is exactly a GGroup.
  int LayerFromGroupItem(CG_SceneEditorItem* item);
  int LayerFromInnerGroup(CG_GraphicObject* group);
  // The group's children that can leave it go into the scene and the layer;
  // the new items are projected and drawn when the active layer shows them.
  void MoveChildrenToLayer(CG_GraphicObject& group, Layer& layer);
  // ---- Animation frames and their export ----

  // The items of the current item iteration whose objects are animated, in
  // iteration order.
  std::vector<CG_SceneEditorItem*> AnimItems();
  // The item built again from its object (none for null): erased, unlinked and destroyed,
  // change (when given) applied to the object, a new item made in its layer
  // places and selection records with the old display settings, centred,
  // projected and drawn. The new item, or null when the object gets none.
  CG_SceneEditorItem* RebuildItem(CG_SceneEditorItem* item,
                                  const std::function<void(CG_GraphicObject&)>& change = {});
  // Runs mpegenc of the program directory on "zavo.par" for B + ".mpg",
  // without a shell, and waits; "Cannot run " + its path when it cannot be
  // started. 1 when it ran.
  int RunMpegEncoder(const std::string& base);
public:
  // ---- Prolog bridge: the console's goals and what the scene predicates do ----

  // The console's action for a typed line: the goal runs on this document's
  // Prolog system with its output in "prolog.log"; while a render or another
  // goal runs it waits, and runs after the render's queued requests or after
  // the other goal.
  void RunConsoleGoal(const char* line);
  // The goals that waited, in the order typed.
  void RunQueuedGoals();
  // 0 for an object whose module keeps it out of the transform steps
  // (cameras, area lamps); a transf and an object without a module 1.
  int MayTransform(CG_GraphicObject* object);
  // The name a copy of the object gets: its name extended by "_" until no
  // object of the scene has it.
  std::string FreeCopyName(const char* objectName) const;
  // DuplicateObject on an object of the scene, with the name the copy got;
  // 0, and nothing changed, without an object of that name or a clone.
  int DuplicateObjectNamed(const char* objectName, std::string& copyName);
  // The object's item erased, translated (TranslateItem), projected and
  // drawn; SetModified, 1. 0 for a name without an object or an item, or
  // for an object that may not be transformed.
  int TranslateObjectNamed(const char* objectName, double x, double y, double z);
  // Merges scene text as request 69 merges a file, read from memory; 1 when
  // the text read without an error.
  int MergeSceneText(const std::string& text);
  int MergeSceneFrom(std::istream& in);

private:
  std::vector<std::string> queuedGoals_;
  bool goalRunning_ = false;
  // ---- Texture commands: deleted textures ----
  //
  // A texture deleted from the scene: every object has let go of it, and the
  // record is kept here until the document is reset, so that nothing can
  // follow a freed pointer.
  DblList<CG_Texture> retiredTextures;
public:
  // ---- Editor dialogs: the libraries of materials, render parameters and fields ----
  //
  // A library is a folder of scene files under the library directory
  // ("material", "param", "field"; the preview scenes in "mpreview"); its
  // entries are shown by name without folder and ".qz".

  // The "Param" or "Field" list of a library folder under the title; OK
  // merges the chosen entry's file into the scene (MergeScene) and answers 1.
  int LibraryFragmentDialog(const char* library, const char* title, const char* label);
  // Renders the preview of the library material into the image: a scene of
  // its own (BuildRegistry, the editor's paths) reads the material file, its
  // materials of that name become "preview", then the preview scene
  // mpreview/<PreviewType>.qz is read and rendered PreviewPixels() square by
  // its own parameters, with mpreview as working directory (restored on every
  // path). The image goes through a file of a per-process temporary
  // directory, removed afterwards. 1; 0 after "Error in preview", the image
  // left as it was.
  int MakeMaterialPreview(BitmapManager& image, const char* materialName);
  // The material library's buttons, given the dialog's controls: "preview"
  // shows the chosen material's cached <m>.bmp, or renders and caches it;
  // "Insert" reads the material's file into the scene (SetModified).
  void PreviewMaterialAction(gcg_list& controls);
  void InsertMaterialAction(gcg_list& controls);
  // The side of a material preview: PreviewSize within 1 .. 1024.
  int PreviewPixels() const;
  // The library folder shown last.
  std::filesystem::path libraryFolder;
  // ---- Imported meshes: a .brp file loaded as a brep object ----

  // The one-object builder text that loads the mesh "<model>.brp" as the
  // object objectName (no interpolation, costr 1.3).
  std::string BRepObjectText(const char* objectName, const char* modelName) const;
  // The name itself when no object has it, else the first free of name_2,
  // name_3, ... name_<limit>; empty when none is free.
  std::string FreeObjectName(const std::string& name, int limit = 999999) const;
  // The mesh "<model>.brp" (working directory, then the model path) read
  // through BRepObjectText into a new object of the first free name (model,
  // model_2, ...) and added with AddObjectToEditor. 0 when no name is free or
  // the scene text read no object (the reader's message is shown).
  int LoadBRepObject(const char* modelName);
  // ---- 3-D text: the shell's font chooser and text settings (not owned; null until set) ----
  class TextToolShell* textToolShell = nullptr;
};
