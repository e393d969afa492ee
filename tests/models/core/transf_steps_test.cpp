#include "models/core/transf_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "scene/cg_scanner.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;

struct Step {
  std::int32_t kind;
  double v0, v1, v2;
};

// A list owned by the caller, filled with the steps.
std::unique_ptr<List<t_Data>> MakeSteps(const std::vector<Step>& records) {
  auto steps = std::make_unique<List<t_Data>>();
  for (const Step& s : records) steps->Append(new t_Data(s.kind, s.v0, s.v1, s.v2));
  return steps;
}

void ExpectNear(const Point3D& actual, const Point3D& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(TransformSteps, ComposeInListOrderIntoAForwardMatrixAndItsInverse) {
  using namespace zavo;
  struct Case {
    const char* what;
    std::vector<Step> steps;
    Point3D from;
    Point3D to;
  };
  const std::vector<Case> cases = {
      {"no steps", {}, {1, 2, 3}, {1, 2, 3}},
      {"translate, then scale", {{kStepTranslate, 1, 0, 0}, {kStepScale, 2, 2, 2}}, {}, {2, 0, 0}},
      {"scale, then translate", {{kStepScale, 2, 2, 2}, {kStepTranslate, 1, 0, 0}}, {}, {1, 0, 0}},
      {"rotate about z", {{kStepRotate, 0, 0, kHalfPi}}, {1, 0, 0}, {0, 1, 0}},
      {"x turns before z", {{kStepRotate, kHalfPi, 0, kHalfPi}}, {0, 0, 1}, {1, 0, 0}},
      {"rotate about y", {{kStepRotate, 0, kHalfPi, 0}}, {1, 0, 0}, {0, 0, -1}},
      {"shear ignores its third value", {{kStepShear, 1, 0, 5}}, {0, 0, 1}, {1, 0, 1}},
      {"shear of y", {{kStepShear, 0, 2, 5}}, {0, 0, 1}, {0, 2, 1}},
      {"rows without r3 change nothing", {{kStepRow1, 0, 1, 0}, {kStepRow2, 1, 0, 0}}, {1, 2, 3}, {1, 2, 3}},
      {"r3 applies the rows", {{kStepRow1, 0, 1, 0}, {kStepRow2, 1, 0, 0}, {kStepRow3, 0, 0, 2}}, {1, 2, 3},
       {2, 1, 6}},
      // The rows stay across the list: a second r3 reuses rows 0 and 1.
      {"a second r3 reuses the rows",
       {{kStepRow1, 0, 1, 0}, {kStepRow2, 1, 0, 0}, {kStepRow3, 0, 0, 2}, {kStepRow3, 0, 0, 1}},
       {1, 2, 3},
       {1, 2, 6}},
      {"new rows between two r3",
       {{kStepRow1, 0, 1, 0},
        {kStepRow2, 1, 0, 0},
        {kStepRow3, 0, 0, 1},
        {kStepRow1, 1, 0, 0},
        {kStepRow2, 0, 1, 0},
        {kStepRow3, 0, 0, 3}},
       {1, 2, 3},
       {2, 1, 9}},
      {"unknown kinds are ignored", {{9, 5, 5, 5}, {-1, 5, 5, 5}, {kStepTranslate, 0, 0, 1}}, {}, {0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto steps = MakeSteps(c.steps);
    Transformation forward;
    Transformation inverse;
    ComposeSteps(*steps, forward, inverse);
    ExpectNear(TransformPoint(forward, c.from), c.to);
    ExpectNear(TransformPoint(inverse, c.to), c.from);
    Transformation product;
    ComposeTransformations(product, forward, inverse);
    for (std::uint32_t i = 0; i < 4; ++i) {
      for (std::uint32_t j = 0; j < 4; ++j) EXPECT_NEAR(product(i, j), i == j ? 1.0 : 0.0, 1e-12);
    }
  }
}

TEST(TransformSteps, LampListsComposeTheirFirstFourKindsOnly) {
  const auto steps = MakeSteps({{zavo::kStepRow1, 0, 1, 0},
                                        {zavo::kStepRow2, 1, 0, 0},
                                        {zavo::kStepRow3, 0, 0, 1},
                                        {zavo::kStepTranslate, 1, 0, 0}});
  Transformation forward;
  Transformation inverse;
  ComposeSteps(*steps, forward, inverse, zavo::kLastLampStepKind);
  ExpectNear(TransformPoint(forward, {1, 2, 3}), {2, 2, 3});
  ComposeSteps(*steps, forward, inverse);
  ExpectNear(TransformPoint(forward, {1, 2, 3}), {3, 1, 3});
}

TEST(TransformSteps, ASingularListThrowsAndLeavesTheMatricesAlone) {
  const auto steps = MakeSteps({{zavo::kStepTranslate, 1, 2, 3}, {zavo::kStepScale, 0, 1, 1}});
  Transformation forward;
  Transformation inverse;
  ScaleTransformation(forward, 2, 2, 2);
  ScaleTransformation(inverse, 3, 3, 3);
  EXPECT_THROW(ComposeSteps(*steps, forward, inverse), xMatrix);
  EXPECT_EQ(forward(0, 0), 2.0);
  EXPECT_EQ(inverse(0, 0), 3.0);
}

TEST(TransformSteps, KeywordsAndKinds) {
  const std::vector<std::string> keywords = {"t", "r", "s", "sh", "r1", "r2", "r3"};
  for (std::int32_t kind = 0; kind < 7; ++kind) {
    EXPECT_EQ(zavo::StepKeyword(kind), keywords[static_cast<std::size_t>(kind)]);
    EXPECT_EQ(zavo::StepKindOf(keywords[static_cast<std::size_t>(kind)].c_str(), zavo::kLastObjectStepKind),
              kind);
  }
  EXPECT_EQ(zavo::StepKeyword(7), nullptr);
  EXPECT_EQ(zavo::StepKindOf("r1", zavo::kLastLampStepKind), -1);
  EXPECT_EQ(zavo::StepKindOf("sh", zavo::kLastLampStepKind), zavo::kStepShear);
  EXPECT_EQ(zavo::StepKindOf("T", zavo::kLastObjectStepKind), -1);
  EXPECT_EQ(zavo::StepKindOf("1", zavo::kLastObjectStepKind), -1);
}

// Reads steps from a text with a scene's reader conventions.
class StepReader {
public:
  explicit StepReader(const std::string& text) : in_(text), scanner_(in_), scene_(registry_) { scanner_.Next(); }

  // Reads one step standing on its keyword: ReadStep's answer.
  int Read() {
    const std::int32_t kind = zavo::StepKindOf(scanner_.Text(), zavo::kLastObjectStepKind);
    EXPECT_GE(kind, 0) << scanner_.Text();
    return ReadStep(scene_, scanner_, kind, steps);
  }
  std::string Token() const { return scanner_.Text(); }
  int Code() const { return scene_.GetErrorCode(); }
  std::string Message() const {
    const char* m = scene_.GetErrorMessage();
    return m != nullptr ? m : "";
  }

  List<t_Data> steps;

private:
  std::istringstream in_;
  CGScanner scanner_;
  CG_ModelRegistry registry_;
  CG_GraphicScene scene_;
};

TEST(TransformSteps, EveryKindIsWrittenAndReadBack) {
  const auto steps = MakeSteps({{zavo::kStepTranslate, 1, -2.5, 1e-7},
                                        {zavo::kStepRotate, 0, 1.0 / 3.0, 3.14159265},
                                        {zavo::kStepScale, 2, 2, 2},
                                        {zavo::kStepShear, 1, 0, 5},
                                        {zavo::kStepRow1, 1, 0, 0},
                                        {zavo::kStepRow2, 0, 1, 0},
                                        {zavo::kStepRow3, 0, 0, 1234567}});
  // A stream whose locale writes "1.234,5" style numbers.
  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
  };
  std::ostringstream os;
  os.imbue(std::locale(std::locale::classic(), new Comma()));
  WriteSteps(os, *steps);
  const std::string text = os.str();
  EXPECT_EQ(text,
            "\t\tt ( 1 , -2.5 , 1e-07 );\n"
            "\t\tr ( 0 , 0.333333 , 3.14159 );\n"
            "\t\ts ( 2 , 2 , 2 );\n"
            "\t\tsh ( 1 , 0 , 5 );\n"
            "\t\tr1 ( 1 , 0 , 0 );\n"
            "\t\tr2 ( 0 , 1 , 0 );\n"
            "\t\tr3 ( 0 , 0 , 1.23457e+06 );\n");

  StepReader reader(text);
  for (int i = 0; i < 7; ++i) ASSERT_EQ(reader.Read(), 1);
  EXPECT_EQ(reader.Code(), 0);
  const t_Data* read = reader.steps.First();
  for (const t_Data& step : *steps) {
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->kind, step.kind);
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(read->v[j], step.v[j], 1e-5 * (1 + std::abs(step.v[j])));  // six digits
    read = List<t_Data>::Next(read);
  }
  EXPECT_EQ(read, nullptr);
}

TEST(TransformSteps, TheEndOfAStep) {
  struct Case {
    const char* text;
    int answer;
    const char* next;  // the token after the step
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"t ( 1 , 2 , 3 ); x", 1, "x", 0, ""},
      // A translation skips whatever token follows its point.
      {"t ( 1 , 2 , 3 ) x y", 1, "y", 0, ""},
      {"r ( 1 , 2 , 3 ) x", 0, "x", 2, "Caracter ';' not found"},
      {"s ( 1 , 2 , 3 ) x", 0, "x", 2, "Caracter ';' not found"},
      {"sh ( 1 , 2 , 3 ) x", 0, "x", 2, "Caracter ';' not found"},
      {"r1 ( 1 , 2 , 3 ) x", 0, "x", 2, "Caracter ';' not found"},
      {"r2 ( 1 , 2 , 3 ) x", 0, "x", 2, "Caracter ';' not found"},
      {"r3 ( 1 , 2 , 3 ) x", 0, "x", 2, "Caracter ';' not found"},
      // A point that does not read is recorded; reading goes on.
      {"s ; x", 1, "x", 5, "Wrong point definition"},
      {"t ( 1 , 2 ; x", 1, "x", 5, "Wrong point definition"},
      {"r ( 1 , 2 ) ; x", 0, ")", 2, "Caracter ';' not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StepReader reader(c.text);
    EXPECT_EQ(reader.Read(), c.answer);
    EXPECT_EQ(reader.Token(), c.next);
    EXPECT_EQ(reader.Code(), c.code);
    EXPECT_EQ(reader.Message(), c.message);
    EXPECT_EQ(reader.steps.First() != nullptr, c.answer == 1);
  }
}

}  // namespace
