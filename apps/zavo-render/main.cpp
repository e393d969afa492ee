// zavo-render: headless rendering and export of a .qz scene.

#include <cstring>
#include <iostream>
#include <string>

namespace {

const char kUsage[] =
    "usage: zavo-render [options] SCENE.qz\n"
    "Renders or exports a scene as its render parameters say, beside the scene.\n"
    "options:\n"
    "  -o NAME     name of the output file (default: the scene's name)\n"
    "  --help      show this text and exit\n"
    "  --version   show the program's version and exit\n";

int UsageError(const std::string& why) {
  std::cerr << "zavo-render: " << why << "\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scene;
  std::string output;
  bool have_scene = false;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(a, "--version") == 0) {
      std::cout << "zavo-render " << ZAVO_VERSION << "\n";
      return 0;
    }
    if (std::strcmp(a, "-o") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') return UsageError("-o needs a name");
      output = argv[++i];
      continue;
    }
    if (a[0] == '-' && a[1] != '\0') return UsageError(std::string("unknown option ") + a);
    if (have_scene) return UsageError("only one scene can be rendered at a time");
    scene = a;
    have_scene = true;
  }
  if (!have_scene) return UsageError("no scene given");

  std::cerr << "zavo-render: " << scene << ": scenes cannot be read yet\n";
  return 1;
}
