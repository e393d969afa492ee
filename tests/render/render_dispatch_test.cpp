// The render command over every mode: what it answers, which view it uses and
// whether the last render counts as written.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <iterator>
#include <string>
#include <vector>

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

// The scene of kScene seen through a view section with the given fields set
// apart from a sound view: the camera in use and the scene's own view alike.
std::string WithView(const std::string& fields) {
  std::string text = kScene;
  text.replace(text.find("}\n{ param"), 0, fields);
  return text;
}

TEST(Render, ADegenerateViewFailsEveryModeAlikeAndWritesNothing) {
  const char* views[] = {
      "\tvup ( 0 , 0 , 2 );\n",                   // parallel to vpn
      "\tvpn ( 0 , 0 , 0 );\n",                   // no normal
      "\tprp ( 0.2 , 0.1 , 0 );\n",               // the eye on the view plane
      "\tumax 3;\n\tumin 3;\n",                  // a window without width
      "\tvmin 0.5;\n\tvmax 0.5;\n",              // nor height
  };
  std::vector<Mode> modes(std::begin(kModes), std::end(kModes));
  modes.push_back({"raytracing", ".bmp", 1, true});
  for (const char* view : views) {
    for (const Mode& mode : modes) {
      SCOPED_TRACE(std::string(view) + mode.render);
      RenderScene f;
      ASSERT_EQ(f.Load(WithView(view)), 1);
      f.scene.GetParam().render = mode.render;
      TempDir dir;
      ScopedCwd cwd(dir.path());
      f.scene.SetName("out");
      EXPECT_EQ(f.scene.Render(), 0);
      EXPECT_EQ(f.scene.RenderSucceeded(), 0);
      EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Degenerate view"});
      // Not even a hierarchy cache or a preview log.
      EXPECT_TRUE(fs::is_empty(dir.path()));
    }
  }
}

TEST(Render, TheTglMatrixIsNeverWrittenWithNonFiniteNumbers) {
  // The export's own back plane lies 10000 behind the view plane: an eye
  // there has no such matrix. The images of that view are made all the same.
  for (const char* mode : {"tgl", "preview", "raytracing"}) {
    SCOPED_TRACE(mode);
    RenderScene f;
    ASSERT_EQ(f.Load(WithView("\tprp ( 0 , 0 , -10000 );\n\tvpn ( 0 , 0 , -1 );\n\ttype 1;\n")), 1);
    f.scene.GetParam().render = mode;
    TempDir dir;
    ScopedCwd cwd(dir.path());
    f.scene.SetName("out");
    f.scene.Render();
    if (std::string(mode) == "tgl") {
      EXPECT_EQ(f.scene.RenderSucceeded(), 0);
      EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Degenerate view"});
      EXPECT_FALSE(fs::exists(dir / "out.tgl"));
    } else {
      EXPECT_EQ(f.scene.RenderSucceeded(), 1);
    }
  }
}

}  // namespace
}  // namespace zavo::test
