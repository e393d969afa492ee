// Scenes written, read and written again give the same text: keys written
// only when they differ from a default decide on the value as written, and
// what the object header read (IDname, toll) is written back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/real_text.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

using zavo::test::ScopedCwd;
using zavo::test::TempDir;

CG_ModelRegistry& Registry() {
  static CG_ModelRegistry registry;
  static const bool filled = [] {
    BuildRegistry(registry);
    zavo::AddDocumentModelModules(registry);
    return true;
  }();
  (void)filled;
  return registry;
}

// The scene's text after reading the text; "" when it does not read.
std::string Rewritten(const std::string& text, std::string* error = nullptr) {
  CG_GraphicScene scene(Registry());
  std::istringstream in(text);
  if (!scene.Load(in)) {
    if (error != nullptr) {
      *error = std::string(scene.GetErrorMessage() != nullptr ? scene.GetErrorMessage() : "") + " at line " +
               std::to_string(scene.GetErrorLine());
    }
    return "";
  }
  std::ostringstream os;
  scene.Write(os);
  return os.str();
}

// Every digit of the value.
std::string Exact(double value) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << std::setprecision(std::numeric_limits<double>::max_digits10) << value;
  return os.str();
}

const char kTriangle[] = "{ pbrep vertices 3 0 0 0 1.3 0 0 0 0.7 0.2 faces 1 { 1 { 3 0 1 2 } } }";

// One key that is written only when its value is not written as its default.
struct ConditionalKey {
  const char* key;
  double def;
  std::function<std::string(const std::string& value)> scene;  // a scene text with the key at value
  const char* written;                                          // the key's line as written
  bool integer = false;                                         // read truncated to an integer
};

std::string Param(const char* key, const std::string& value) {
  return std::string("{ param ") + key + " " + value + "; }\n.\n";
}

TEST(SceneRoundTrip, WriteReadWriteIsByteIdenticalAtNearAndAwayFromEveryDefault) {
  const char* const paramReals[] = {"jitterrange", "motionblurq", "AAsb", "AAsf", "AAzb", "AAzf",
                                    "DFSmax",      "DFf1",        "DFf2", "DFb1", "DFb2", "_general_costr"};
  const double paramDefaults[] = {0.1, 0.5, 0.2, 0.8, 0, 1000, 0.05, 0, 10, 100, 1000, 1.1};
  const char* const paramInts[] = {"jitterfreq", "motionblur", "mpeg",  "AngleFreq",
                                   "UseDistribuiteTS", "UseAA", "UseDF", "_brep_hsort"};
  const double intDefaults[] = {1, 0, 0, 1000, 0, 0, 0, 0};
  std::vector<ConditionalKey> keys;
  for (std::size_t i = 0; i < std::size(paramReals); ++i) {
    const char* key = paramReals[i];
    keys.push_back({key, paramDefaults[i], [key](const std::string& v) { return Param(key, v); }, key});
  }
  for (std::size_t i = 0; i < std::size(paramInts); ++i) {
    const char* key = paramInts[i];
    keys.push_back({key, intDefaults[i], [key](const std::string& v) { return Param(key, v); }, key, true});
  }
  // Kh's default is Ks (0.5 here).
  for (const auto& [key, def] : {std::pair<const char*, double>{"Kh", 0.5}, {"angles", 0}, {"anglet", 0}}) {
    const std::string k = key;
    keys.push_back({key, def,
                    [k](const std::string& v) {
                      return "{ material name m; model { phong Ks 0.5; " + k + " " + v + "; } }\n.\n";
                    },
                    key});
  }
  keys.push_back({"interp_ang", 0.52359877559829882,
                  [](const std::string& v) {
                    return std::string("{ object name t; model { brep model ") + kTriangle +
                           " costr 0; interp 1; interp_ang " + v + "; } }\n.\n";
                  },
                  "interp_ang"});
  keys.push_back({"toll", 0.01,
                  [](const std::string& v) {
                    return "{ object name s; toll " + v + "; model { sphere center ( 0 , 0.1 , 0 ); radius 1.3; } }\n.\n";
                  },
                  "\ttoll"});

  for (const ConditionalKey& k : keys) {
    struct Value {
      const char* what;
      double value;
      bool written;  // whether the first write has the key
    };
    const double away = k.def + 3.25;
    const Value values[] = {{"at", k.def, false},
                            {"1e-7 above", k.def + 1e-7, k.def == 0},
                            {"1e-7 below", k.def - 1e-7, k.def == 0},
                            {"away", away, true}};
    for (const Value& v : values) {
      SCOPED_TRACE(std::string(k.key) + " " + v.what + " " + Exact(v.value));
      std::string error;
      const std::string first = Rewritten(k.scene(Exact(v.value)), &error);
      ASSERT_FALSE(first.empty()) << error;
      const std::string second = Rewritten(first, &error);
      ASSERT_FALSE(second.empty()) << error;
      EXPECT_EQ(second, first);
      EXPECT_EQ(Rewritten(second), first);
      // Written when it differs from the default as written; an integer key
      // is read truncated.
      const bool expectWritten = k.integer ? std::trunc(v.value) != k.def : !zavo::WrittenAlike(v.value, k.def);
      EXPECT_EQ(first.find(std::string(k.written) + " ") != std::string::npos, expectWritten) << first;
    }
  }
}

TEST(SceneRoundTrip, IDnameAndTollOfEveryObjectAreWrittenBack) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  const std::string text =
      "{ object name ball; IDname P; toll 0.035; model { sphere center ( 0.5 , 0.25 , 0 ); radius 1.3; } }\n"
      "{ object name crate; IDname Q; model { box xmin -1; xmax 0.7; ymin 0; ymax 2; zmin 0; zmax 3; } }\n"
      "{ object name tri; toll 0.2; IDname R; model { brep model " +
      std::string(kTriangle) +
      " costr 0; } }\n"
      "{ object name pack; IDname S; toll 0.003; model { group\n"
      "  { object name inner; IDname T; toll 0.5; model { sphere center ( 0 , 0.1 , 0 ); radius 0.4; } } } }\n"
      "{ object name moved; IDname U; model { transf t ( 1.5 , 0 , 0 );\n"
      "  { object name cube; toll 0.07; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } } } }\n"
      "{ object name cut; IDname V; toll 0.125; model { subtract\n"
      "  first { object name a; IDname W; model { sphere center ( 0 , 0.1 , 0 ); radius 1.3; } }\n"
      "  second { object name b; model { sphere center ( 1 , 0 , 0 ); radius 0.6; } } } }\n"
      ".\n";
  std::string error;
  const std::string first = Rewritten(text, &error);
  ASSERT_FALSE(first.empty()) << error;
  for (const char* line : {"\tIDname P;\n\ttoll 0.035;\n", "\tIDname Q;\n", "\tIDname R;\n\ttoll 0.2;\n",
                           "\tIDname S;\n\ttoll 0.003;\n", "\tIDname T;\n\ttoll 0.5;\n", "\tIDname U;\n",
                           "\tname cube;\n\ttoll 0.07;\n", "\tIDname V;\n\ttoll 0.125;\n", "\tIDname W;\n"}) {
    EXPECT_NE(first.find(line), std::string::npos) << line << "\n" << first;
  }
  // An object at the default tolerance writes none.
  EXPECT_NE(first.find("\tname crate;\n\tIDname Q;\n"), std::string::npos);
  EXPECT_EQ(first.find("\tIDname Q;\n\ttoll"), std::string::npos);
  const std::string second = Rewritten(first, &error);
  ASSERT_FALSE(second.empty()) << error;
  EXPECT_EQ(second, first);

  CG_GraphicScene scene(Registry());
  std::istringstream in(first);
  ASSERT_EQ(scene.Load(in), 1);
  EXPECT_EQ(scene.FindObject("ball")->toll, 0.035);
  EXPECT_STREQ(scene.FindObject("ball")->IDname.Text(), "P");
  EXPECT_EQ(scene.FindObject("pack")->toll, 0.003);
  EXPECT_EQ(scene.FindObject("cut")->toll, 0.125);
}

}  // namespace
