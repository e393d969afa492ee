#pragma once

// The internal-error box: the one place where an internal inconsistency (a
// broken invariant, a misused container, an impossible case) is reported. It
// never returns: after the handler has shown the text the program ends through
// std::exit(1), so exit handlers run. Bad input is never reported here.

namespace zavo {

// Shows the text. The default handler writes "Runtime Error: <text>" and a line
// break to stderr; the GUI installs one that shows a modal message box titled
// "Runtime Error". A handler may also leave by throwing (tests do).
using RuntimeErrorHandler = void (*)(const char* text);

// Installs a handler (null restores the default) and returns the previous one.
RuntimeErrorHandler SetRuntimeErrorHandler(RuntimeErrorHandler handler);

// The box's title.
inline constexpr const char* kRuntimeErrorTitle = "Runtime Error";

}  // namespace zavo

// Shows the text through the installed handler, then ends the program with exit code 1.
[[noreturn]] void RuntimeErrorBox(const char* text);
