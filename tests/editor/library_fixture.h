#pragma once
// A library directory as a user's installation holds it: a gold material, the
// preview scene "fast" (a lit ball of the material "preview", 50 x 50),
// render-parameter fragments beside a note, and a field fragment.

#include <filesystem>
#include <string>

#include "common/temp_dir.h"

namespace zavo::test {

inline constexpr const char* kGoldMaterial =
    "{ material\n\tname gold;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0.3; Od (0.9,0.7,0.15); }\n}\n.\n";

inline constexpr const char* kFastPreview =
    "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 6 );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n"
    "\tumin -1.2;\n\tumax 1.2;\n\tvmin -1.2;\n\tvmax 1.2;\n}\n"
    "{ param\n  dimx 50;\n  dimy 50;\n}\n"
    "{ object\n\tname ball;\n\tmaterial preview;\n"
    "\tmodel { sphere center ( 0 , 0 , -1.5 ); radius 0.95; }\n}\n"
    "{ lamp\n\tname key;\n\tmodel { pointlamp\npos ( -3.5 , 4.2 , 5 );\n\tcolor (1,1,0.95);\n}\n}\n.\n";

// The library files, written under a folder of the caller (by default a
// temporary directory of its own).
class LibraryFolder {
public:
  explicit LibraryFolder(std::filesystem::path root = {}) : dir(root.empty() ? temp.path() : root) {
    Put("material/gold.qz", kGoldMaterial);
    Put("mpreview/fast.qz", kFastPreview);
    Put("param/hi.qz", "{ param\n  dimx 64;\n  dimy 48;\n}\n.\n");
    Put("param/Lo.QZ", "{ param\n  dimx 320;\n  dimy 240;\n}\n.\n");
    Put("param/notes.txt", "hi: small images for tests\n");
    Put("field/f1.qz",
              "{ object\n\tname f1;\n\tmodel { sphere center ( 0.4 , -0.3 , 1.1 ); radius 0.35; }\n}\n.\n");
  }
  std::string Path() const { return dir.string(); }
  // Writes a file of the library, making its folder.
  void Put(const std::string& relative, const std::string& text) {
    std::filesystem::create_directories((dir / relative).parent_path());
    WriteFile(dir / relative, text);
  }

  TempDir temp;
  std::filesystem::path dir;
};

}  // namespace zavo::test
