#pragma once

// The storage commands' view of a patch model (Bezier patches, NURBS
// meshes, spline surfaces): its patches held in the scene or described in
// "<file>.<extension>", beside which the model keeps its marked mesh cache.

#include <ostream>
#include <string>

#include "editor/modules/model_storage.h"
#include "models/curved/patch_model.h"

namespace zavo {

template <class Model>
class PatchModelStorage : public ModelStorage {
public:
  using Description = typename Model::Description;

  PatchModelStorage(Model& model, const char* caption) : model_(model), caption_(caption) {}

  const char* Caption() const override { return caption_; }
  const char* Extension() const override { return Model::Traits::kFile.extension; }
  int IsInternal() const override { return model_.Embedded(); }
  std::string File() const override { return model_.ModelPath() != nullptr ? model_.ModelPath() : ""; }
  int Save() override { return model_.UpdateModel(); }
  void Include() override { model_.SetNew(); }
  void Reapply() override {
    Description d;
    model_.GetDescription(d);
    model_.SetDescription(d);
  }
  bool WriteHeld(std::ostream& os) const override {
    Model::WritePatches(os, model_.Patches());
    os << Model::Traits::kFileEnd;
    return true;
  }
  void DropCaches(const std::string& name) const override { RemoveMarkedCache(name, Model::Traits::kMarker); }
  int MoveToFile(const std::string& name) override {
    Description held;
    model_.GetDescription(held);
    Description d;
    model_.GetDescription(d);
    d.embedded = 0;
    d.patches.Clear();
    d.modelName = name.c_str();
    d.modelPath = name.c_str();
    model_.SetDescription(d);
    if (model_.LoadResult() == ModelLoad::kLoaded) return 1;
    model_.SetDescription(held);
    return 0;
  }

private:
  Model& model_;
  const char* caption_;
};

}  // namespace zavo
