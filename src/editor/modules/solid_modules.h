#pragma once

// The editor modules of the simple solids: "sphere", "cone" and "cylinder".
// Each creates its solid in the current view (a sphere as it is, a cone or
// cylinder inside a transf that carries it to the placement point) and edits
// the solid's few numbers through one dialog. The other operations are the
// base module's.

#include <memory>

#include "editor/editor_modules.h"
#include "geometry/point3d.h"
#include "scene/comm_data.h"

namespace zavo {
class AxialSolidDescription;
}

class CG_SphereEditorModule : public CG_ObjectEditorModule {
public:
  // "Creating sphere": centre at the placement point, radius the placement
  // size, div 6; no wrapper.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing sphere" with "center", "radius", "div"; the object changed, or
  // null on Cancel or for an object that is no sphere.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "primitive", "sphere".
  void Info(Seq<charString>& names) override;
};

namespace zavo {

// Cone and cylinder: the same steps around their own model.
class AxialSolidEditorModule : public CG_ObjectEditorModule {
public:
  // "Creating <keyword>": radius and high half the placement size, div 10,
  // built at the origin and returned inside a transf of its name with the
  // steps translate (0, 0, 0), translate (0, 0, 0), translate to the
  // placement point.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing <keyword>" with "high", "radius", "div".
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "primitive" and the model keyword.
  void Info(Seq<charString>& names) override;

protected:
  virtual const char* ModelKeyword() const = 0;
  virtual std::unique_ptr<CG_GraphicObject> MakeSolid(CG_GraphicObjectCommData& data,
                                                      const AxialSolidDescription& description) const = 0;
  // The solid's description out and in; 0 for an object of another type.
  virtual int GetSolid(CG_GraphicObject& object, AxialSolidDescription& description) const = 0;
  virtual void SetSolid(CG_GraphicObject& object, const AxialSolidDescription& description) const = 0;
};

}  // namespace zavo

class CG_ConeEditorModule : public zavo::AxialSolidEditorModule {
protected:
  const char* ModelKeyword() const override { return "cone"; }
  std::unique_ptr<CG_GraphicObject> MakeSolid(CG_GraphicObjectCommData& data,
                                              const zavo::AxialSolidDescription& description) const override;
  int GetSolid(CG_GraphicObject& object, zavo::AxialSolidDescription& description) const override;
  void SetSolid(CG_GraphicObject& object, const zavo::AxialSolidDescription& description) const override;
};

class CG_CylinderEditorModule : public zavo::AxialSolidEditorModule {
protected:
  const char* ModelKeyword() const override { return "cylinder"; }
  std::unique_ptr<CG_GraphicObject> MakeSolid(CG_GraphicObjectCommData& data,
                                              const zavo::AxialSolidDescription& description) const override;
  int GetSolid(CG_GraphicObject& object, zavo::AxialSolidDescription& description) const override;
  void SetSolid(CG_GraphicObject& object, const zavo::AxialSolidDescription& description) const override;
};

namespace zavo {

// Adds the new solid to the scene, takes it out again into a transf of its
// name at (0, 0, 0) and appends the translation to centre: the wrapper, not
// in the scene; null (nothing left in the scene) when the solid cannot be
// added.
std::unique_ptr<CG_GraphicObject> WrapNewSolid(CG_GraphicEditor& editor, std::unique_ptr<CG_GraphicObject> solid,
                                               const Point3D& centre);

// Sets names to the two entries.
void SetInfo(Seq<charString>& names, const char* category, const char* keyword);

}  // namespace zavo
