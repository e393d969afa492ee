#pragma once

// Outside programs started with an argument vector: no command interpreter
// sees the arguments, so names with blanks or shell characters reach the
// program as they are.

#include <cstddef>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zavo {

class ChildProcess {
public:
  ChildProcess() = default;
  // A program still running is waited for.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts program with the arguments (argv[0] is the program as given). With
  // searchPath a name without "/" is looked up along PATH, else it is a path.
  // With pipeInput the program's standard input is a pipe fed by Write.
  // False, with errno's text in error, when the program cannot be started.
  bool Start(const std::string& program, const std::vector<std::string>& arguments, bool searchPath,
             bool pipeInput, std::string& error);
  // Writes the bytes to the program's standard input; false when it is
  // closed (the program ended or was started without the pipe).
  bool Write(const void* data, std::size_t size);
  // Closes the input pipe and waits for the end: the exit status, or -1 when
  // the program was ended by a signal or never started.
  int Wait();

private:
  pid_t pid_ = -1;
  int input_ = -1;
};

// Starts the program (a path) with the arguments and waits for it: its exit
// status, -1 when it ended by a signal; -2, with the reason in error, when it
// could not be started.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments, std::string& error);

}  // namespace zavo
