#pragma once

// The integer-fault handler of the program. The floating-point environment
// stays as the C++ runtime sets it (every floating-point exception masked:
// infinities and NaN, no signal). An integer division by zero or an integer
// overflow trap cannot be resumed on Linux (returning from the signal runs the
// faulting instruction again), so the handler reports the fault on stderr and
// ends the program with exit code 1.

namespace zavo {

// The text reported for a SIGFPE of that si_code: "FPE_INTDIV0",
// "FPE_INTOVFLOW", or null for the floating-point kinds.
const char* IntegerFaultText(int code);

// Installs the SIGFPE handler. It writes "Exception: <text>" and a line break
// to stderr with async-signal-safe calls and exits with code 1; a fault of
// another kind takes the default action.
void InstallFaultHandler();

}  // namespace zavo
