#include "scene/render_param.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/geo_scanner.h"

namespace {

// Reads a section body (the text after "param") into p.
int ReadBody(const std::string& text, GParam& p, std::string* rest = nullptr) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  const int ok = p.Read(s);
  if (rest) *rest = s.Text();
  return ok;
}

std::string Written(const GParam& p) {
  std::ostringstream os;
  p.Write(os);
  return os.str();
}

// A written section read back into fresh parameters.
GParam ReadBack(const std::string& text) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  EXPECT_STREQ(s.Text(), "{");
  s.Next();
  EXPECT_STREQ(s.Text(), "param");
  s.Next();
  GParam p;
  EXPECT_EQ(p.Read(s), 1) << text;
  return p;
}

TEST(GParam, Defaults) {
  const GParam p;
  EXPECT_EQ(p.toll, 0.001);
  EXPECT_EQ(p.mode, 0);
  EXPECT_STREQ(p.render.Text(), "raytracing");
  EXPECT_STREQ(p.shade.Text(), "phong");
  EXPECT_EQ(p.buildhier, 1);
  EXPECT_EQ(p.anti_alias, 0);
  EXPECT_EQ(p.anti_al_toll, 0.05);
  EXPECT_EQ(p.dimx, 100);
  EXPECT_EQ(p.dimy, 100);
  EXPECT_EQ(p.ambientcolor, (Point3D{1, 1, 1}));
  EXPECT_EQ(p.backcolor, (Point3D{0, 0, 0}));
  EXPECT_EQ(p.ambient_ni, 1.0);
  EXPECT_EQ(p.infltoll, 0.05);
  EXPECT_EQ(p.modifydef, 1);
  EXPECT_EQ(p.depthmax, 64);
  EXPECT_EQ(p.depthmin, 48);
  EXPECT_EQ(p.depthback, 64);
  EXPECT_STREQ(p._brep_optimiz.Text(), "auto");
  EXPECT_EQ(p._brep_grid_dim, 30);
  EXPECT_EQ(p._brep_hsort, 0);
  EXPECT_STREQ(p._general_optimiz.Text(), "auto");
  EXPECT_EQ(p._general_grid_dim, 30);
  EXPECT_EQ(p._general_hsort, 1);
  EXPECT_EQ(p._general_costr, 1.1);
  EXPECT_EQ(p._csg_convert, 0);
  EXPECT_EQ(p.UseDF, 0);
  EXPECT_EQ(p.DFSmax, 0.05);
  EXPECT_EQ(p.DFf1, 0);
  EXPECT_EQ(p.DFf2, 10);
  EXPECT_EQ(p.DFb1, 100);
  EXPECT_EQ(p.DFb2, 1000);
  EXPECT_EQ(p.jitterrange, 0.1);
  EXPECT_EQ(p.jitterfreq, 1);
  EXPECT_EQ(p.motionblur, 0);
  EXPECT_EQ(p.motionblurq, 0.5);
  EXPECT_EQ(p.mpeg, 0);
  EXPECT_EQ(p.AngleFreq, 1000);
  EXPECT_EQ(p.UseDistribuiteTS, 0);
  EXPECT_EQ(p.UseAA, 0);
  EXPECT_EQ(p.AAsb, 0.2);
  EXPECT_EQ(p.AAsf, 0.8);
  EXPECT_EQ(p.AAzb, 0);
  EXPECT_EQ(p.AAzf, 1000);
  EXPECT_EQ(p.CameraInUse.Text(), nullptr);
}

TEST(GParam, CopiesAreDeep) {
  GParam p;
  p.CameraInUse = "cam";
  const GParam copy = p;
  EXPECT_TRUE(copy == p);
  EXPECT_NE(copy.render.Text(), p.render.Text());
  EXPECT_NE(copy.CameraInUse.Text(), p.CameraInUse.Text());
  p.render = "depth";
  p.CameraInUse = "other";
  EXPECT_STREQ(copy.render.Text(), "raytracing");
  EXPECT_STREQ(copy.CameraInUse.Text(), "cam");
}

TEST(GParam, ReadTable) {
  struct Row {
    const char* text;
    int ok;
    std::function<void(GParam&)> expect;  // applied to the defaults: the whole result
  } rows[] = {
      {"}", 1, [](GParam&) {}},
      {"render Raytracing; }", 1, [](GParam& p) { p.render = "Raytracing"; }},
      {"dimx 320.9; dimy -7.9; }", 1, [](GParam& p) { p.dimx = 320, p.dimy = -7; }},
      {"AngleFreq 2E3; mode 3; }", 1, [](GParam& p) { p.AngleFreq = 2000, p.mode = 3; }},
      {"toll 0.5; infltoll 1e-3; jitterrange 0.25; _general_costr 2;}", 1,
       [](GParam& p) { p.toll = 0.5, p.infltoll = 0.001, p.jitterrange = 0.25, p._general_costr = 2; }},
      {"ambientcolor ( 0.5 ,0.25,  1 ); backcolor(1,0,0);}", 1,
       [](GParam& p) { p.ambientcolor = {0.5, 0.25, 1}, p.backcolor = {1, 0, 0}; }},
      {"dimx 10; dimx 20; }", 1, [](GParam& p) { p.dimx = 20; }},
      {"shade noshadowphong; }", 1, [](GParam& p) { p.shade = "noshadowphong"; }},
      {"_brep_optimiz 12; _general_optimiz -; }", 1,
       [](GParam& p) { p._brep_optimiz = "12", p._general_optimiz = "-"; }},
      {"CameraInUse cam_1; }", 1, [](GParam& p) { p.CameraInUse = "cam_1"; }},
      {"CameraInUse 12; }", 1, [](GParam& p) { p.CameraInUse = "12"; }},
      {"CameraInUse -; }", 1, [](GParam& p) { p.CameraInUse = "-"; }},
      // Failures; the keys before the bad token are stored.
      {"bogus 1; }", 0, [](GParam&) {}},
      {"Dimx 1; }", 0, [](GParam&) {}},
      {"12; }", 0, [](GParam&) {}},
      {"render 12; }", 0, [](GParam&) {}},
      {"shade -; }", 0, [](GParam&) {}},
      {"dimx abc; }", 0, [](GParam&) {}},
      {"toll (1,2,3); }", 0, [](GParam&) {}},
      {"mode 2 }", 0, [](GParam& p) { p.mode = 2; }},
      {"dimy 5; dimx 1e12; }", 0, [](GParam& p) { p.dimy = 5; }},
      {"dimx -3e9; }", 0, [](GParam&) {}},
      {"toll 1e999; }", 0, [](GParam&) {}},
      {"ambientcolor (1,1); }", 0, [](GParam&) {}},
      {"backcolor 1; }", 0, [](GParam&) {}},
      {"dimx 10;", 0, [](GParam& p) { p.dimx = 10; }},
      {"", 0, [](GParam&) {}},
  };
  for (const Row& r : rows) {
    GParam p;
    EXPECT_EQ(ReadBody(r.text, p), r.ok) << r.text;
    GParam expected;
    r.expect(expected);
    EXPECT_TRUE(p == expected) << r.text << "\nread:\n" << Written(p);
  }
}

TEST(GParam, ReadingStopsAfterTheClosingBrace) {
  GParam p;
  std::string rest;
  EXPECT_EQ(ReadBody("mode 1; } next", p, &rest), 1);
  EXPECT_EQ(rest, "next");
}

TEST(GParam, DefaultSection) {
  EXPECT_EQ(Written(GParam()),
            "{ param\n\n  render raytracing;\n  toll 0.001;\n  infltoll 0.05;\n  mode 0;\n"
            "  shade phong;\n  anti_alias 0;\n  anti_al_toll 0.05;\n  dimx 100;\n  dimy 100;\n"
            "  ambientcolor (1,1,1);\n  backcolor (0,0,0);\n  ambient_ni 1;\n  buildhier 1;\n"
            "  modifydef 1;\n  depthmax 64;\n  depthmin 48;\n  depthback 64;\n  _csg_convert 0;\n"
            "  _general_hsort 1;\n}\n\n");
  EXPECT_TRUE(ReadBack(Written(GParam())) == GParam());
}

// The written section from (key, value) lines in the writer's order; a key
// without a value is left out.
std::string Section(const std::map<std::string, std::string>& values) {
  static const char* const kOrder[] = {
      "render", "toll", "infltoll", "mode", "shade", "anti_alias", "anti_al_toll", "dimx", "dimy",
      "ambientcolor", "backcolor", "ambient_ni", "buildhier", "modifydef", "depthmax", "depthmin",
      "depthback", "jitterfreq", "jitterrange", "motionblur", "motionblurq", "mpeg", "AngleFreq",
      "UseDistribuiteTS", "UseAA", "AAsb", "AAsf", "AAzb", "AAzf", "UseDF", "DFSmax", "DFf1",
      "DFf2", "DFb1", "DFb2", "_csg_convert", "_brep_optimiz", "_brep_grid_dim", "_brep_hsort",
      "_general_optimiz", "_general_grid_dim", "_general_hsort", "_general_costr", "CameraInUse"};
  std::string text = "{ param\n";
  const char* separator = "\n  ";
  for (const char* key : kOrder) {
    const auto it = values.find(key);
    if (it == values.end() || it->second.empty()) continue;
    text += separator + std::string(key) + " " + it->second;
    separator = ";\n  ";
  }
  return text + ";\n}\n\n";
}

const std::map<std::string, std::string> kDefaultLines = {
    {"render", "raytracing"}, {"toll", "0.001"},       {"infltoll", "0.05"},
    {"mode", "0"},            {"shade", "phong"},      {"anti_alias", "0"},
    {"anti_al_toll", "0.05"}, {"dimx", "100"},         {"dimy", "100"},
    {"ambientcolor", "(1,1,1)"}, {"backcolor", "(0,0,0)"}, {"ambient_ni", "1"},
    {"buildhier", "1"},       {"modifydef", "1"},      {"depthmax", "64"},
    {"depthmin", "48"},       {"depthback", "64"},     {"_csg_convert", "0"},
    {"_general_hsort", "1"}};

TEST(GParam, EachEntryAppearsAtItsPlaceAndReadsBack) {
  struct Row {
    std::function<void(GParam&)> set;
    std::map<std::string, std::string> lines;  // changed lines; "" removes one
    bool readsBackEqual = true;
  } rows[] = {
      {[](GParam& p) { p.render = "preview"; }, {{"render", "preview"}}},
      {[](GParam& p) { p.toll = 0.25; }, {{"toll", "0.25"}}},
      {[](GParam& p) { p.infltoll = 0.5; }, {{"infltoll", "0.5"}}},
      // 0 is written too, so a save never turns it back into the default.
      {[](GParam& p) { p.infltoll = 0; }, {{"infltoll", "0"}}},
      {[](GParam& p) { p.mode = 5; }, {{"mode", "5"}}},
      {[](GParam& p) { p.shade = "noshadowphong"; }, {{"shade", "noshadowphong"}}},
      {[](GParam& p) { p.anti_alias = -1; }, {{"anti_alias", "-1"}}},
      {[](GParam& p) { p.anti_al_toll = 0.125; }, {{"anti_al_toll", "0.125"}}},
      {[](GParam& p) { p.dimx = 640, p.dimy = 480; }, {{"dimx", "640"}, {"dimy", "480"}}},
      {[](GParam& p) { p.ambientcolor = {0.5, 0.25, 0}; }, {{"ambientcolor", "(0.5,0.25,0)"}}},
      {[](GParam& p) { p.backcolor = {0, 0, 1}; }, {{"backcolor", "(0,0,1)"}}},
      {[](GParam& p) { p.ambient_ni = 1.33; }, {{"ambient_ni", "1.33"}}},
      {[](GParam& p) { p.buildhier = 3; }, {{"buildhier", "3"}}},
      {[](GParam& p) { p.modifydef = 0; }, {{"modifydef", "0"}}},
      {[](GParam& p) { p.depthmax = 255, p.depthmin = 1, p.depthback = 0; },
       {{"depthmax", "255"}, {"depthmin", "1"}, {"depthback", "0"}}},
      {[](GParam& p) { p.jitterfreq = 4; }, {{"jitterfreq", "4"}}},
      {[](GParam& p) { p.jitterrange = 0.25; }, {{"jitterrange", "0.25"}}},
      {[](GParam& p) { p.jitterfreq = 2, p.jitterrange = 0.5; },
       {{"jitterfreq", "2"}, {"jitterrange", "0.5"}}},
      {[](GParam& p) { p.motionblur = 1; }, {{"motionblur", "1"}}},
      {[](GParam& p) { p.motionblurq = 0.75; }, {{"motionblurq", "0.75"}}},
      {[](GParam& p) { p.mpeg = 1; }, {{"mpeg", "1"}}},
      {[](GParam& p) { p.AngleFreq = 10; }, {{"AngleFreq", "10"}}},
      {[](GParam& p) { p.UseDistribuiteTS = 1; }, {{"UseDistribuiteTS", "1"}}},
      {[](GParam& p) { p.UseAA = 1; }, {{"UseAA", "1"}}},
      {[](GParam& p) { p.AAsb = 0.1; }, {{"AAsb", "0.1"}}},
      {[](GParam& p) { p.AAsf = 0.9; }, {{"AAsf", "0.9"}}},
      {[](GParam& p) { p.AAzb = 5; }, {{"AAzb", "5"}}},
      {[](GParam& p) { p.AAzf = 500; }, {{"AAzf", "500"}}},
      {[](GParam& p) { p.UseDF = 1; }, {{"UseDF", "1"}}},
      {[](GParam& p) { p.DFSmax = 0.01; }, {{"DFSmax", "0.01"}}},
      {[](GParam& p) { p.DFf1 = 1; }, {{"DFf1", "1"}}},
      {[](GParam& p) { p.DFf2 = 20; }, {{"DFf2", "20"}}},
      {[](GParam& p) { p.DFb1 = 50; }, {{"DFb1", "50"}}},
      {[](GParam& p) { p.DFb2 = 2000; }, {{"DFb2", "2000"}}},
      {[](GParam& p) { p._csg_convert = 1; }, {{"_csg_convert", "1"}}},
      {[](GParam& p) { p._brep_optimiz = "hier"; },
       {{"_brep_optimiz", "hier"}, {"_brep_grid_dim", "30"}}},
      {[](GParam& p) { p._brep_optimiz = "median", p._brep_grid_dim = 12; },
       {{"_brep_optimiz", "median"}, {"_brep_grid_dim", "12"}}},
      // A grid size goes only with its optimiz string.
      {[](GParam& p) { p._brep_grid_dim = 12; }, {}, false},
      {[](GParam& p) { p._brep_hsort = 1; }, {{"_brep_hsort", "1"}}},
      {[](GParam& p) { p._general_optimiz = "fasthier", p._general_grid_dim = 8; },
       {{"_general_optimiz", "fasthier"}, {"_general_grid_dim", "8"}}},
      {[](GParam& p) { p._general_grid_dim = 8; }, {}, false},
      {[](GParam& p) { p._general_hsort = 2; }, {{"_general_hsort", "2"}}},
      {[](GParam& p) { p._general_hsort = 0; }, {{"_general_hsort", "0"}}},
      {[](GParam& p) { p._general_costr = 2.5; }, {{"_general_costr", "2.5"}}},
      {[](GParam& p) { p.CameraInUse = "cam_1"; }, {{"CameraInUse", "cam_1"}}},
      {[](GParam& p) { p.CameraInUse = "-"; }, {{"CameraInUse", "-"}}},
      {[](GParam& p) { p.CameraInUse = "12"; }, {{"CameraInUse", "12"}}},
  };
  for (const Row& r : rows) {
    GParam p;
    r.set(p);
    std::map<std::string, std::string> lines = kDefaultLines;
    for (const auto& [key, value] : r.lines) lines[key] = value;
    const std::string text = Written(p);
    EXPECT_EQ(text, Section(lines));
    EXPECT_EQ(ReadBack(text) == p, r.readsBackEqual) << text;
  }
}

TEST(GParam, EverythingAtOnceReadsBack) {
  GParam p;
  p.render = "depth";
  p.toll = 1e-5;
  p.dimx = 1920;
  p.ambientcolor = {0.1, 0.2, 0.3};
  p.jitterrange = 0.05;
  p.motionblurq = 0.3;
  p.UseDF = 1;
  p.DFSmax = 0.2;
  p.AAzf = 25;
  p._brep_optimiz = "fasthier";
  p._brep_grid_dim = 7;
  p._general_optimiz = "median";
  p._general_grid_dim = 9;
  p._general_costr = 0.9;
  p.CameraInUse = "camera_2";
  EXPECT_TRUE(ReadBack(Written(p)) == p) << Written(p);
}

}  // namespace
