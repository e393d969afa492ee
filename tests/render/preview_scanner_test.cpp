// The drawing rules of the preview's line scanner, on triangles given in
// device coordinates.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/preview_data.h"
#include "render/preview_scanner.h"

namespace {

struct DeviceTriangle {
  Point3D p, q, r;
};

// One record per letter: 'a' red, 'b' green, 'c' blue; every face faces the
// viewer, so a drawn pixel shows its record's colour unchanged.
struct RecordSpec {
  char letter;
  std::vector<DeviceTriangle> triangles;
};

Point3D LetterColour(char letter) {
  switch (letter) {
    case 'a': return {1, 0, 0};
    case 'b': return {0, 1, 0};
    default: return {0, 0, 1};
  }
}

char ColourLetter(const Point3D& c) {
  if (c == Point3D{0, 0, 0}) return '.';
  for (char letter : {'a', 'b', 'c'}) {
    if (c == LetterColour(letter)) return letter;
  }
  return '?';
}

// A record of the given device triangles with the given face normal.
std::unique_ptr<CG_GraphicObjectZBData> MakeRecord(const std::vector<DeviceTriangle>& triangles,
                                                   const Point3D& colour,
                                                   const Point3D& normal = {0, 0, 1}) {
  auto record = std::make_unique<CG_GraphicObjectZBData>(nullptr, 0);
  record->colour = colour;
  for (const DeviceTriangle& t : triangles) {
    CG_GraphicObjectZBFace face;
    for (int j = 0; j < 3; ++j) {
      const Point3D& point = j == 0 ? t.p : j == 1 ? t.q : t.r;
      face.index[j] = static_cast<int>(record->points.size());
      record->points.push_back(point);
      if (face.index[j] == 0 || point.y < record->ymin) record->ymin = point.y;
      if (face.index[j] == 0 || point.y > record->ymax) record->ymax = point.y;
      if (j == 0 || point.y < face.ymin) face.ymin = point.y;
      if (j == 0 || point.y > face.ymax) face.ymax = point.y;
    }
    face.normal = normal;
    record->faces.push_back(face);
  }
  return record;
}

// The image as one text line per image line, a letter per pixel.
std::vector<std::string> Scan(const zavo::PreviewRecords& records, int width, int height,
                              const Point3D& vpn = {0, 0, 1}) {
  zavo::PreviewScanner scanner(records, width, height, vpn);
  std::vector<std::string> image;
  for (int y = 0; y < height; ++y) {
    scanner.ScanLine(y);
    std::string line;
    for (const Point3D& c : scanner.Colours()) line += ColourLetter(c);
    image.push_back(line);
  }
  return image;
}

// The square [-1, 1] x [-1, 1] at depth z, split along its rising diagonal.
std::vector<DeviceTriangle> Square(double z) {
  return {{{-1, -1, z}, {1, -1, z}, {1, 1, z}}, {{-1, -1, z}, {1, 1, z}, {-1, 1, z}}};
}

TEST(PreviewScanner, DrawingRules) {
  // Lines of a 5 x 4 image lie at device heights 1, 0.5, 0 and -0.5 (1 - 2y/H,
  // never reaching -1); samples step by 2/(W - 1) = 0.5 from each span's left end.
  struct Case {
    const char* what;
    int width, height;
    std::vector<RecordSpec> records;
    std::vector<std::string> image;
  } cases[] = {
      {"a square of two triangles; of equal depths the first scanned wins", 5, 4,
       {{'a', {Square(0.5)[0]}}, {'b', {Square(0.5)[1]}}},
       {"bbbbb", "bbbaa", "bbaaa", "baaaa"}},
      {"a triangle whose vertices have the same y is never drawn", 5, 4,
       {{'a', {{{-1, 0, 0.5}, {1, 0, 0.5}, {0, 0, 0.5}}}}},
       {".....", ".....", ".....", "....."}},
      {"depth 0 or less is never drawn", 5, 4,
       {{'a', Square(0)},
        {'b', {{{-1, -1, -1}, {1, -1, 1}, {1, 1, 1}}, {{-1, -1, -1}, {1, 1, 1}, {-1, 1, -1}}}}},
       {"...bb", "...bb", "...bb", "...bb"}},
      {"the nearer sample wins, whatever the order", 5, 4,
       {{'a', Square(0.7)}, {'b', Square(0.2)}, {'c', Square(0.9)}},
       {"bbbbb", "bbbbb", "bbbbb", "bbbbb"}},
      {"spans are clipped to the device window", 5, 4,
       {{'a', {{{-3, -1, 0.5}, {3, -1, 0.5}, {0, 3, 0.5}}}}},
       {"aaaaa", "aaaaa", "aaaaa", "aaaaa"}},
      {"samples start at the span's left end, not at pixel centres", 5, 4,
       {{'a', {{{-0.9, -1, 0.5}, {0.2, -1, 0.5}, {0.2, 1, 0.5}},
               {{-0.9, -1, 0.5}, {0.2, 1, 0.5}, {-0.9, 1, 0.5}}}}},
       {"aaa..", "aa...", "aaa..", "aa..."}},
      {"the lines stop above the bottom of the window", 5, 4,
       {{'a', {{{-1, -1, 0.5}, {1, -1, 0.5}, {0, -0.6, 0.5}}}}},
       {".....", ".....", ".....", "....."}},
      {"a face reached on a later line still goes before later records", 5, 4,
       {{'a', {{{-1, -1, 0.5}, {1, -1, 0.5}, {1, 0.2, 0.5}}, {{-1, -1, 0.5}, {1, 0.2, 0.5}, {-1, 0.2, 0.5}}}},
        {'b', Square(0.5)}},
       {"bbbbb", "bbbbb", "aaaab", "aaaab"}},
      {"a span clipped at the left edge takes every column", 200, 1,
       {{'a', {{{-3, -1, 0.5}, {3, -1, 0.5}, {0, 3, 0.5}}}}},
       {std::string(200, 'a')}},
      {"one column samples the device centre", 1, 2, {{'a', Square(0.5)}}, {"a", "a"}},
      {"one column: a span beside the centre draws nothing", 1, 2,
       {{'a', {{{0.2, -1, 0.5}, {0.8, -1, 0.5}, {0.8, 1, 0.5}}, {{0.2, -1, 0.5}, {0.8, 1, 0.5}, {0.2, 1, 0.5}}}}},
       {".", "."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    zavo::PreviewRecords records;
    for (const RecordSpec& spec : c.records) records.push_back(MakeRecord(spec.triangles, LetterColour(spec.letter)));
    EXPECT_EQ(Scan(records, c.width, c.height), c.image);
  }
}

TEST(PreviewScanner, FlatShadingByTheViewDirection) {
  // |0.6 k c| + 0.4 c per channel, k the product of the unit vpn and the normal.
  const Point3D colour{0.5, 1, 0};
  struct Case {
    const char* what;
    Point3D normal;
    Point3D vpn;
    double factor;
  } cases[] = {
      {"facing the viewer", {0, 0, 1}, {0, 0, 1}, 1},
      {"the back side looks like the front", {0, 0, -1}, {0, 0, 1}, 1},
      {"perpendicular to the view", {1, 0, 0}, {0, 0, 1}, 0.4},
      {"at an angle, vpn not of unit length", {0.6, 0, 0.8}, {0, 0, 2}, 0.88},
      {"a degenerate face has a zero normal", {0, 0, 0}, {0, 0, 1}, 0.4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    zavo::PreviewRecords records;
    records.push_back(MakeRecord({{{-1, -1, 0.5}, {1, -1, 0.5}, {0, 3, 0.5}}}, colour, c.normal));
    zavo::PreviewScanner scanner(records, 1, 1, c.vpn);
    scanner.ScanLine(0);
    const Point3D got = scanner.Colours().at(0);
    EXPECT_DOUBLE_EQ(got.x, 0.5 * c.factor);
    EXPECT_DOUBLE_EQ(got.y, 1 * c.factor);
    EXPECT_DOUBLE_EQ(got.z, 0);
  }
}

TEST(PreviewScanner, DepthLineStartsFarAtEveryLine) {
  zavo::PreviewRecords records;
  records.push_back(MakeRecord({{{-1, 0.4, 0.25}, {1, 0.4, 0.25}, {0, 1.6, 0.25}}}, {1, 0, 0}));
  zavo::PreviewScanner scanner(records, 3, 2, {0, 0, 1});
  scanner.ScanLine(0);  // the span -0.5 .. 0.5, sampled at -0.5 and 0.5
  EXPECT_EQ(scanner.Depths(), (std::vector<double>{0.25, 0.25, 1e20}));
  scanner.ScanLine(1);
  EXPECT_EQ(scanner.Depths(), (std::vector<double>{1e20, 1e20, 1e20}));
  EXPECT_EQ(scanner.Colours(), (std::vector<Point3D>{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
}

}  // namespace
