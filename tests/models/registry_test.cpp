#include "models/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/fakes.h"
#include "scene/registry.h"

namespace {

template <class T, class KeywordOf>
std::vector<std::string> Keywords(const List<T>& list, KeywordOf keywordOf) {
  std::vector<std::string> result;
  for (const T& item : list) result.emplace_back(keywordOf(item));
  return result;
}

TEST(BuildRegistry, FillsTheListsThatExistInOrder) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  EXPECT_EQ(Keywords(registry.boundingModules, [](const BoundingObjectModule& m) { return m.keyword.Text(); }),
            (std::vector<std::string>{"box", "box"}));
  EXPECT_EQ(Keywords(registry.mappingModules, [](const CG_MappingModule& m) { return m.Keyword(); }),
            (std::vector<std::string>{"planar", "spherical", "cilindric"}));
  EXPECT_EQ(Keywords(registry.materialModules, [](const CG_MaterialModule& m) { return m.Keyword(); }),
            (std::vector<std::string>{"phong"}));
  EXPECT_TRUE(registry.modelModules.IsEmpty());
  EXPECT_TRUE(registry.shadingMethods.IsEmpty());
  EXPECT_TRUE(registry.lampModules.IsEmpty());
  // The mapping and material modules read what they are named for.
  EXPECT_NE(dynamic_cast<CG_CilindricMappingModule*>(registry.mappingModules.Nth(2)), nullptr);
  EXPECT_NE(dynamic_cast<CG_MaterialPhongModule*>(registry.materialModules.First()), nullptr);
}

TEST(BuildRegistry, EmptiesTheListsFirst) {
  const int alive = zavo::test::FakeModelModule::alive;
  CG_ModelRegistry registry;
  registry.modelModules.Append(new zavo::test::FakeModelModule());
  BuildRegistry(registry);
  BuildRegistry(registry);
  EXPECT_EQ(zavo::test::FakeModelModule::alive, alive);
  EXPECT_EQ(registry.boundingModules.Nth(2), nullptr);
  EXPECT_EQ(registry.mappingModules.Nth(3), nullptr);
}

}  // namespace
