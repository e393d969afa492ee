#pragma once

// The bases of the editor modules: one module per model, lamp, material and
// mapping type, found by keyword in one of the document's four module lists
// (CG_GraphicEditor), that creates and changes things of its type through
// dialogs and, for objects, takes part in editing in the views. The modules
// themselves are made by the module factory installed before a document is
// created (editor/editor_injection.h).
//
// Lookup in the lists: the new-object and transform commands take the first
// module of a keyword; modify, special, lamp and material commands and
// CG_GraphicEditor::FindObjectModule take the last.

#include <memory>

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/point3d.h"
#include "geometry/transformation.h"

class CG_GraphicEditor;
class CG_GraphicObject;
class CG_LightSource;
class CG_MappingMetod;
class CG_NamedMaterial;
class CG_SceneEditorItem;

// The state a module keeps for a selected object, owned by the selection.
class CG_ESelectionStatus {
public:
  virtual ~CG_ESelectionStatus() = default;
};

class CG_EObjectSelectionStatus : public CG_ESelectionStatus {};

// A multi-object action in progress.
class CG_MOAStatus {
public:
  virtual ~CG_MOAStatus() = default;
};

namespace zavo {

// What every module has: its list link and the keyword it was registered with
// (set by the document from its registration table).
class EditorModule : public ListItem {
public:
  EditorModule() = default;
  virtual ~EditorModule() = default;
  EditorModule(const EditorModule&) = delete;
  EditorModule& operator=(const EditorModule&) = delete;

  charString keyword;
};

}  // namespace zavo

class CG_ObjectEditorModule : public zavo::EditorModule {
public:
  // A new object (not yet in the scene), or null when the user cancelled.
  virtual std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) = 0;
  // The object to put in the scene: the same object changed in place, a new
  // object (the caller owns it and destroys the old one), or null when
  // nothing was changed.
  virtual CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) = 0;

  // Fills names with the module's special commands for the object and
  // answers their number. Base: none, 0.
  virtual int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object);
  // Runs special command index on the object (which it may replace; wrapper
  // is the transformation of an enclosing transf, or null): 0 nothing done,
  // -1 an interactive edit goes on (the module ends it by handing the object
  // to CG_GraphicEditor::ReplaceEditedObject), another value done. A new
  // object put in the old one's place is the caller's, which destroys the
  // old one. Base 0.
  virtual int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                         const Transformation* wrapper);
  // The state of a newly selected object, or null (base).
  virtual std::unique_ptr<CG_ESelectionStatus> NewSelectionStatus();
  // Draws the selection marks of the object in the view, in draw mode 0
  // draw, 1 erase, 2 invert. Base: nothing.
  virtual void DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                             CG_ESelectionStatus* status, int view, int drawMode,
                             const Transformation* wrapper);
  // A mouse event for the selected object: 0 consumed, 1 editing finished,
  // another value not handled (base 4).
  virtual int Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                    CG_ESelectionStatus* status, int view, int x, int y, int flags,
                    const Transformation* wrapper);
  // A typed key for the selected object (wrapper as for Mouse): 1 ends the
  // selection (base 4).
  virtual int Key(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                  CG_ESelectionStatus* status, int character, const Transformation* wrapper);
  // Multi-object actions, run over several objects at once (the members of
  // a group): a new action state bound to the editor (base null: the module
  // has none); adding an editor item and/or an object, each with the
  // transformation that places it or none (base: the status unchanged; the
  // answer is that status, or null when the action cannot go on; the caller
  // keeps owning the status); the names of the action's commands (1 with
  // names filled; base 0, names emptied); running command index over what
  // was added (base 0).
  virtual std::unique_ptr<CG_MOAStatus> NewMOAStatus(CG_GraphicEditor& editor);
  virtual CG_MOAStatus* MOAAdd(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject* object,
                               CG_MOAStatus* status, const Transformation* transformation);
  virtual int MOAName(Seq<charString>& names);
  virtual int MOARun(CG_MOAStatus& status, int index);
  // 1 when the rotate, scale and translate commands may act on objects of
  // this type (base).
  virtual int MayTransform();
  // The path of names shown in the creation menu (category, then module
  // name). Base: the keyword alone.
  virtual void Info(Seq<charString>& names);
};

class CG_LampEditorModule : public zavo::EditorModule {
public:
  // A new lamp, or null.
  virtual std::unique_ptr<CG_LightSource> Create(CG_GraphicEditor& editor) = 0;
  // The lamp to put in the scene (the same or a new one), or null.
  virtual CG_LightSource* Modify(CG_GraphicEditor& editor, CG_LightSource& lamp) = 0;
  // Special commands: base none (0) and nothing done (0).
  virtual int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_LightSource& lamp);
  virtual int RunSpecial(CG_GraphicEditor& editor, int index, CG_LightSource*& lamp);
  // A shape drawn for the lamp in the views: consecutive point pairs are
  // segments in the lamp's space. Base: no shape (0), no points.
  virtual int HasShape();
  virtual void GetShape(CG_GraphicEditor& editor, CG_LightSource& lamp, Seq<Point3D>& points);
};

class CG_MaterialEditorModule : public zavo::EditorModule {
public:
  // A new named material, or null.
  virtual std::unique_ptr<CG_NamedMaterial> Create(CG_GraphicEditor& editor) = 0;
  // Edits the material in place: the material, or null when nothing was done.
  virtual CG_NamedMaterial* Modify(CG_GraphicEditor& editor, CG_NamedMaterial& material) = 0;
};

class CG_MappingEditorModule : public zavo::EditorModule {
public:
  // Runs the module's dialog: a new mapping, or null on cancel.
  virtual std::unique_ptr<CG_MappingMetod> Create(CG_GraphicEditor& editor) = 0;
  // Draws (erase 0) or erases (erase 1) the mapping's frame in a parallel
  // view; nothing in other views.
  virtual void DrawFrame(CG_GraphicEditor& editor, int view, CG_MappingMetod& mapping, int erase) = 0;
  // Receives every mouse release in a view while mapping edit is on.
  virtual int EditInViews(CG_GraphicEditor& editor, int view, int x, int y) = 0;
};
