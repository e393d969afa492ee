#pragma once
// Objects whose common data is their name alone: the wrappers (transf, group,
// flip) keep material, texture and the rest on the objects they hold.

#include <memory>

#include "scene/graphic_object.h"

namespace zavo {

class NameOnlyObject : public CG_GraphicObject {
 public:
  using CG_GraphicObject::CG_GraphicObject;

  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return 1;
  }
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override {
    auto data = std::make_unique<CG_GraphicObjectCommData>();
    data->name = name;
    return data;
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return 1;
  }
};

}  // namespace zavo
