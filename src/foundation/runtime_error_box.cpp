#include "foundation/runtime_error_box.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace zavo {
namespace {

void DefaultHandler(const char* text) {
  std::fprintf(stderr, "%s: %s\n", kRuntimeErrorTitle, text ? text : "");
  std::fflush(stderr);
}

std::atomic<RuntimeErrorHandler> g_handler{&DefaultHandler};

}  // namespace

RuntimeErrorHandler SetRuntimeErrorHandler(RuntimeErrorHandler handler) {
  return g_handler.exchange(handler ? handler : &DefaultHandler);
}

}  // namespace zavo

void RuntimeErrorBox(const char* text) {
  zavo::g_handler.load()(text);
  std::exit(1);
}
