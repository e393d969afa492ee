// The render command over every mode: what it answers, which view it uses and
// whether the last render counts as written.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "render/render_fixtures.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The camera in use looks at the objects from the front; the scene's own
// view is turned away from them after loading.
const char kScene[] =
    "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 10 );\n\tumin -1;\n\tumax 1;\n\tvmin -1;\n\tvmax 1;\n}\n"
    "{ param\n  dimx 6;\n  dimy 4;\n}\n"
    "{ object\n\tname crate;\n\tmodel { box xmin -1; xmax 0; ymin -1; ymax 0; zmin -4; zmax -3; }\n}\n"
    "{ object\n\tname ball;\n\tmodel { sphere center ( 0.5 , 0.5 , -3 ); radius 0.5; }\n}\n.";

struct Mode {
  const char* render;
  const char* extension;
  int result;        // what Render answers when the file was written
  bool seesCamera;   // the camera in use is copied into the view
};

const Mode kModes[] = {
    {"vrml", ".wrl", 0, false},      {"tgl", ".tgl", 0, false},    {"dxf", ".dxf", 0, false},
    {"t_analysis", ".ana", 1, false}, {"preview", ".bmp", 1, true}, {"depth", ".bmp", 1, true},
};

TEST(Render, EveryModeWritesItsFileAndCountsAsWritten) {
  for (const Mode& mode : kModes) {
    SCOPED_TRACE(mode.render);
    RenderScene f;
    ASSERT_EQ(f.Load(kScene), 1);
    ASSERT_NE(f.scene.GetCurrentCamera(), nullptr);
    CG_ViewReference cameraView;
    f.scene.GetCurrentCamera()->GetView(cameraView);
    f.scene.GetViewReference().vpn = {0, 0, -1};
    const CG_ViewReference ownView = f.scene.GetViewReference();
    f.scene.GetParam().render = mode.render;
    f.now = 4321;
    TempDir dir;
    ScopedCwd cwd(dir.path());
    f.scene.SetName("out");
    EXPECT_EQ(f.scene.Render(), mode.result);
    EXPECT_EQ(f.scene.RenderSucceeded(), 1);
    EXPECT_TRUE(fs::is_regular_file(dir / (std::string("out") + mode.extension)));
    EXPECT_TRUE(f.scene.GetViewReference() == (mode.seesCamera ? cameraView : ownView));
    if (mode.seesCamera) {
      // The images time themselves by the scene's clock.
      std::ostringstream times;
      f.scene.ReportTimes(times);
      ASSERT_FALSE(f.ui.messages.empty());
      EXPECT_EQ(f.ui.messages.back(), times.str());
      EXPECT_EQ(f.scene.GetStartTime(), 4321);
    }
  }
}

TEST(Render, AFileThatCannotBeWrittenCountsAsFailed) {
  for (const Mode& mode : kModes) {
    SCOPED_TRACE(mode.render);
    RenderScene f;
    ASSERT_EQ(f.Load(kScene), 1);
    f.scene.GetParam().render = mode.render;
    TempDir dir;
    ScopedCwd cwd(dir.path());
    f.scene.SetName("out");
    const std::string file = std::string("out") + mode.extension;
    fs::create_directory(dir / file);
    EXPECT_EQ(f.scene.Render(), 0);
    EXPECT_EQ(f.scene.RenderSucceeded(), 0);
    ASSERT_FALSE(f.ui.messages.empty());
    EXPECT_EQ(f.ui.messages.back(), "Cannot write " + file);
    EXPECT_TRUE(fs::is_directory(dir / file));
  }
}

}  // namespace
}  // namespace zavo::test
