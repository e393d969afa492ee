#include "win/fault_handler.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace zavo {
namespace {

constexpr const char* kCaption = "Exception";

void WriteAll(const char* text) {
  std::size_t left = std::strlen(text);
  while (left > 0) {
    const ssize_t n = ::write(STDERR_FILENO, text, left);
    if (n <= 0) return;
    text += n;
    left -= static_cast<std::size_t>(n);
  }
}

void OnFault(int signal, siginfo_t* info, void*) {
  const char* text = info != nullptr ? IntegerFaultText(info->si_code) : nullptr;
  if (text == nullptr) {
    // Not an integer fault: the default action ends the program when the
    // instruction runs again.
    ::signal(signal, SIG_DFL);
    return;
  }
  WriteAll(kCaption);
  WriteAll(": ");
  WriteAll(text);
  WriteAll("\n");
  ::_exit(1);
}

}  // namespace

const char* IntegerFaultText(int code) {
  switch (code) {
    case FPE_INTDIV: return "FPE_INTDIV0";
    case FPE_INTOVF: return "FPE_INTOVFLOW";
    default: return nullptr;
  }
}

void InstallFaultHandler() {
  struct sigaction action {};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGFPE, &action, nullptr);
}

}  // namespace zavo
