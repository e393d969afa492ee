// The program zavo itself, started with a scene on its command line: it opens
// the scene and draws it in the views, and "&Action" > "&Create image" shows
// the image whose pixels are the BMP file written beside the scene.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>

#include <spawn.h>
#include <sys/wait.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <wx/uiaction.h>

#include "common/temp_dir.h"
#include "win/bmp_manager.h"
#include "win/gui/ball_scene.h"
#include "win/gui/gui_support.h"
#include "win/win_ini.h"

extern char** environ;

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// A green ball at the origin (ball_scene.h).
const std::string kScene = GreenBallScene("( 0 , 0 , 0 )");

struct Placed {
  Window window = 0;
  int x = 0, y = 0, width = 0, height = 0;
  std::string title;
};

// The top-level window whose title holds the text.
std::optional<Placed> FindWindow(Display* display, const std::string& text) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return std::nullopt;
  }
  std::optional<Placed> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
      const std::string title = name;
      XFree(name);
      XWindowAttributes a;
      if (title.find(text) != std::string::npos && XGetWindowAttributes(display, children[i], &a) != 0 &&
          a.map_state == IsViewable) {
        found = Placed{children[i], a.x, a.y, a.width, a.height, title};
      }
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

class Program {
public:
  explicit Program(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
  }
  ~Program() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  bool Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
  pid_t pid_ = -1;
};

TEST(ZavoEndToEnd, OpensTheSceneFromTheCommandLineAndShowsItsImage) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  TempDir dir;
  const fs::path library = fs::path(ZAVO_BINARY_DIR) / "apps" / "library";
  ASSERT_TRUE(fs::exists(library / "object" / "camera.qz"));
  WriteFile(dir / "vnz.ini", "[Dir]\nModelDir=" + dir.path().string() + "\nTextureDir=" + dir.path().string() +
                                 "\nLibraryDir=" + library.string() + "\n[View]\nDimPixel=3\n");
  ASSERT_TRUE(WriteWinIni(kWinIniSection, kWinIniKey, (dir / "vnz.ini").c_str()));
  WriteFile(dir / "ball.qz", kScene);

  Program zavo({ZAVO_EXE, (dir / "ball.qz").string()});
  std::optional<Placed> frame;
  ASSERT_TRUE(DrainUntil([&] {
    frame = FindWindow(display, "ball.qz");
    return frame.has_value() || !zavo.Running();
  }));
  ASSERT_TRUE(frame.has_value()) << "zavo ended";
  EXPECT_NE(frame->title.find("ball.qz"), std::string::npos);

  // The top view (the lower-left pane) draws the ball's outline in the
  // colour of its green material.
  const auto greenIn = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; y += 1) {
      for (int x = x0; x < x1; x += 1) {
        const wxColour c = ScreenColour(wxPoint(x, y));
        if (c.Green() > c.Red() + 60 && c.Green() > c.Blue() + 60) return true;
      }
    }
    return false;
  };
  const int half = frame->width / 2;
  const int middle = frame->y + frame->height / 2;
  EXPECT_TRUE(DrainUntil([&] { return greenIn(frame->x + 10, middle + 10, frame->x + half - 10, middle + 120); }))
      << "no outline in the top view";

  // "&Action" > "&Create image" through the keyboard.
  XSetInputFocus(display, frame->window, RevertToPointerRoot, CurrentTime);
  XSync(display, False);
  Settle();
  wxUIActionSimulator().Char('a', wxMOD_ALT);
  Settle();
  wxUIActionSimulator().Char('c');
  BmpManager written;
  ASSERT_TRUE(DrainUntil([&] { return written.Load(dir / "ball.bmp") == 1; })) << "no image beside the scene";
  ASSERT_EQ(written.Width(), 37);
  ASSERT_EQ(written.Height(), 23);

  // The image at the top left of the editing window: its first row starts
  // below the menu bar.
  const Rgb8 corner = written.Pixel(0, 0);
  const wxColour background(corner.r, corner.g, corner.b);
  int originY = -1;
  ASSERT_TRUE(DrainUntil([&] {
    for (int y = frame->y; y < frame->y + frame->height / 2; ++y) {
      if (ScreenColour(wxPoint(frame->x + 1, y)) == background) {
        originY = y;
        return true;
      }
    }
    return false;
  })) << "no image on the screen";
  for (const wxPoint p : {wxPoint(0, 0), wxPoint(18, 11), wxPoint(22, 8), wxPoint(36, 22)}) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    const Rgb8 want = written.Pixel(p.x, p.y);
    EXPECT_EQ(ScreenColour(wxPoint(frame->x + p.x * 3 + 1, originY + p.y * 3 + 1)), wxColour(want.r, want.g, want.b));
  }
  EXPECT_NE(written.Pixel(0, 0), written.Pixel(18, 11));  // the ball is there
  fs::remove(WinIniPath());
  XCloseDisplay(display);
}

}  // namespace
}  // namespace zavo::test
