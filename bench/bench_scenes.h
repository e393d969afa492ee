#pragma once
// Scene texts shared by the editor's benchmarks.

#include <sstream>
#include <string>

namespace zavo::bench {

// The scene text of n boxes spread over the default window (-10..10), with
// the closing ".".
inline std::string Boxes(int n) {
  std::ostringstream text;
  for (int i = 0; i < n; ++i) {
    const double x = -9.3 + 18.1 * ((i * 37) % n) / n;
    const double y = -6.1 + 11.9 * ((i * 61) % n) / n;
    text << "{ object name b" << i << "; model { box xmin " << x << "; xmax " << x + 0.73 << "; ymin " << y
         << "; ymax " << y + 0.41 << "; zmin 0.1; zmax 1.3; } }\n";
  }
  return text.str() + ".\n";
}

}  // namespace zavo::bench
