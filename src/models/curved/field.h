#pragma once

// The field, model keyword "field": a procedural deformation. It holds a
// solid (the object, which marks where the field acts on other models), a
// model with control points (the decoration, which it keeps a deformed copy
// of), named expressions and parameters. The expressions "rx", "ry" and
// "rz" of the point (x, y, z) give the displacement; a parameter gives the
// item of its name a fixed value and a range for editing. The field is
// never traced: the views show its object, its decoration and the deformed
// copy, and the editor moves other models' points by FieldDisplacement.
//
// Its text body, inside "model \t{ field" ... "}", entries in any order:
//   { object ... }                 the object: any model type
//   decoration { object ... }      the decoration
//   dfmat red;                     the deformed copy's material
//   param { k value 3 from 0 to 10; ... }
//   mat { rx "k * x"; ... }        expression texts: any characters but a
//                                  double quote, line ends included

#include <iosfwd>
#include <memory>
#include <string>

#include "foundation/char_string.h"
#include "foundation/seq.h"
#include "interp/eval/eval_expression_system.h"
#include "scene/graphic_object.h"
#include "scene/registry.h"

class CG_GraphicScene;

// One named expression and its source text.
class CG_FieldItem {
public:
  std::string name;
  std::string text;
};

// One parameter: the value its item takes, and the range offered for editing
// (not enforced).
class CG_ValueParamItem {
public:
  std::string name;
  double value = 0.0;
  double from = 0.0;
  double to = 0.0;
};

// The field's parts as they travel between the reader, the editor and the
// field. Object and decoration are destroyed with the description when
// their owned flags are set.
class CG_FieldDescription {
public:
  CG_FieldDescription() = default;
  ~CG_FieldDescription();
  CG_FieldDescription(const CG_FieldDescription&) = delete;
  CG_FieldDescription& operator=(const CG_FieldDescription&) = delete;

  CG_GraphicObject* object = nullptr;
  int objectOwned = 0;
  CG_GraphicObject* decoration = nullptr;
  int decorationOwned = 0;
  Seq<CG_FieldItem> items;
  Seq<CG_ValueParamItem> params;
  charString dfmat;
  CG_GraphicScene* scene = nullptr;  // not owned
};

class CG_Field : public CG_GraphicObject {
public:
  // Name, IDname and toll from the common data, then SetDescription.
  CG_Field(const CG_GraphicObjectCommData& data, CG_FieldDescription& description);
  ~CG_Field() override;

  // Takes object and decoration out of the description (its pointers become
  // null) with their owned flags, copies items, parameters, dfmat and scene,
  // compiles the expressions, deforms a new copy of the decoration and gives
  // it the scene's material named dfmat, when there is one.
  void SetDescription(CG_FieldDescription& description);
  // Hands object and decoration over to the description (the field keeps
  // none until SetDescription), with copies of the rest.
  void GetDescription(CG_FieldDescription& description);

  // A fresh evaluator: the variables x, y, z, each item defined and compiled
  // in order (failures are silent; the last "rx", "ry", "rz" count), each
  // parameter's value set into the items of its name; then Apply.
  void Compile();
  // Replaces the deformed copy with a clone of the decoration, each control
  // point moved by its displacement (a point whose evaluation fails stays).
  // The clone's model file is never written.
  void Apply();
  // The displacement at P into d: 1, or 0 when an evaluation failed (d then
  // undefined). A missing "rx", "ry" or "rz" gives 0 for its coordinate.
  int Displacement(const Point3D& p, Point3D& d) const;
  // For the first parameter of that name: 0 when no item has its name;
  // else sets its value and its item's constant. 1 otherwise, also when no
  // parameter has the name. The deformed copy is not rebuilt.
  int SetParameter(const char* name, double value);

  int GetCommData(CG_GraphicObjectCommData& data) override;
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override;
  int SetCommData(CG_GraphicObjectCommData& data) override;
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "field"; }

  // Object, decoration and deformed copy, none owned, the missing ones left
  // out; 0 when there is none.
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  // [object, decoration], the missing ones left out. 1.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  int GetMaterials(Seq<CG_NamedMaterial*>&) const override { return 0; }
  int GetTextures(Seq<CG_Texture*>&) const override { return 0; }

  int IsField() const override { return 1; }
  // Inside the object (an odd number of the object's hits along +x from the
  // point) or without an object: Displacement. Outside: 0, vector untouched.
  int FieldDisplacement(const Point3D& point, Point3D& vector) const override;

  CG_GraphicObject* Object() const { return object_; }
  CG_GraphicObject* Decoration() const { return decoration_; }
  CG_GraphicObject* Deformed() const { return deformed_.get(); }
  const char* Dfmat() const { return dfmat_.Text(); }

private:
  void ReleaseParts();

  CG_GraphicScene* scene_ = nullptr;
  CG_GraphicObject* object_ = nullptr;
  int objectOwned_ = 0;
  CG_GraphicObject* decoration_ = nullptr;
  int decorationOwned_ = 0;
  std::unique_ptr<CG_GraphicObject> deformed_;
  charString dfmat_;
  std::unique_ptr<EvalExpressionSystem> system_;
  DVar* varX_ = nullptr;
  DVar* varY_ = nullptr;
  DVar* varZ_ = nullptr;
  DVar* rx_ = nullptr;
  DVar* ry_ = nullptr;
  DVar* rz_ = nullptr;
  DVar* result_ = nullptr;  // where each evaluation goes
  Seq<CG_FieldItem> items_;
  Seq<CG_ValueParamItem> params_;
  Seq<int> paramItem_;
  Seq<DVar*> itemVars_;
};

// Reads the body up to and including "}". Code 5 "Number wanted" and
// "Unknown attribute"; the scene's codes for a failed header, model, "{",
// "}", "object" or ";" after dfmat; a missing quote, ";", "value", "from"
// or "to" gives no object and no code of its own. Whatever was read is
// destroyed on failure.
class CG_FieldModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "field"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
