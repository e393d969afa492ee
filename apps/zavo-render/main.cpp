// zavo-render: headless rendering and export of a .qz scene.

#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "foundation/user_break.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"
#include "scene/system_interface.h"

namespace {

namespace fs = std::filesystem;

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

// Set by SIGINT: the user asks to stop, as Escape does in the editor.
volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

// Status texts and messages go to stderr, one a line; pixels are not shown.
class ConsoleInterface : public CG_GraphicSystemInterface {
public:
  void Status(const char* text) override {
    if (text != nullptr && text[0] != '\0') std::cerr << text << '\n';
  }
  void Message(const char* text) override {
    if (text != nullptr) std::cerr << text << '\n';
  }
  std::int32_t UserBreak() override { return interrupted != 0; }
  void PlotPixel(int, int, double, double, double) override {}
};

struct Options {
  std::string sceneArgument;  // as the user wrote it, for messages
  fs::path scene;             // absolute
  fs::path output;            // absolute; empty: the scene's name
};

// The scene's name: its path without ".qz".
std::string SceneName(const fs::path& scene) {
  fs::path name = scene;
  if (name.extension() == ".qz") name.replace_extension();
  return name.string();
}

int Run(const Options& options) {
  std::ifstream in(options.scene, std::ios::binary);
  if (!in.is_open() || fs::is_directory(options.scene)) {
    std::cerr << "zavo-render: " << options.sceneArgument << ": cannot open the scene\n";
    return 1;
  }
  // Relative names in the scene (textures, model files) are found beside it.
  std::error_code error;
  fs::current_path(options.scene.parent_path(), error);
  if (error) {
    std::cerr << "zavo-render: " << options.sceneArgument << ": cannot change to its directory\n";
    return 1;
  }

  CG_ModelRegistry registry;
  BuildRegistry(registry);
  zavo::AddDocumentModelModules(registry);
  ConsoleInterface console;
  CG_GraphicScene scene(registry);
  scene.SetName(SceneName(options.scene).c_str());
  scene.SetInterface(&console);

  if (!scene.Load(in)) {
    const char* message = scene.GetErrorMessage();
    std::cerr << options.sceneArgument << ':' << scene.GetErrorLine() << ": "
              << (message != nullptr ? message : "Generic Error") << '\n';
    return 1;
  }
  if (!options.output.empty()) scene.SetOutputImage(options.output.string().c_str());
  scene.Render();
  return scene.RenderSucceeded() ? 0 : 1;
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

  // Both names are made absolute before the change to the scene's directory.
  Options options;
  options.sceneArgument = scene;
  std::error_code error;
  options.scene = fs::absolute(scene, error);
  if (!error && !output.empty()) options.output = fs::absolute(output, error);
  if (error) {
    std::cerr << "zavo-render: " << scene << ": " << error.message() << "\n";
    return 1;
  }

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  // Long steps inside a row (tessellation, mesh booleans, hierarchy builds,
  // deep ray trees) see Ctrl-C too.
  zavo::SetBreakSource([] { return interrupted != 0; });

  return Run(options);
}
