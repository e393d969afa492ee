#pragma once

// The scene the editor's end-to-end runs start from: a perspective camera
// whose window runs -3.2..3.2 by -2.4..2.4 on the plane through vrp, an image
// of dimx x dimy pixels on a dark blue background, the material "standard",
// then the objects and lamps of rest and the end mark.

#include <string>

namespace zavo::test {

// A white point lamp beside the default eye.
inline constexpr char kLampBesideEye[] = "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 2.5 , 3 , 10 );\n\tcolor (1,1,1);\n}\n}\n";

inline std::string EditorSceneText(int dimx, int dimy, const std::string& rest, const char* vrp = "0 , 0 , 0",
                                   const char* prp = "0 , 0 , 10") {
  return std::string("{ vrc\n\tvrp ( ") + vrp + " );\n\tprp ( " + prp +
         " );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n"
         "\tumax 3.2;\n\tumin -3.2;\n\tvmax 2.4;\n\tvmin -2.4;\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n"
         "{ param\n  dimx " + std::to_string(dimx) + ";\n  dimy " + std::to_string(dimy) +
         ";\n  backcolor (0.1,0.2,0.6);\n}\n"
         "{ material\n\tname standard;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0.3; Od (0.9,0.8,0.1); }\n}\n" +
         rest + ".\n";
}

}  // namespace zavo::test
