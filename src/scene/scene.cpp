#include "scene/scene.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "foundation/runtime_error_box.h"
#include "foundation/scanner.h"
#include "scene/find_by_keyword.h"

namespace {

// Whether the item is linked into the list.
template <class T>
bool InList(const DblList<T>& list, const T* item) {
  for (const T& each : list) {
    if (&each == item) return true;
  }
  return false;
}

}  // namespace

CG_GraphicScene::CG_GraphicScene(CG_ModelRegistry& registry)
    : interface_(&nullInterface_), registry_(&registry) {}

CG_GraphicScene::~CG_GraphicScene() {
  ReleaseTraceData();
  currentCamera_ = nullptr;
  objects_.Clear();
  lamps_.Clear();
  textures_.Clear();
  materials_.Clear();
}

void CG_GraphicScene::Clear() {
  ReleaseTraceData();
  objects_.Clear();
  lamps_.Clear();
  param_ = GParam();
  viewReference_ = CG_ViewReference();
  textures_.Clear();
  materials_.Clear();
  viewSection_ = 0;
  currentCamera_ = nullptr;
}

int CG_GraphicScene::AddObject(std::unique_ptr<CG_GraphicObject> object) {
  if (!object) return 0;
  if (reading_ && object->name.Text() != nullptr) {
    // One look-up in the reading index both finds a name already taken and
    // enters a new one.
    if (!readingIndex_.try_emplace(object->name.Text(), object.get()).second) return 0;
  } else if (FindObject(object->name) != nullptr) {
    return 0;
  }
  objects_.Append(object.release());
  return 1;
}

void CG_GraphicScene::RemoveObject(CG_GraphicObject* object) {
  std::unique_ptr<CG_GraphicObject> removed = DetachObject(object);
}

std::unique_ptr<CG_GraphicObject> CG_GraphicScene::DetachObject(CG_GraphicObject* object) {
  if (object == nullptr || !InList(objects_, static_cast<const CG_GraphicObject*>(object))) {
    RuntimeErrorBox("CG_GraphicScene::DetachObject");
  }
  // Trace entries and the lamp sequence may point at it.
  ReleaseTraceData();
  if (currentCamera_ == object) currentCamera_ = nullptr;
  if (reading_ && object->name.Text() != nullptr) {
    const auto found = readingIndex_.find(object->name.Text());
    if (found != readingIndex_.end() && found->second == object) readingIndex_.erase(found);
  }
  return std::unique_ptr<CG_GraphicObject>(objects_.Remove(object));
}

CG_GraphicObject* CG_GraphicScene::FindObject(const char* name) const {
  if (reading_ && name != nullptr) {
    const auto found = readingIndex_.find(name);
    return found != readingIndex_.end() ? found->second : nullptr;
  }
  for (CG_GraphicObject& object : objects_) {
    if (object.name == name) return &object;
  }
  return nullptr;
}

int CG_GraphicScene::NextObject(CG_GraphicObject*& cursor) const {
  cursor = cursor == nullptr ? objects_.First() : DblList<CG_GraphicObject>::Next(cursor);
  return cursor != nullptr;
}

int CG_GraphicScene::AddLight(std::unique_ptr<CG_LightSource> lamp) {
  if (!lamp || FindLight(lamp->name) != nullptr) return 0;
  lamps_.Append(lamp.release());
  return 1;
}

void CG_GraphicScene::RemoveLight(CG_LightSource* lamp) {
  std::unique_ptr<CG_LightSource> removed = DetachLight(lamp);
}

std::unique_ptr<CG_LightSource> CG_GraphicScene::DetachLight(CG_LightSource* lamp) {
  if (lamp == nullptr || !InList(lamps_, static_cast<const CG_LightSource*>(lamp))) {
    RuntimeErrorBox("CG_GraphicScene::DetachLight");
  }
  // The lamp sequence may point at it.
  ReleaseTraceData();
  return std::unique_ptr<CG_LightSource>(lamps_.Remove(lamp));
}

CG_LightSource* CG_GraphicScene::FindLight(const char* name) const {
  for (CG_LightSource& lamp : lamps_) {
    if (lamp.name == name) return &lamp;
  }
  return nullptr;
}

int CG_GraphicScene::NextLight(CG_LightSource*& cursor) const {
  cursor = cursor == nullptr ? lamps_.First() : DblList<CG_LightSource>::Next(cursor);
  return cursor != nullptr;
}

void CG_GraphicScene::UniqueIDname(charString& result, const CG_GraphicObject* pending) const {
  std::string candidate = "A";
  for (;;) {
    bool taken = pending != nullptr && pending->ContainsIDname(candidate.c_str());
    for (const CG_GraphicObject& object : objects_) {
      if (object.ContainsIDname(candidate.c_str())) {
        taken = true;
        break;
      }
    }
    if (!taken && name_.Text() != nullptr) {
      std::error_code error;
      const std::filesystem::path directory =
          std::filesystem::path(std::string(name_.Text()) + ".qzd") / "object" / candidate;
      taken = std::filesystem::is_directory(directory, error);
    }
    if (!taken) break;
    if (candidate.back() == 'Z') {
      candidate.push_back('A');
    } else {
      ++candidate.back();
    }
  }
  result = candidate.c_str();
}

const char* CG_GraphicScene::SetTexturePath(const char* text) {
  texturePath_ = text;
  return texturePath_.Text();
}

const char* CG_GraphicScene::SetModelPath(const char* text) {
  modelPath_ = text;
  return modelPath_.Text();
}

const char* CG_GraphicScene::SetLibraryDir(const char* text) {
  libraryDir_ = text;
  return libraryDir_.Text();
}

void CG_GraphicScene::SetInterface(CG_GraphicSystemInterface* systemInterface) {
  interface_ = systemInterface != nullptr ? systemInterface : &nullInterface_;
}

void CG_GraphicScene::SetError(int code, const char* message) {
  errorCode_ = code;
  errorMessage_ = message;
  recordedErrors_.push_back(
      {code, message != nullptr ? message : "", readingScanner_ != nullptr ? readingScanner_->TokenLine() : 0});
}

int CG_GraphicScene::SetShadingMethod(const char* name) {
  shadingMethod_ = FindByKeyword(registry_->shadingMethods, name);
  return shadingMethod_ != nullptr;
}

void CG_GraphicScene::ReleaseTraceData() {
  ReleaseHierarchy();
  traceList_.Clear();
  lampSequence_.SetSize(0);
}

void CG_GraphicScene::ReleaseHierarchy() {
  ReleaseWorkers();
  globalHierarchy_.reset();
  hierarchyRoot_.reset();
  rayHierarchy_.Clear();
  unboundedObjects_.Clear();
}
