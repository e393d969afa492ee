#pragma once

// What the comparisons of the hierarchy builders with the plain scans share
// (the face hierarchies of the geometry and the global hierarchy of the
// render): the ways of building, what one build leaves (the saved hierarchy
// text, the progress texts and the "hierbl2.log" the grid builds write) and a
// fixture that runs every way with both and compares what they leave, in a
// temporary working directory.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/geo_interface.h"

namespace zavo::test {

// A progress interface that keeps every status text and message.
class ProgressTexts : public GeoInterface {
public:
  std::vector<std::string> texts;
  void Status(const char* text) override { texts.emplace_back(text); }
  void Message(const char* text) override { texts.emplace_back(text); }
  std::int32_t UserBreak() override { return 0; }
};

// The builder that pairs boxes level by level, the grid builder from its
// seeds, or the grid builder's median split.
enum class BuildKind { kPairing, kGrid, kMedian };

// One way of building: the builder, its factor, its mode (the seed order of
// the global builders) and its grid dimension.
struct BuildMethod {
  const char* name;
  BuildKind kind;
  double factor;
  int mode;
  int dimension;
};

// What a build leaves.
struct BuildOutcome {
  std::string file;
  std::vector<std::string> texts;
  std::string log;
};

// Runs build(texts), which answers the saved hierarchy's text, with a fresh
// log; the log as the build left it.
template <class Build>
BuildOutcome RunBuild(Build build) {
  std::remove("hierbl2.log");
  ProgressTexts texts;
  BuildOutcome out;
  out.file = build(texts);
  out.texts = std::move(texts.texts);
  std::ifstream in("hierbl2.log", std::ios::binary);
  out.log = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return out;
}

class SameAsTheScansTest : public ::testing::Test {
protected:
  // Every method built with fast(method) and plain(method), each answering
  // a BuildOutcome: the same file, texts and log.
  template <class Methods, class Fast, class Plain>
  static void CompareEachMethod(const Methods& methods, Fast fast, Plain plain, const std::string& what) {
    for (const BuildMethod& m : methods) {
      const BuildOutcome a = fast(m);
      const BuildOutcome b = plain(m);
      ASSERT_EQ(a.file, b.file) << what << ", " << m.name;
      ASSERT_EQ(a.texts, b.texts) << what << ", " << m.name;
      ASSERT_EQ(a.log, b.log) << what << ", " << m.name;
    }
  }

  TempDir dir;
  ScopedCwd cwd{dir.path()};  // the grid builds write their log
};

}  // namespace zavo::test
