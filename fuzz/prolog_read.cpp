// Consults arbitrary bytes into a fresh Prolog system and lists the clauses.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "interp/prolog/prolog_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PrologSystem sys(1000, 1000);
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  sys.Consult(in, "fuzz");
  std::ostringstream out;
  sys.ListRules(out);
  return 0;
}
