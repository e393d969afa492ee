#include "win/edit_win_logic.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "win/view_win.h"

namespace zavo {
namespace {

TEST(EditWinLogic, MenuTableSendsTheRequestOfEachCommand) {
  struct Case {
    int id;
    MenuAction action;
    int request;
    int value;
    bool exempt;
  };
  const Case cases[] = {
      {1, MenuAction::Request, 22, 0, false},   {2, MenuAction::Request, 40, 0, false},
      {3, MenuAction::Request, 23, 0, false},   {4, MenuAction::Request, 24, 0, false},
      {7, MenuAction::Request, 29, 0, false},   {11, MenuAction::Request, 62, 0, false},
      {12, MenuAction::RequestThenSingle, 78, 0, false},
      {13, MenuAction::RequestThenSingle, 78, 1, false},
      {14, MenuAction::RequestThenSingle, 78, 2, false},
      {15, MenuAction::RequestThenSingle, 78, -1, false},
      {16, MenuAction::Request, 63, 0, false},  {17, MenuAction::Request, 79, 0, true},
      {18, MenuAction::Request, 84, 0, true},   {101, MenuAction::LayoutSingle, 0, 0, false},
      {103, MenuAction::OptionsDialog, 47, 0, false},
      {105, MenuAction::LayoutAll, 0, 0, false}, {106, MenuAction::LayoutImage, 0, 0, false},
      {107, MenuAction::RenderImage, 0, 0, false}, {108, MenuAction::Request, 5, 0, false},
      {111, MenuAction::Request, 6, 0, false},  {113, MenuAction::Request, 16, 0, false},
      {119, MenuAction::Request, 21, 0, false}, {120, MenuAction::Request, 20, 0, false},
      {134, MenuAction::Request, 37, 0, false}, {141, MenuAction::Request, 57, 0, false},
      {142, MenuAction::Request, 56, 0, false},
      {145, MenuAction::InterfaceOptions, 0, 0, false},
      {148, MenuAction::Request, 58, 0, false},
      {149, MenuAction::RenderAllFrames, 0, 0, false},
      {222, MenuAction::Beep, 0, 0, false},
      // The library dialogs change the scene: not while a render runs.
      {223, MenuAction::Request, 82, 0, false}, {224, MenuAction::Request, 83, 0, false},
      {225, MenuAction::Request, 85, 0, false}, {523, MenuAction::Request, 86, 0, true},
      {24321, MenuAction::NotActive, 0, 0, false}, {24326, MenuAction::NotActive, 0, 0, false},
      {24329, MenuAction::Request, 38, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const auto command = FindMenuCommand(c.id);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->action, c.action);
    EXPECT_EQ(command->request, c.request);
    EXPECT_EQ(command->value, c.value);
    EXPECT_EQ(command->busyExempt, c.exempt);
  }
  for (int id : {0, 19, 100, 102, 143, 144, 150, 226, 5000, 24327, 24328, 24330, 24331}) {
    EXPECT_FALSE(FindMenuCommand(id).has_value()) << id;
  }
}

TEST(EditWinLogic, EveryPlainRequestOfTheTableIsDistinct) {
  // Each request is sent by one command only: a slip in the table would give
  // two commands the same request and leave one request unsent.
  std::set<int> seen;
  int plain = 0;
  for (const MenuCommand& c : MenuCommands()) {
    if (c.action != MenuAction::Request) continue;
    ++plain;
    EXPECT_TRUE(seen.insert(c.request).second) << "request " << c.request << " twice";
  }
  EXPECT_EQ(plain, 58);
}

TEST(EditWinLogic, MouseRecordsCombineFlagBits) {
  struct Case {
    const char* what;
    int keys;
    int kind;
    bool released;
    int flags;
  };
  const Case cases[] = {
      {"left press, nothing held (the key state has the left button)", kKeyLeft, 1, false, 128 | 1},
      {"left release", 0, 1, true, 64 | 1},
      {"right press with Shift", kKeyRight | kKeyShift, 2, false, 128 | 32 | 2},
      {"right release with Ctrl", kKeyControl, 2, true, 64 | 16 | 2},
      {"move with the left button", kKeyLeft, 0, false, 1},
      {"move with the middle button and Shift", kKeyMiddle | kKeyShift, 0, false, 4 | 32},
      {"plain move", 0, 0, false, 0},
      {"left press with the right button held", kKeyLeft | kKeyRight, 1, false, 128 | 2 | 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const MouseEventRecord r = MakeMouseRecord(2, 17, 33, c.keys, c.kind, c.released);
    EXPECT_EQ(r.flags, c.flags);
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_EQ(r.view, 2);
    EXPECT_EQ(r.x, 17);
    EXPECT_EQ(r.y, 33);
  }
}

TEST(EditWinLogic, ViewPlacesForEachLayout) {
  struct Case {
    const char* what;
    int mode;
    int width;
    int height;
    int single;
    bool placed;
    ViewPlace views[4];
  };
  const ViewPlace off{-10, -10, 0, 0, false};
  const Case cases[] = {
      {"all four of an odd size", kLayoutAll, 801, 601, 0, true,
       {{0, 300, 400, 300, true}, {0, 0, 400, 300, true}, {400, 0, 400, 300, true},
        {400, 300, 400, 300, true}}},
      {"single top view", kLayoutSingle, 640, 480, 0, true,
       {{0, 0, 640, 480, true}, off, off, off}},
      {"single side view", kLayoutSingle, 640, 480, 2, true,
       {off, off, {0, 0, 640, 480, true}, off}},
      {"single preview view (-1 is view 3)", kLayoutSingle, 640, 480, -1, true,
       {off, off, off, {0, 0, 640, 480, true}}},
      {"single with an answer naming no view", kLayoutSingle, 640, 480, 3, false, {}},
      {"single with another answer", kLayoutSingle, 640, 480, -2, false, {}},
      {"image", kLayoutImage, 640, 480, 0, true, {off, off, off, off}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto places = PlaceViews(c.mode, c.width, c.height, c.single);
    ASSERT_EQ(places.has_value(), c.placed);
    if (!places) continue;
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ((*places)[i].x, c.views[i].x);
      EXPECT_EQ((*places)[i].y, c.views[i].y);
      EXPECT_EQ((*places)[i].width, c.views[i].width);
      EXPECT_EQ((*places)[i].height, c.views[i].height);
      EXPECT_EQ((*places)[i].active, c.views[i].active);
    }
  }
}

TEST(EditWinLogic, ScrollRangeOfTheImage) {
  struct Case {
    const char* what;
    int mode;
    bool image;
    int iw, ih, cw, ch;
    ScrollRange range;
  };
  const Case cases[] = {
      {"image mode, larger image", kLayoutImage, true, 640, 400, 500, 300, {14, 10}},
      {"image mode, smaller image", kLayoutImage, true, 320, 200, 500, 300, {0, 0}},
      {"wider only", kLayoutImage, true, 517, 200, 500, 300, {1, 0}},
      {"no image", kLayoutImage, false, 640, 400, 500, 300, {0, 0}},
      {"views shown", kLayoutAll, true, 640, 400, 500, 300, {0, 0}},
      {"single view", kLayoutSingle, true, 640, 400, 500, 300, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ImageScrollRange(c.mode, c.image, c.iw, c.ih, c.cw, c.ch), c.range);
  }
}

TEST(EditWinLogic, MemoryReportLinesAndDifferences) {
  const RayCounters counters{12, 34, 56};
  MemoryFigures first{40, 1000, 600, 3000, 2000, 1 << 20, 900000};
  MemoryFigures second{45, 1000, 550, 3000, 1950, 1 << 20, 899000};
  const std::string one = MemoryReport(counters, first, nullptr);
  EXPECT_EQ(one,
            "_BoxNIntr 12\n_TestBoxNIntr 34\n_FaceNIntr 56\n\n"
            "dwMemoryLoad 40\ndwTotalPhys 1000\ndwAvailPhys 600\ndwTotalPageFile 3000\n"
            "dwAvailPageFile 2000\ndwTotalVirtual 1048576\ndwAvailVirtual 900000");
  const std::string two = MemoryReport(counters, second, &first);
  EXPECT_NE(two.find("dwAvailPhys 550\n"), std::string::npos);
  EXPECT_NE(two.find("\nDMemoryLoad 5\nDTotalPhys 0\nDAvailPhys -50\nDTotalPageFile 0\n"
                     "DAvailPageFile -50\nDTotalVirtual 0\nDAvailVirtual -1000"),
            std::string::npos)
      << two;
}

TEST(EditWinLogic, MemoryFiguresOfThisProcessAreConsistent) {
  const MemoryFigures f = CurrentMemoryFigures();
  EXPECT_GT(f.totalPhys, 0);
  EXPECT_LE(f.availPhys, f.totalPhys);
  EXPECT_GE(f.totalPageFile, f.totalPhys);
  EXPECT_GE(f.load, 0);
  EXPECT_LE(f.load, 100);
  EXPECT_GT(f.totalVirtual, 0);
  EXPECT_LT(f.availVirtual, f.totalVirtual);  // this process maps something
}

TEST(EditWinLogic, ProgramDirectoryEndsWithASlash) {
  EXPECT_EQ(DirectoryOfPath("/opt/zavo/bin/zavo"), "/opt/zavo/bin/");
  EXPECT_EQ(DirectoryOfPath("/zavo"), "/");
  EXPECT_EQ(DirectoryOfPath("zavo"), "./");
  const std::string dir = ProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_EQ(dir.front(), '/');
}

}  // namespace
}  // namespace zavo
