#include "foundation/child_process.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zavo {

ChildProcess::~ChildProcess() {
  if (pid_ > 0) Wait();
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments, bool searchPath,
                         bool pipeInput, std::string& error) {
  if (pid_ > 0) Wait();
  std::vector<std::string> args;
  args.reserve(arguments.size() + 1);
  args.push_back(program);
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pipeFds[2] = {-1, -1};
  if (pipeInput && pipe2(pipeFds, O_CLOEXEC) != 0) {
    error = std::strerror(errno);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // dup2 clears close-on-exec on the child's descriptor 0; both pipe ends
  // close themselves on exec.
  if (pipeInput) posix_spawn_file_actions_adddup2(&actions, pipeFds[0], 0);
  pid_t pid = -1;
  const int failed = searchPath ? posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ)
                                : posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (pipeInput) close(pipeFds[0]);
  if (failed != 0) {
    if (pipeInput) close(pipeFds[1]);
    error = std::strerror(failed);
    return false;
  }
  pid_ = pid;
  input_ = pipeInput ? pipeFds[1] : -1;
  return true;
}

bool ChildProcess::Write(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0 && input_ >= 0) {
    const ssize_t n = write(input_, bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return size == 0;
}

int ChildProcess::Wait() {
  if (input_ >= 0) {
    close(input_);
    input_ = -1;
  }
  if (pid_ <= 0) return -1;
  int status = 0;
  pid_t done;
  do {
    done = waitpid(pid_, &status, 0);
  } while (done < 0 && errno == EINTR);
  pid_ = -1;
  if (done < 0 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

int RunProgram(const std::string& program, const std::vector<std::string>& arguments, std::string& error) {
  ChildProcess child;
  if (!child.Start(program, arguments, false, false, error)) return -2;
  return child.Wait();
}

}  // namespace zavo
