// zavo-render on scenes with blobs, fields and abstract VRML nodes: their
// side files are found beside the scene, and bad or missing ones are load
// errors with the scene's file and line.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "common/temp_dir.h"

namespace {

using zavo::test::TempDir;
using zavo::test::WriteFile;

struct Result {
  int exitCode;
  std::string err;
};

// Runs zavo-render in the directory on the scene; captures stderr.
Result Render(const std::string& dir, const std::string& scene) {
  const std::string cmd = "cd '" + dir + "' && '" + ZAVO_RENDER_EXE + "' '" + scene + "' 2>&1 1>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  EXPECT_NE(p, nullptr);
  std::string out;
  std::array<char, 512> buf;
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  const int status = pclose(p);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

const char kBlobObjects[] =
    "{ material name green; model { phong } }\n"
    "{ object\n\tname b;\n\tmaterial green;\n\tmodel { blob\n\t\tname drop;\n\t}\n}\n";

std::string LastLine(const std::string& text) {
  const std::size_t end = text.size() > 0 && text.back() == '\n' ? text.size() - 1 : text.size();
  const std::size_t start = text.rfind('\n', end == 0 ? 0 : end - 1);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

TEST(ProceduralModelsCli, SideFilesOfBlobsAreLoadErrors) {
  TempDir dir;
  std::string scene = kBlobObjects;
  scene += ".\n";
  WriteFile(dir / "drop.qz", scene);
  Result r = Render(dir.path().string(), "drop.qz");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(LastLine(r.err), "drop.qz:6: file \"drop.blb\" not found in model path");

  WriteFile(dir / "drop.blb", "threshold = 0.5\nsphere = 0 0 0 1 1\n");
  r = Render(dir.path().string(), "drop.qz");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(LastLine(r.err), "drop.qz:7: Error in blob model drop.blb");
}

TEST(ProceduralModelsCli, ABlobAFieldAndANodeLoad) {
  TempDir dir;
  WriteFile(dir / "drop.blb", "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1 1\n");
  std::string scene = kBlobObjects;
  scene += "{ object name v; model { AbstractVRMLNode center ( 0.7 , 0.7 , 0 ); radius 0.2; } }\n";
  scene += "{ object name f; model { field\n";
  scene += "  { object name o; model { sphere center ( -0.7 , -0.7 , 0 ); radius 0.2; } }\n";
  scene += "  decoration { object name d; model { polyline p ( 0 , 0 , 0 ); p ( 1 , 0 , 0 ); } }\n";
  scene += "  mat { rx \"1\n\"; }\n} }\n.\n";
  WriteFile(dir / "three.qz", scene);
  const Result r = Render(dir.path().string(), "three.qz");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(LastLine(r.err), "zavo-render: three.qz: the scene is loaded; rendering is not available yet");
}

}  // namespace
