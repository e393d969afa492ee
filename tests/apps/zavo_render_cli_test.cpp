#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct RunResult {
  int exit_code;
  std::string out;  // stdout and stderr as chosen by the caller
};

// Runs zavo-render with the given arguments (already quoted for the shell) and
// captures the chosen stream.
RunResult RunRender(const std::string& args, bool capture_stderr) {
  std::string cmd = std::string("'") + ZAVO_RENDER_EXE + "' " + args;
  cmd += capture_stderr ? " 2>&1 1>/dev/null" : " 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  EXPECT_NE(p, nullptr);
  std::string out;
  std::array<char, 512> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  int status = pclose(p);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string FirstLine(const std::string& s) { return s.substr(0, s.find('\n')); }

TEST(ZavoRenderCli, ExitCodesAndFirstLines) {
  struct Case {
    const char* args;
    bool stderr_stream;
    int exit_code;
    const char* first_line;
  } cases[] = {
      {"--help", false, 0, "usage: zavo-render [options] SCENE.qz"},
      {"--version", false, 0, "zavo-render " ZAVO_VERSION},
      {"", true, 2, "zavo-render: no scene given"},
      {"a.qz b.qz", true, 2, "zavo-render: only one scene can be rendered at a time"},
      {"--frobnicate a.qz", true, 2, "zavo-render: unknown option --frobnicate"},
      {"a.qz -o", true, 2, "zavo-render: -o needs a name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    RunResult r = RunRender(c.args, c.stderr_stream);
    EXPECT_EQ(r.exit_code, c.exit_code);
    EXPECT_EQ(FirstLine(r.out), c.first_line);
  }
}

TEST(ZavoRenderCli, UsageErrorsPrintTheUsage) {
  RunResult r = RunRender("", true);
  EXPECT_NE(r.out.find("usage: zavo-render [options] SCENE.qz"), std::string::npos);
}

}  // namespace
