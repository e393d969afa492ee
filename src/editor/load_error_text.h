#pragma once

// The message box text of a scene text that did not read.

#include <string>

namespace zavo {

// "Error in loading.\n\nError Description : " + description +
// "\nError Line : " + line + "\n".
inline std::string LoadErrorText(const std::string& description, int line) {
  return "Error in loading.\n\nError Description : " + description + "\nError Line : " + std::to_string(line) + "\n";
}

}  // namespace zavo
