#include "scene/uniform_object_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "scene/comm_data.h"
#include "scene/material.h"
#include "scene/texture.h"

namespace {

using zavo::test::TempDir;

// A planar mapping that counts its living instances.
class CountedMapping : public CG_PlanarMapping {
public:
  CountedMapping() : CG_PlanarMapping({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 1, 1) { ++alive; }
  CountedMapping(const CountedMapping& other) : CG_PlanarMapping(other) { ++alive; }
  ~CountedMapping() override { --alive; }
  CG_MappingMetod* Clone() const override { return new CountedMapping(*this); }
  static int alive;
};
int CountedMapping::alive = 0;

// A mapping that cannot be copied.
class UncloneableMapping : public CG_PlanarMapping {
public:
  UncloneableMapping() : CG_PlanarMapping({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 1, 1) {}
  CG_MappingMetod* Clone() const override { return nullptr; }
};

std::string Written(const CG_MappingMetod& m) {
  std::ostringstream os;
  m.Write(os);
  return os.str();
}

std::string Written(const GUniformObjectData& u) {
  std::ostringstream os;
  u.Write(os);
  return os.str();
}

// A texture named name whose image is width x height, pixel (x, y) coloured by paint.
std::unique_ptr<CG_Texture> MakeTexture(const TempDir& dir, const char* name, int width, int height,
                                        const std::function<int(int x, int y, int c)>& paint) {
  BitmapManager image;
  EXPECT_EQ(image.Create(width, height), 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, paint(x, y, 0), paint(x, y, 1), paint(x, y, 2));
  }
  EXPECT_EQ(image.Save(dir / (std::string(name) + ".bmp")), 1);
  return std::make_unique<CG_Texture>(name, (dir / name).string().c_str());
}

std::unique_ptr<CG_Texture> Uniform(const TempDir& dir, const char* name, int grey) {
  return MakeTexture(dir, name, 4, 4, [grey](int, int, int) { return grey; });
}

// Material, texture and bump that the scene's lists would own.
struct Attributes {
  TempDir dir;
  CG_NamedMaterial material{"m", new CG_MaterialPhong()};
  std::unique_ptr<CG_Texture> texture = Uniform(dir, "t", 10);
  std::unique_ptr<CG_Texture> bump = Uniform(dir, "b", 20);

  void Fill(CG_GraphicObjectCommData& data) {
    data.material = &material;
    data.texture = texture.get();
    data.bump = bump.get();
  }
  void ExpectIn(const CG_GraphicObjectCommData& data) const {
    EXPECT_EQ(data.material, &material);
    EXPECT_EQ(data.texture, texture.get());
    EXPECT_EQ(data.bump, bump.get());
  }
  void ExpectIn(const GUniformObjectData& u) const {
    EXPECT_EQ(u.material, &material);
    EXPECT_EQ(u.texture, texture.get());
    EXPECT_EQ(u.bump, bump.get());
  }
};

TEST(CG_GraphicObjectCommData, StartsEmptyAndDestroysOnlyItsMapping) {
  {
    const CG_GraphicObjectCommData data;
    EXPECT_EQ(data.name.Text(), nullptr);
    EXPECT_EQ(data.IDname.Text(), nullptr);
    EXPECT_EQ(data.toll, 0.01);
    EXPECT_EQ(data.material, nullptr);
    EXPECT_EQ(data.texture, nullptr);
    EXPECT_EQ(data.bump, nullptr);
    EXPECT_EQ(data.mapping, nullptr);
  }
  Attributes a;
  {
    CG_GraphicObjectCommData data;
    a.Fill(data);
    data.mapping = std::make_unique<CountedMapping>();
    EXPECT_EQ(CountedMapping::alive, 1);
  }
  EXPECT_EQ(CountedMapping::alive, 0);
  // Material and textures are still whole (the sanitizers see any use after free).
  EXPECT_STREQ(a.material.name.Text(), "m");
  EXPECT_EQ(a.texture->image.Width(), 4);
  EXPECT_EQ(a.bump->image.Width(), 4);
}

// Where a mapping is after an operation.
enum class Place { kObject, kData, kDestroyed };

TEST(GUniformObjectData, ConstructorTakesTheMappingOver) {
  Attributes a;
  CG_GraphicObjectCommData data;
  a.Fill(data);
  data.mapping = std::make_unique<CountedMapping>();
  CG_MappingMetod* const mapping = data.mapping.get();
  {
    const GUniformObjectData object(data);
    a.ExpectIn(object);
    EXPECT_EQ(object.mapping.get(), mapping);
    EXPECT_EQ(data.mapping, nullptr);
    EXPECT_EQ(CountedMapping::alive, 1);
  }
  EXPECT_EQ(CountedMapping::alive, 0);
}

TEST(GUniformObjectData, OwnershipOfTheMappings) {
  using Op = int (*)(GUniformObjectData&, CG_GraphicObjectCommData&);
  const Op set = [](GUniformObjectData& u, CG_GraphicObjectCommData& d) { return u.SetCommData(d); };
  const Op get = [](GUniformObjectData& u, CG_GraphicObjectCommData& d) { return u.GetCommData(d); };
  const Op fill = [](GUniformObjectData& u, CG_GraphicObjectCommData& d) {
    return u.FillCommData(d);
  };
  struct Row {
    const char* what;
    Op op;
    bool objectHasMapping, dataHasMapping;
    int result;
    Place objectMapping;  // where the object's former mapping ends
    Place dataMapping;    // where the data's former mapping ends
    bool dataGetsClone;
  } rows[] = {
      {"SetCommData", set, true, true, 0, Place::kDestroyed, Place::kObject, false},
      {"SetCommData, data without mapping", set, true, false, 0, Place::kDestroyed, Place::kData,
       false},
      {"GetCommData", get, true, true, 0, Place::kData, Place::kDestroyed, false},
      {"GetCommData, object without mapping", get, false, true, 0, Place::kObject,
       Place::kDestroyed, false},
      {"FillCommData", fill, true, true, 1, Place::kObject, Place::kDestroyed, true},
      {"FillCommData, object without mapping", fill, false, true, 1, Place::kObject,
       Place::kDestroyed, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    ASSERT_EQ(CountedMapping::alive, 0);
    Attributes a;
    {
      // SetCommData takes the attributes from the data; the others give the object's.
      const bool fromData = r.op == set;
      CG_GraphicObjectCommData first;
      if (!fromData) a.Fill(first);
      if (r.objectHasMapping) first.mapping = std::make_unique<CountedMapping>();
      CG_MappingMetod* const objectMapping = first.mapping.get();
      GUniformObjectData object(first);

      CG_GraphicObjectCommData data;
      if (fromData) a.Fill(data);
      if (r.dataHasMapping) data.mapping = std::make_unique<CountedMapping>();
      CG_MappingMetod* const dataMapping = data.mapping.get();

      const int before = CountedMapping::alive;
      EXPECT_EQ(r.op(object, data), r.result);
      if (fromData) a.ExpectIn(object);
      else a.ExpectIn(data);

      // What each place holds afterwards; a place that receives nothing holds null.
      CG_MappingMetod* expected[3] = {nullptr, nullptr, nullptr};
      if (objectMapping != nullptr) expected[static_cast<int>(r.objectMapping)] = objectMapping;
      if (dataMapping != nullptr) expected[static_cast<int>(r.dataMapping)] = dataMapping;
      const int destroyed = (r.objectMapping == Place::kDestroyed && objectMapping != nullptr) +
                            (r.dataMapping == Place::kDestroyed && dataMapping != nullptr);
      EXPECT_EQ(object.mapping.get(), expected[static_cast<int>(Place::kObject)]);
      if (r.dataGetsClone) {
        ASSERT_NE(data.mapping, nullptr);
        EXPECT_NE(data.mapping.get(), object.mapping.get());
        EXPECT_EQ(Written(*data.mapping), Written(*object.mapping));
        EXPECT_EQ(CountedMapping::alive, before - destroyed + 1);
      } else {
        EXPECT_EQ(data.mapping.get(), expected[static_cast<int>(Place::kData)]);
        EXPECT_EQ(CountedMapping::alive, before - destroyed);
      }
    }
    EXPECT_EQ(CountedMapping::alive, 0);
  }
}

TEST(GUniformObjectData, FillCommDataFailsWhenTheMappingCannotBeCloned) {
  CG_GraphicObjectCommData first;
  first.mapping = std::make_unique<UncloneableMapping>();
  const GUniformObjectData object(first);
  CG_GraphicObjectCommData data;
  data.mapping = std::make_unique<CountedMapping>();
  EXPECT_EQ(object.FillCommData(data), 0);
  EXPECT_EQ(data.mapping, nullptr);
  EXPECT_EQ(CountedMapping::alive, 0);
  EXPECT_NE(object.mapping, nullptr);
}

TEST(GUniformObjectData, MaterialsAndTextures) {
  Attributes a;
  struct Row {
    bool material, texture, bump;
    std::vector<CG_Texture*> textures;
  } rows[] = {
      {false, false, false, {}},
      {true, false, false, {}},
      {false, true, false, {a.texture.get()}},
      {false, false, true, {a.bump.get()}},
      {true, true, true, {a.texture.get(), a.bump.get()}},
  };
  for (const Row& r : rows) {
    CG_GraphicObjectCommData data;
    if (r.material) data.material = &a.material;
    if (r.texture) data.texture = a.texture.get();
    if (r.bump) data.bump = a.bump.get();
    const GUniformObjectData object(data);

    Seq<CG_NamedMaterial*> materials(3);  // whatever was there goes
    EXPECT_EQ(object.GetMaterials(materials), 1);
    ASSERT_EQ(materials.Count(), r.material ? 1u : 0u);
    if (r.material) {
      EXPECT_EQ(materials[0], &a.material);
    }

    Seq<CG_Texture*> textures(5);
    EXPECT_EQ(object.GetTextures(textures), 1);
    ASSERT_EQ(textures.Count(), r.textures.size());
    for (std::uint32_t i = 0; i < textures.Count(); ++i) EXPECT_EQ(textures[i], r.textures[i]);
  }
}

TEST(GUniformObjectData, HasMappingOfTypeAnswersTheExactDynamicType) {
  CG_GraphicObjectCommData data;
  const GUniformObjectData none(data);
  EXPECT_EQ(none.HasMappingOfType(typeid(CG_PlanarMapping)), 0);

  data.mapping = std::make_unique<CG_SphericalMapping>(Point3D{}, Point3D{1, 0, 0},
                                                       Point3D{0, 1, 0}, 1, 1);
  const GUniformObjectData spherical(data);
  EXPECT_EQ(spherical.HasMappingOfType(typeid(CG_SphericalMapping)), 1);
  EXPECT_EQ(spherical.HasMappingOfType(typeid(CG_PlanarMapping)), 0);
  EXPECT_EQ(spherical.HasMappingOfType(typeid(CG_CilindricMapping)), 0);
  EXPECT_EQ(spherical.HasMappingOfType(typeid(CG_MappingMetod)), 0);

  data.mapping = std::make_unique<CountedMapping>();  // derived from the planar mapping
  const GUniformObjectData derived(data);
  EXPECT_EQ(derived.HasMappingOfType(typeid(CG_PlanarMapping)), 0);
  EXPECT_EQ(derived.HasMappingOfType(typeid(CountedMapping)), 1);
}

// A material model of another class than Phong.
class OtherMaterial : public CG_MaterialPhong {};

TEST(GUniformObjectData, HasMaterialOfClassComparesTheModelsClass) {
  const CG_MaterialPhong phong;
  const OtherMaterial other;
  CG_GraphicObjectCommData data;
  // No material, or a named material without a model: the default Phong material.
  const GUniformObjectData none(data);
  EXPECT_EQ(none.HasMaterialOfClass(phong), 1);
  EXPECT_EQ(none.HasMaterialOfClass(other), 0);
  CG_NamedMaterial empty("empty", nullptr);
  data.material = &empty;
  const GUniformObjectData modelless(data);
  EXPECT_EQ(modelless.HasMaterialOfClass(phong), 1);

  CG_NamedMaterial special("special", new OtherMaterial());
  data.material = &special;
  const GUniformObjectData withOther(data);
  EXPECT_EQ(withOther.HasMaterialOfClass(other), 1);
  EXPECT_EQ(withOther.HasMaterialOfClass(phong), 0);
}

TEST(GUniformObjectData, MaterialColourFallsBackToTheDefaultPhongColour) {
  CG_GraphicObjectCommData data;
  EXPECT_EQ(GUniformObjectData(data).MaterialColour(), (Point3D{0.5, 0.5, 0.5}));
  auto* model = new CG_MaterialPhong();
  model->Od = {0.1, 0.2, 0.3};
  CG_NamedMaterial red("red", model);
  data.material = &red;
  EXPECT_EQ(GUniformObjectData(data).MaterialColour(), (Point3D{0.1, 0.2, 0.3}));
  EXPECT_EQ(zavo::ColourOrDefault(nullptr), (Point3D{0.5, 0.5, 0.5}));
}

TEST(GUniformObjectData, MapPoint) {
  TempDir dir;
  // 2 x 2: top row red, green; bottom row blue, white.
  const auto texture = MakeTexture(dir, "rgb", 2, 2, [](int x, int y, int c) {
    const int colours[2][2][3] = {{{255, 0, 0}, {0, 255, 0}}, {{0, 0, 255}, {255, 255, 255}}};
    return colours[y][x][c];
  });
  auto* phong = new CG_MaterialPhong();
  phong->Ka = 0.7;
  phong->Kt = 0.4;
  phong->Od = {0.1, 0.2, 0.3};
  CG_NamedMaterial named("m", phong);
  CG_NamedMaterial empty("e", nullptr);
  const CG_MaterialPhong defaults;

  struct Row {
    const char* what;
    CG_NamedMaterial* material;
    bool texture, mapping;
    int result;
    const CG_MaterialPhong& coefficients;
    Point3D colour;
  } rows[] = {
      {"material only", &named, false, false, 1, *phong, {0.1, 0.2, 0.3}},
      {"no material: the default Phong material", nullptr, false, true, 1, defaults, {0.5, 0.5, 0.5}},
      {"material without a model", &empty, false, false, 1, defaults, {0.5, 0.5, 0.5}},
      // (0.75, 0.75) maps to u = v = 0.75: column 1 of the top row, green.
      {"texture and mapping", &named, true, true, 1, *phong, {0, 1, 0}},
      {"texture without mapping", &named, true, false, 0, *phong, {0.1, 0.2, 0.3}},
      {"texture, no material", nullptr, true, true, 1, defaults, {0, 1, 0}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    CG_GraphicObjectCommData data;
    data.material = r.material;
    if (r.texture) data.texture = texture.get();
    if (r.mapping) {
      data.mapping = std::make_unique<CG_PlanarMapping>(Point3D{}, Point3D{1, 0, 0},
                                                        Point3D{0, 1, 0}, 1, 1);
    }
    const GUniformObjectData object(data);
    CG_MaterialPhong working;
    working.Ka = working.Kd = working.Kt = 0.9;
    working.Od = {9, 9, 9};
    EXPECT_EQ(object.MapPoint(working, {0.75, 0.75, 0}), r.result);
    EXPECT_EQ(working.Ka, r.coefficients.Ka);
    EXPECT_EQ(working.Kd, r.coefficients.Kd);
    EXPECT_EQ(working.Kt, r.coefficients.Kt);
    EXPECT_EQ(working.Od, r.colour);
  }
}

// The normal after EvalTexture with a planar mapping along x (axis length 2)
// and y on the bump texture.
Point3D Bent(CG_Texture* bump, bool mapping, const Point3D& point, Point3D normal) {
  CG_GraphicObjectCommData data;
  data.bump = bump;
  if (mapping) {
    data.mapping = std::make_unique<CG_PlanarMapping>(Point3D{}, Point3D{2, 0, 0},
                                                      Point3D{0, 1, 0}, 1, 1);
  }
  const GUniformObjectData object(data);
  object.EvalTexture(point, normal);
  return normal;
}

Point3D Unit(const Point3D& p) { return p * (1 / Length(p)); }

void ExpectNear(const Point3D& a, const Point3D& b) {
  EXPECT_NEAR(a.x, b.x, 1e-12);
  EXPECT_NEAR(a.y, b.y, 1e-12);
  EXPECT_NEAR(a.z, b.z, 1e-12);
}

TEST(GUniformObjectData, EvalTextureBendsTheNormalByTheIntensityDifferences) {
  TempDir dir;
  // 4 x 4, black but for (1,2) grey 30, (1,3) grey 90, (2,2) red 255, (3,2) grey 120.
  const auto bump = MakeTexture(dir, "bump", 4, 4, [](int x, int y, int c) {
    if (x == 1 && y == 2) return 30;
    if (x == 1 && y == 3) return 90;
    if (x == 2 && y == 2) return c == 0 ? 255 : 0;
    if (x == 3 && y == 2) return 120;
    return 0;
  });
  // (0.6, 0.55) maps to u = 0.3, v = 0.55: x = trunc(0.3 * 4) = 1, y = trunc(0.55 * 4) = 2.
  // I0 = 90/3/256 at (1,2), I1 = 270/3/256 at (1,3), I2 = 255/3/256 at (2,2); the
  // axes (2,0,0) and (0,1,0) count as unit vectors.
  const double i0 = 30.0 / 256, i1 = 90.0 / 256, i2 = 85.0 / 256;
  ExpectNear(Bent(bump.get(), true, {0.6, 0.55, 0}, {0, 0, 1}), Unit({i1 - i0, i2 - i0, 1}));
  // x = 3, y = 1: I0 at (3,1) is 0, I1 at (3,2) is 120/256, and (4,1) lies outside:
  // I2 repeats I1.
  const double edge = 120.0 / 256;
  ExpectNear(Bent(bump.get(), true, {1.8, 0.3, 0}, {0, 0, 1}), Unit({edge, edge, 1}));
  // Only the fractional parts of u and v count.
  ExpectNear(Bent(bump.get(), true, {2.6 + 4, 0.55 - 3, 0}, {0, 0, 1}),
             Unit({i1 - i0, i2 - i0, 1}));
}

TEST(GUniformObjectData, EvalTextureLeavesTheNormal) {
  TempDir dir;
  const auto flat = Uniform(dir, "flat", 77);
  // One colour: every difference is 0.
  EXPECT_EQ(Bent(flat.get(), true, {0.6, 0.55, 0}, {0, 0, 1}), (Point3D{0, 0, 1}));
  EXPECT_EQ(Bent(flat.get(), true, {0.1, 0.9, 3}, {0, -1, 0}), (Point3D{0, -1, 0}));
  ExpectNear(Bent(flat.get(), true, {0.2, 0.3, 0}, {0.6, 0, 0.8}), {0.6, 0, 0.8});
  // Without a bump texture or a mapping nothing happens, not even normalising.
  const auto texture = Uniform(dir, "t", 200);
  CG_GraphicObjectCommData data;
  data.texture = texture.get();
  data.mapping = std::make_unique<CG_PlanarMapping>(Point3D{}, Point3D{1, 0, 0},
                                                    Point3D{0, 1, 0}, 1, 1);
  const GUniformObjectData textureOnly(data);
  Point3D normal{0, 0, 2};
  textureOnly.EvalTexture({0.5, 0.5, 0}, normal);
  EXPECT_EQ(normal, (Point3D{0, 0, 2}));
  EXPECT_EQ(Bent(flat.get(), false, {0.5, 0.5, 0}, {0, 0, 2}), (Point3D{0, 0, 2}));
}

TEST(GUniformObjectData, EvalTextureOutsideATallBumpImageStartsFromBlack) {
  TempDir dir;
  // 2 wide, 8 high, all white. u is scaled by the height: u = 0.5 gives x = 4,
  // beyond the width, so all three reads fall outside and give intensity 0.
  const auto tall = MakeTexture(dir, "tall", 2, 8, [](int, int, int) { return 255; });
  EXPECT_EQ(Bent(tall.get(), true, {1.0, 0.5, 0}, {0, 0, 1}), (Point3D{0, 0, 1}));
  // Inside (u = 0.05: x = 0; v = 0.25: y = 0) the white image is flat too.
  EXPECT_EQ(Bent(tall.get(), true, {0.1, 0.25, 0}, {0, 0, 1}), (Point3D{0, 0, 1}));
}

TEST(GUniformObjectData, WrittenLines) {
  Attributes a;
  struct Row {
    bool material, texture, bump, mapping;
    const char* text;
  } rows[] = {
      {false, false, false, false, ""},
      {false, false, true, false, "\tbump b;\n"},
      {true, false, false, false, "\tmaterial m;\n"},
      {true, true, true, true,
       "\tmaterial m;\n\ttexture t;\n\tbump b;\n\tmapping {\n\tmapping\n\t\tmodel "
       "{ planar \ncenter ( 0 , 0 , 0 );\n  assx ( 2 , 0 , 0 );\n  assy ( 0 , 1 , 0 );\n"
       "  moltx 1;\n  molty 1;\n}\n\t}\n"},
  };
  for (const Row& r : rows) {
    CG_GraphicObjectCommData data;
    if (r.material) data.material = &a.material;
    if (r.texture) data.texture = a.texture.get();
    if (r.bump) data.bump = a.bump.get();
    if (r.mapping) {
      data.mapping = std::make_unique<CG_PlanarMapping>(Point3D{}, Point3D{2, 0, 0},
                                                        Point3D{0, 1, 0}, 1, 1);
    }
    const GUniformObjectData object(data);
    EXPECT_EQ(Written(object), r.text);
  }
}

}  // namespace
