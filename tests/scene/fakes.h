#pragma once

// Test doubles of the scene layer, shared by the scene tests and by the tests of
// the layers above it:
//
//   FakeObject       a single-material object hit at fixed ray parameters,
//                    with its own intersection record, a hit material (opaque,
//                    or with Kt and Od) and an optional bounding box
//   FakeContainer    an object that is not ray-traceable and declasses into
//                    owned copies of its parts
//   FakeBox          the stand-in box (FakeBoxFactory)
//   FakeCamera       a camera object (FakeCameraFactory, FakeCameraModule)
//   FakeLightObject  an object that emits light
//   FakeLamp         a lamp of the lamp list
//   FakeShading      a shading method answering a fixed colour
//   RecordingInterface  a system interface that records what the scene shows
//
// and the reader modules of their text forms:
//
//   { object  name N; [material ...] model { fake hit 2; box 0 1 0 1 0 1; } }
//   { object  name N; model { fakelight position 0 0 5; colour 1 1 1; } }
//   { object  name N; model { camera vrc { vrc ... } } }
//   { lamp    name N; model { fakelamp position 0 0 5; colour 1 1 1; } }
//
// Every fake counts its living instances, so tests can see what was destroyed.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/bounding_object.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "scene/light_source.h"
#include "scene/material.h"
#include "scene/registry.h"
#include "scene/scene.h"
#include "scene/shading_method.h"
#include "scene/uniform_object_data.h"
#include "scene/view_reference.h"

namespace zavo::test {

// A fresh common-data record with a name (and a material).
inline std::unique_ptr<CG_GraphicObjectCommData> MakeCommData(const char* name,
                                                              CG_NamedMaterial* material = nullptr) {
  auto data = std::make_unique<CG_GraphicObjectCommData>();
  data->name = name;
  data->material = material;
  return data;
}

// Copies a material into one of possibly another model type.
inline void CopyMaterial(const CG_Material& from, CG_Material& to) {
  if (typeid(from) == typeid(to)) {
    to.CopyFrom(from);
    return;
  }
  to.Ks = from.Ks;
  to.Kt = from.Kt;
  to.ni = from.ni;
  to.anglet = from.anglet;
  to.angles = from.angles;
  to.shadows = from.shadows;
  to.SetColour(from.GetColour());
}

// "x y z" as the fakes write points.
inline void WriteTriple(std::ostream& os, const Point3D& p) { os << p.x << ' ' << p.y << ' ' << p.z; }

// Reads n numbers and ";"; the scanner ends after the ";".
inline bool ReadNumbers(ScannerMemo& scanner, double* values, int n) {
  for (int i = 0; i < n; ++i) {
    if (!zavo::TokenToDouble(scanner, values[i])) return false;
    scanner.Next();
  }
  if (std::strcmp(scanner.Text(), ";") != 0) return false;
  scanner.Next();
  return true;
}

// The per-hit record of the fakes: the hit parameters in increasing order.
class FakeIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override {
    return i >= 0 && i < Count() ? hits[static_cast<std::size_t>(i)] : 0.0;
  }
  int Count() const override { return static_cast<int>(hits.size()); }
  std::vector<double> hits;
};

// A single-material object that every ray hits at the same parameters. Its hit
// material is its named material's model when it has one, else hitMaterial.
class FakeObject : public CG_GraphicObject, public GUniformObjectData {
public:
  FakeObject(CG_GraphicObjectCommData& data, std::vector<double> hitList = {})
      : CG_GraphicObject(data), GUniformObjectData(data), hits(std::move(hitList)) {
    ++alive;
  }
  explicit FakeObject(const char* objectName, std::vector<double> hitList = {})
      : FakeObject(*MakeCommData(objectName), std::move(hitList)) {}
  FakeObject(const FakeObject& other)
      : CG_GraphicObject(other),
        GUniformObjectData(*NewCommDataOf(other)),
        hits(other.hits),
        hitMaterial(other.hitMaterial),
        traceable(other.traceable) {
    if (other.bound) bound = std::make_unique<BoundingBox>(other.bound->box);
    ++alive;
  }
  ~FakeObject() override { --alive; }

  FakeObject& WithBound(const GEO_Box& box) {
    bound = std::make_unique<BoundingBox>(box);
    return *this;
  }

  int ContainsIDname(const char* id) const override { return IDname == id; }
  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    data.IDname = IDname;
    data.toll = toll;
    return GUniformObjectData::GetCommData(data);
  }
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override { return NewCommDataOf(*this); }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    IDname = data.IDname;
    toll = data.toll;
    return GUniformObjectData::SetCommData(data);
  }
  void Write(std::ostream& os) const override {
    os << "{ object\n\tname " << name << ";\n";
    GUniformObjectData::Write(os);
    os << "\tmodel { fake\n";
    for (double t : hits) os << "\t\thit " << t << ";\n";
    if (bound) {
      const GEO_Box& b = bound->box;
      os << "\t\tbox " << b.xmin << ' ' << b.xmax << ' ' << b.ymin << ' ' << b.ymax << ' ' << b.zmin
         << ' ' << b.zmax << ";\n";
    }
    os << "\t}\n}";
  }
  const char* Keyword() const override { return "fake"; }
  std::unique_ptr<CG_GraphicObject> Clone() const override { return std::make_unique<FakeObject>(*this); }
  int IsRayTraceable() const override { return traceable; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override {
    return std::make_unique<FakeIntrInfo>();
  }
  int Intersect(const Ray&, CG_GraphicObjectIntrInfo& record) const override {
    ++intersectCalls;
    auto& fake = static_cast<FakeIntrInfo&>(record);
    fake.hits = hits;
    std::sort(fake.hits.begin(), fake.hits.end());
    return fake.Count();
  }
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& target,
                  Point3D& point, Point3D& normal) const override {
    ++hitDetailsCalls;
    point = ray.PointAt(record.Value(index));
    normal = -ray.direction;
    const CG_Material* source = &hitMaterial;
    if (material != nullptr && material->model != nullptr) source = material->model;
    CopyMaterial(*source, target);
  }
  int MappingTest(const std::type_info& kind) const override { return HasMappingOfType(kind); }
  const BoundingObject* GetBoundingObject() const override { return bound.get(); }
  int GetMaterials(Seq<CG_NamedMaterial*>& list) const override {
    return GUniformObjectData::GetMaterials(list);
  }
  int GetTextures(Seq<CG_Texture*>& list) const override { return GUniformObjectData::GetTextures(list); }

  std::vector<double> hits;
  std::unique_ptr<BoundingBox> bound;
  CG_MaterialPhong hitMaterial;  // opaque by default (Kt 0)
  int traceable = 1;
  mutable int intersectCalls = 0;
  mutable int hitDetailsCalls = 0;
  static inline int alive = 0;

private:
  static std::unique_ptr<CG_GraphicObjectCommData> NewCommDataOf(const FakeObject& object) {
    auto data = std::make_unique<CG_GraphicObjectCommData>();
    data->name = object.name;
    data->IDname = object.IDname;
    data->toll = object.toll;
    object.FillCommData(*data);
    return data;
  }
};

// Not ray-traceable: declasses into owned copies of its parts. It contains its
// own IDname and its parts'.
class FakeContainer : public CG_GraphicObject {
public:
  explicit FakeContainer(const char* objectName) : CG_GraphicObject(*MakeCommData(objectName)) {}

  int ContainsIDname(const char* id) const override {
    if (IDname == id) return 1;
    for (const auto& part : parts) {
      if (part->ContainsIDname(id)) return 1;
    }
    return 0;
  }

  FakeContainer& Add(std::unique_ptr<FakeObject> part) {
    parts.push_back(std::move(part));
    return *this;
  }

  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return 1;
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return 1;
  }
  void Write(std::ostream& os) const override { os << "{ object\n\tname " << name << ";\n}"; }
  int DeclassToRayTraceable(zavo::DeclassedParts& out) override {
    ++declassCalls;
    out.SetSize(static_cast<long>(parts.size()));
    for (std::size_t i = 0; i < parts.size(); ++i) {
      out[static_cast<long>(i)].object = new FakeObject(*parts[i]);
      out[static_cast<long>(i)].owned = 1;
    }
    return 1;
  }

  std::vector<std::unique_ptr<FakeObject>> parts;
  int declassCalls = 0;
};

// The stand-in box: the box and the common attributes it was made with.
class FakeBox : public CG_GraphicObject, public GUniformObjectData {
public:
  FakeBox(CG_GraphicObjectCommData& data, const GEO_Box& limits)
      : CG_GraphicObject(data), GUniformObjectData(data), box(limits), bound(limits) {
    ++alive;
    ++made;
  }
  ~FakeBox() override { --alive; }

  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return GUniformObjectData::GetCommData(data);
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return GUniformObjectData::SetCommData(data);
  }
  void Write(std::ostream& os) const override {
    os << "{ object\n\tname " << name << ";\n\tmodel { box\n\t}\n}";
  }
  const char* Keyword() const override { return "box"; }
  int IsRayTraceable() const override { return 1; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override {
    return std::make_unique<FakeIntrInfo>();
  }
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override {
    auto& fake = static_cast<FakeIntrInfo&>(record);
    BoxHitRecord crossings[2];
    const int n = box.RayRange(ray, crossings, toll);
    fake.hits.clear();
    for (int i = 0; i < n; ++i) fake.hits.push_back(crossings[i].t);
    std::sort(fake.hits.begin(), fake.hits.end());
    return fake.Count();
  }
  const BoundingObject* GetBoundingObject() const override { return &bound; }

  GEO_Box box;
  BoundingBox bound;
  static inline int alive = 0;
  static inline int made = 0;
};

inline std::unique_ptr<CG_GraphicObject> FakeBoxFactory(CG_GraphicObjectCommData& data, const GEO_Box& box) {
  return std::make_unique<FakeBox>(data, box);
}

// Installs a stand-in box factory for the process while it lives.
class ScopedStandInBox {
public:
  explicit ScopedStandInBox(zavo::BoxFactory factory = FakeBoxFactory) {
    zavo::SetStandInBoxFactory(factory);
  }
  ~ScopedStandInBox() { zavo::SetStandInBoxFactory(nullptr); }
  ScopedStandInBox(const ScopedStandInBox&) = delete;
  ScopedStandInBox& operator=(const ScopedStandInBox&) = delete;
};

// A camera object: its view record and the module it was made with.
class FakeCamera : public CG_GraphicObject {
public:
  FakeCamera(CG_GraphicObjectCommData& data, const CG_ViewReference& record,
             CG_GraphicObjectModule* cameraModule)
      : CG_GraphicObject(data), view(record), module(cameraModule) {
    ++alive;
  }
  ~FakeCamera() override { --alive; }

  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return 1;
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return 1;
  }
  void Write(std::ostream& os) const override {
    os << "{ object\n\tname " << name << ";\n\tmodel { camera\n\t\tvrc ";
    view.Write(os);
    os << "\n\t}\n}";
  }
  const char* Keyword() const override { return "camera"; }
  int IsCamera() const override { return 1; }
  int GetView(CG_ViewReference& out) const override {
    out = view;
    return 1;
  }
  int SetView(const CG_ViewReference& in) override {
    view = in;
    return 1;
  }

  CG_ViewReference view;
  CG_GraphicObjectModule* module;
  static inline int alive = 0;
};

inline std::unique_ptr<CG_GraphicObject> FakeCameraFactory(CG_GraphicObjectCommData& data,
                                                           const CG_ViewReference& view,
                                                           CG_GraphicObjectModule* cameraModule) {
  return std::make_unique<FakeCamera>(data, view, cameraModule);
}

// An object that emits light. With computes set it works out the light that
// reaches a point itself and answers light from LightReachingPoint.
class FakeLightObject : public CG_GraphicObject {
public:
  FakeLightObject(CG_GraphicObjectCommData& data, const Point3D& where, const Point3D& rgb)
      : CG_GraphicObject(data), position(where), colour(rgb) {
    ++alive;
  }
  FakeLightObject(const char* objectName, const Point3D& where, const Point3D& rgb)
      : FakeLightObject(*MakeCommData(objectName), where, rgb) {}
  ~FakeLightObject() override { --alive; }

  int IsLightSource() const override { return 1; }
  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return 1;
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return 1;
  }
  void Write(std::ostream& os) const override {
    os << "{ object\n\tname " << name << ";\n\tmodel { fakelight\n\t\tposition ";
    WriteTriple(os, position);
    os << ";\n\t\tcolour ";
    WriteTriple(os, colour);
    os << ";\n\t}\n}";
  }
  const char* Keyword() const override { return "fakelight"; }
  Point3D ColourAt(const Point3D&, const Point3D&) const override { return colour; }
  Point3D Position() const override { return position; }
  int ComputesLightItself() const override { return computes; }
  Point3D LightReachingPoint(CG_GraphicScene&, const Point3D& point, const Point3D& direction,
                             CG_Material& material) const override {
    ++lightCalls;
    lastPoint = point;
    lastDirection = direction;
    lastMaterialIsPhong = dynamic_cast<CG_MaterialPhong*>(&material) != nullptr;
    return light;
  }

  Point3D position;
  Point3D colour;
  int computes = 0;
  Point3D light;
  mutable int lightCalls = 0;
  mutable Point3D lastPoint;
  mutable Point3D lastDirection;
  mutable bool lastMaterialIsPhong = false;
  static inline int alive = 0;
};

// A lamp of the lamp list; as an object it becomes a FakeLightObject.
class FakeLamp : public CG_LightSource {
public:
  FakeLamp(const char* lampName, const Point3D& where, const Point3D& rgb)
      : CG_LightSource(lampName), position(where), colour(rgb) {
    ++alive;
  }
  ~FakeLamp() override { --alive; }

  const char* Keyword() const override { return "fakelamp"; }
  void Write(std::ostream& os) const override {
    os << "{ lamp\n\tname " << name << ";\n\tmodel { fakelamp\n";
    WriteBody(os);
    os << "\t}\n}";
  }
  Point3D ColourAt(const Point3D&, const Point3D&) const override { return colour; }
  Point3D Position() const override { return position; }
  void GetName(charString& out) const override { out = name; }
  void SetName(const char* text) override { name = text; }
  void WriteAsObject(std::ostream& os) const override {
    os << "{ object\n\tname " << name << ";\n\tmodel { fakelight\n";
    WriteBody(os);
    os << "\t}\n}";
  }

  Point3D position;
  Point3D colour;
  static inline int alive = 0;

private:
  void WriteBody(std::ostream& os) const {
    os << "\t\tposition ";
    WriteTriple(os, position);
    os << ";\n\t\tcolour ";
    WriteTriple(os, colour);
    os << ";\n";
  }
};

// Reads "position x y z;" and "colour r g b;" entries up to and including "}".
inline bool ReadLampBody(ScannerMemo& scanner, Point3D& position, Point3D& colour) {
  while (std::strcmp(scanner.Text(), "}") != 0) {
    double v[3];
    Point3D* target = nullptr;
    if (std::strcmp(scanner.Text(), "position") == 0) target = &position;
    if (std::strcmp(scanner.Text(), "colour") == 0) target = &colour;
    if (target == nullptr) return false;
    scanner.Next();
    if (!ReadNumbers(scanner, v, 3)) return false;
    *target = {v[0], v[1], v[2]};
  }
  scanner.Next();
  return true;
}

// "fake": "hit t;" (repeatable) and "box xmin xmax ymin ymax zmin zmax;".
class FakeModelModule : public CG_GraphicObjectModule {
public:
  FakeModelModule() { ++alive; }
  ~FakeModelModule() override { --alive; }
  const char* Keyword() const override { return "fake"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override {
    std::vector<double> hits;
    std::unique_ptr<GEO_Box> box;
    while (std::strcmp(scanner.Text(), "}") != 0) {
      double v[6];
      if (std::strcmp(scanner.Text(), "hit") == 0) {
        scanner.Next();
        if (!ReadNumbers(scanner, v, 1)) return Fail(scene);
        hits.push_back(v[0]);
      } else if (std::strcmp(scanner.Text(), "box") == 0) {
        scanner.Next();
        if (!ReadNumbers(scanner, v, 6)) return Fail(scene);
        box = std::make_unique<GEO_Box>(GEO_Box{v[0], v[1], v[2], v[3], v[4], v[5]});
      } else {
        return Fail(scene);
      }
    }
    scanner.Next();
    auto object = std::make_unique<FakeObject>(data, std::move(hits));
    if (box) object->WithBound(*box);
    return object;
  }
  static inline int alive = 0;

private:
  static std::unique_ptr<CG_GraphicObject> Fail(CG_GraphicScene& scene) {
    scene.SetError(5, "Unknown attribute");
    return nullptr;
  }
};

// "fakelight": a FakeLightObject.
class FakeLightModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "fakelight"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override {
    Point3D position;
    Point3D colour{1, 1, 1};
    if (!ReadLampBody(scanner, position, colour)) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    return std::make_unique<FakeLightObject>(data, position, colour);
  }
};

// "camera": "vrc" and a "{ vrc" block, then the "}" of "model {".
class FakeCameraModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "camera"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override {
    CG_ViewReference view;
    bool good = std::strcmp(scanner.Text(), "vrc") == 0;
    if (good) scanner.Next();
    good = good && std::strcmp(scanner.Text(), "{") == 0;
    if (good) scanner.Next();
    good = good && std::strcmp(scanner.Text(), "vrc") == 0;
    if (good) scanner.Next();
    good = good && view.Read(scanner) == 1 && std::strcmp(scanner.Text(), "}") == 0;
    if (!good) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    scanner.Next();
    return std::make_unique<FakeCamera>(data, view, this);
  }
};

// "fakelamp": a FakeLamp of the lamp list.
class FakeLampModule : public CG_LightSourceModule {
public:
  FakeLampModule() { ++alive; }
  ~FakeLampModule() override { --alive; }
  const char* Keyword() const override { return "fakelamp"; }
  std::unique_ptr<CG_LightSource> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                       const char* lampName) override {
    Point3D position;
    Point3D colour{1, 1, 1};
    if (!ReadLampBody(scanner, position, colour)) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    return std::make_unique<FakeLamp>(lampName, position, colour);
  }
  static inline int alive = 0;
};

// A shading method that answers a fixed colour and counts its calls.
class FakeShading : public CG_ShadingMetod {
public:
  explicit FakeShading(const char* keyword, const Point3D& rgb = {}) : CG_ShadingMetod(keyword), colour(rgb) {
    ++alive;
  }
  ~FakeShading() override { --alive; }
  std::unique_ptr<CG_Material> NewMaterial() const override { return std::make_unique<CG_MaterialPhong>(); }
  Point3D Shade(CG_GraphicScene&, const CG_Material&, const Point3D&, const Point3D&) override {
    ++shadeCalls;
    return colour;
  }

  Point3D colour;
  int shadeCalls = 0;
  static inline int alive = 0;
};

// Records what the scene shows: status texts, messages and plotted pixels; it
// answers UserBreak with breakAfter's countdown (never when negative).
class RecordingInterface : public CG_GraphicSystemInterface {
public:
  struct Pixel {
    int x, y;
    double r, g, b;
  };
  void Status(const char* text) override { statuses.emplace_back(text != nullptr ? text : "(null)"); }
  void Message(const char* text) override { messages.emplace_back(text != nullptr ? text : "(null)"); }
  std::int32_t UserBreak() override {
    if (breakAfter < 0) return 0;
    if (breakAfter == 0) return 1;
    --breakAfter;
    return 0;
  }
  void PlotPixel(int x, int y, double r, double g, double b) override { pixels.push_back({x, y, r, g, b}); }

  std::vector<std::string> statuses;
  std::vector<std::string> messages;
  std::vector<Pixel> pixels;
  int breakAfter = -1;
};

// Appends the fake model modules ("fake", "fakelight", "camera") and the fake
// lamp module ("fakelamp") and installs the fake camera factory. The box
// factory is left alone: installing it also sets the process-wide stand-in.
inline void AddFakeModules(CG_ModelRegistry& registry) {
  registry.modelModules.Append(new FakeModelModule());
  registry.modelModules.Append(new FakeLightModule());
  registry.modelModules.Append(new FakeCameraModule());
  registry.lampModules.Append(new FakeLampModule());
  registry.SetCameraFactory(FakeCameraFactory);
}

}  // namespace zavo::test
