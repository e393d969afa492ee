#include "apps/render_run.h"

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zavo::test {

Outcome RunIn(const std::filesystem::path& dir, std::vector<std::string> args, const std::string& interruptAfter) {
  return RunProgramIn(ZAVO_RENDER_EXE, dir, std::move(args), interruptAfter);
}

Outcome RunProgramIn(const std::string& exe, const std::filesystem::path& dir, std::vector<std::string> args,
                     const std::string& interruptAfter, const std::string& path) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    dup2(pipeFds[1], 2);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(pipeFds[0]);
    close(pipeFds[1]);
    if (!path.empty()) setenv("PATH", path.c_str(), 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(exe.c_str()));
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  Outcome run;
  bool sent = false;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
    run.err.append(buffer, static_cast<std::size_t>(n));
    if (!sent && !interruptAfter.empty() && run.err.find(interruptAfter) != std::string::npos) {
      kill(pid, SIGINT);
      sent = true;
    }
  }
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace zavo::test
