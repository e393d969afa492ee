// A session with the editor dialogs as the window layer sends it: the
// settings and a library folder "lib" beside the document, the options, the
// material library with its preview and Insert, a render-parameter fragment,
// the "Param" dialog, then Save As, New and Open.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "document_fixture.h"
#include "library_fixture.h"

namespace zavo::test {
namespace {

bool Wrote(const FakeWinSupp& support, const char* section, const char* key, const char* value) {
  return std::any_of(support.writes.begin(), support.writes.end(), [&](const FakeWinSupp::Access& a) {
    return std::tie(a.section, a.key, a.text) == std::tie(section, key, value);
  });
}

TEST_F(DocumentTest, LibrarySession) {
  const LibraryFolder library("lib");
  fakes.winSupp.settings[{"Dir", "LibraryDir"}] = "lib";
  driver.Request(45);
  driver.Request(81, "lib");
  ASSERT_EQ(driver.Request(65).result, 1);

  // 1. Options: colours off, a finer grid, snapshots every 2.9 changes.
  fakes.dialog.Answer({{{"UseColor", "0"}, {"GridDim", "0.25"}, {"Undo/UndoFreq", "2.9"}}, {}, true});
  EXPECT_EQ(driver.Request(47).value, 1);
  driver.Request(46);
  EXPECT_TRUE(Wrote(fakes.winSupp, "Editor.View", "UseColor", "0"));
  EXPECT_TRUE(Wrote(fakes.winSupp, "Editor", "GridDim", "0.25"));
  EXPECT_TRUE(Wrote(fakes.winSupp, "Editor", "UndoFreq", "2"));

  // 2. The gold preview, rendered and cached, then shown from the cache; Insert.
  fakes.dialog.Answer({{{"Material", "gold"}}, {"preview"}, true});
  EXPECT_EQ(driver.Request(82).result, 1);
  BitmapManager cache;
  ASSERT_EQ(cache.Load("lib/material/gold.bmp"), 1);
  EXPECT_EQ(cache.Width(), 50);
  EXPECT_EQ(cache.Height(), 50);
  EXPECT_EQ(std::filesystem::current_path(), dir.path());
  const auto cached = std::filesystem::last_write_time("lib/material/gold.bmp");
  fakes.dialog.Answer({{{"Material", "gold"}}, {"preview", "Insert"}, true});
  EXPECT_EQ(driver.Request(82).result, 1);
  EXPECT_EQ(std::filesystem::last_write_time("lib/material/gold.bmp"), cached);
  EXPECT_NE(editor->scene.GetMaterials().Find("gold"), nullptr);
  EXPECT_EQ(driver.Request(76).result, 1);

  // 3. The parameter library lists the two scene files; "hi" sets the size.
  fakes.dialog.Answer({{{"Param", "hi"}}, {}, true});
  EXPECT_EQ(driver.Request(83).result, 1);
  EXPECT_EQ(fakes.dialog.calls.back().tree, std::vector<std::string>{"ListBox_obj Param =  [Lo|hi]"});
  RequestResult size = driver.Request(3);
  EXPECT_EQ(size.value, 64);
  EXPECT_EQ(size.value2, 48);

  // 4. A wider image and no attenuation.
  fakes.dialog.Answer({{{"dimx", "640.7"}, {"Raytracing/New/Atmoferic attenuation/UseAA", "0"}}, {}, true});
  EXPECT_EQ(driver.Request(22).result, 1);
  size = driver.Request(3);
  EXPECT_EQ(size.value, 640);
  EXPECT_EQ(size.value2, 48);

  // 5. Saved, dropped and opened again: the parameters and the gold travel.
  ASSERT_EQ(driver.Request(68, "lib/doc").result, 1) << LastMessage();
  ASSERT_EQ(driver.Request(65).result, 1);
  EXPECT_EQ(editor->scene.GetMaterials().Find("gold"), nullptr);
  ASSERT_EQ(driver.Request(66, "lib/doc").result, 1) << LastMessage();
  const std::string text = ReadFile("lib/doc.qz");
  EXPECT_NE(text.find("dimx 640;"), std::string::npos) << text;
  EXPECT_NE(text.find("dimy 48;"), std::string::npos) << text;
  EXPECT_NE(editor->scene.GetMaterials().Find("gold"), nullptr);
  EXPECT_EQ(driver.Request(3).value, 640);
}

}  // namespace
}  // namespace zavo::test
