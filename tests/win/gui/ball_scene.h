#pragma once

// The scene of the end-to-end display tests: the eye at (0, 0, 10) looks down
// -z at a green ball of radius 1.1, lit from the eye, on a blue background;
// 37 x 23 image pixels.

#include <string>

namespace zavo::test {

// centre: the ball's centre as scene text, e.g. "( 0 , 0 , 0 )".
inline std::string GreenBallScene(const std::string& centre) {
  return "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 10 );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n"
         "\tumax 1.6;\n\tumin -1.6;\n\tvmax 1;\n\tvmin -1;\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n"
         "{ param\n  dimx 37;\n  dimy 23;\n  backcolor (0.1,0.2,0.6);\n}\n"
         "{ material\n\tname green;\n\tmodel { phong Ka 0.1; Kd 0.8; Ks 0.3; Od (0.2,0.9,0.1); }\n}\n"
         "{ object\n\tname ball;\n\tmaterial green;\n\tmodel { sphere center " +
         centre +
         "; radius 1.1; }\n}\n"
         "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 2.5 , 3 , 10 );\n\tcolor (1,1,1);\n}\n}\n.\n";
}

}  // namespace zavo::test
