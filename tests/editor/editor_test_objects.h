#pragma once

// Graphic objects with chosen answers for the editor's item tests: whether
// they are faced, curves or ray-traceable, what their declass conversions
// give, and a count of the live ones.

#include <ostream>

#include "scene/graphic_object.h"

namespace zavo::test {

class EditorTestObject : public CG_GraphicObject {
public:
  explicit EditorTestObject(const char* objectName) : CG_GraphicObject(Named(objectName)) { ++live; }
  ~EditorTestObject() override { --live; }

  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return 1;
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return 1;
  }
  void Write(std::ostream&) const override {}
  int IsFaced(int) const override { return faced; }
  int IsCurve() const override { return curve; }
  int IsRayTraceable() const override { return rayTraceable; }
  // facedParts owned faced parts (0: the conversion fails), each ray-traceable
  // as partsRayTraceable says.
  int DeclassToFaced(zavo::DeclassedParts& parts, int) override {
    for (int i = 0; i < facedParts; ++i) Add(parts, "part", partsRayTraceable);
    return facedParts > 0 ? 1 : 0;
  }
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override {
    if (traceParts == 0) return 0;
    for (int i = 0; i < traceParts; ++i) Add(parts, "trace", 1);
    return 1;
  }

  int faced = 0;
  int curve = 0;
  int rayTraceable = 0;
  int facedParts = 0;
  int partsRayTraceable = 0;
  int traceParts = 0;

  static inline int live = 0;

private:
  static const CG_GraphicObjectCommData& Named(const char* objectName) {
    static CG_GraphicObjectCommData data;
    data.name = objectName;
    return data;
  }
  static void Add(zavo::DeclassedParts& parts, const char* partName, int traceable) {
    auto* part = new EditorTestObject(partName);
    part->faced = 1;
    part->rayTraceable = traceable;
    const long n = parts.Size();
    parts.SetSize(n + 1);
    parts[n].object = part;
    parts[n].owned = 1;
  }
};

}  // namespace zavo::test
