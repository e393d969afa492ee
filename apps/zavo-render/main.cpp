// zavo-render: headless rendering and export of a .qz scene.

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <locale>
#include <sstream>
#include <string>
#include <system_error>

#include "console.h"
#include "foundation/fd_stream_buffer.h"
#include "foundation/runtime_error_box.h"
#include "foundation/atomic_file.h"
#include "foundation/user_break.h"
#include "models/registry.h"
#include "output.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;
using zavo::cli::Console;

const char kUsage[] =
    "usage: zavo-render [options] SCENE.qz\n"
    "Renders or exports a scene as its render parameters say, beside the scene.\n"
    "options:\n"
    "  -o NAME       name of the output file (default: the scene's name)\n"
    "  -j N          trace on N threads (default: one a core)\n"
    "  -q, --quiet   print errors only\n"
    "  --help        show this text and exit\n"
    "  --version     show the program's version and exit\n";

// Exit codes.
constexpr int kFailed = 1;
constexpr int kUsageError = 2;
constexpr int kUserBreak = 130;  // as a shell reports a program ended by Ctrl-C

int UsageError(const std::string& why) {
  std::cerr << zavo::cli::kProgram << ": " << why << "\n" << kUsage;
  return kUsageError;
}

// A scene of many objects gives status texts by the hundred thousand while
// it loads: stderr is written in large pieces, the lines held showing once
// 100 ms have passed, everything at a flush (messages, errors, progress) and
// before the program ends (an internal error's text too, after what came
// before it).
// The console of the run, whose thread flushes std::cerr: an internal error
// stops it before the error's text goes out.
std::atomic<Console*> activeConsole{nullptr};

void BufferStderr() {
  static auto* buffer = new zavo::FdStreamBuffer(2);  // in use until the very end
  std::cerr.rdbuf(buffer);
  std::cerr.unsetf(std::ios::unitbuf);
  std::atexit([] { std::cerr.flush(); });
  static const zavo::RuntimeErrorHandler previous = zavo::SetRuntimeErrorHandler([](const char* text) {
    if (Console* console = activeConsole.exchange(nullptr)) console->Close();
    std::cerr.flush();
    previous(text);
  });
}

struct Options {
  std::string sceneArgument;   // as the user wrote it, for messages
  std::string outputArgument;  // as the user wrote it; empty: none
  fs::path scene;              // absolute
  fs::path output;             // absolute; empty: the scene's name
  bool quiet = false;
  int threads = 0;  // 0: one a core
};

// The scene's name: its path without ".qz".
std::string WithoutQz(const std::string& path) {
  const std::string qz = ".qz";
  if (path.size() > qz.size() && path.compare(path.size() - qz.size(), qz.size(), qz) == 0) {
    return path.substr(0, path.size() - qz.size());
  }
  return path;
}

// The token at which reading stopped, for a load error: " (near 'TOKEN')".
std::string NearToken(const CG_GraphicScene& scene) {
  const std::string& token = scene.GetErrorToken();
  if (token.empty()) {
    const char* message = scene.GetErrorMessage();
    if (message != nullptr && std::strcmp(message, "Token too long") == 0) return {};
    return " (at the end of the file)";
  }
  constexpr std::size_t kShown = 40;
  if (token.size() > kShown) return " (near '" + token.substr(0, kShown) + "...')";
  return " (near '" + token + "')";
}

std::string Seconds(std::chrono::steady_clock::duration taken) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << std::fixed << std::setprecision(1) << std::chrono::duration<double>(taken).count() << " s";
  return text.str();
}

class Run {
public:
  explicit Run(const Options& options)
      : options_(options), console_(std::cerr, ::isatty(2) != 0, options.quiet), scene_(registry_) {
    activeConsole = &console_;
  }
  ~Run() { activeConsole = nullptr; }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  int Execute() {
    const auto start = std::chrono::steady_clock::now();
    std::ifstream in(options_.scene, std::ios::binary);
    if (!in.is_open() || fs::is_directory(options_.scene)) {
      return Fail(options_.sceneArgument + ": cannot open the scene");
    }
    // Relative names in the scene (textures, model files) are found beside it.
    std::error_code error;
    fs::current_path(options_.scene.parent_path(), error);
    if (error) return Fail(options_.sceneArgument + ": cannot change to its directory");

    BuildRegistry(registry_);
    zavo::AddDocumentModelModules(registry_);
    scene_.SetName(WithoutQz(options_.scene.string()).c_str());
    scene_.SetInterface(&console_);
    scene_.SetThreadCount(options_.threads);

    if (!scene_.Load(in)) {
      if (zavo::cli::BreakRequested()) return UserBreak();
      const char* message = scene_.GetErrorMessage();
      console_.FlushHeld();
      console_.Error(options_.sceneArgument + ':' + std::to_string(scene_.GetErrorLine()) + ": " +
                     (message != nullptr ? message : "Generic Error") + NearToken(scene_));
      return kFailed;
    }
    // What the load recorded and still took: "FILE:LINE: warning: MESSAGE".
    for (const zavo::RecordedError& warning : scene_.GetRecordedErrors()) {
      console_.Error(options_.sceneArgument + ':' + std::to_string(warning.line) + ": warning: " + warning.message);
    }

    // Everything that would stop the render is checked before any hierarchy
    // is built or loaded.
    const std::string fault = zavo::cli::CheckRenderParameters(scene_);
    if (!fault.empty()) return Fail(options_.sceneArgument + ": " + fault);
    const std::string mode = scene_.GetParam().render.Text();
    const char* extension = zavo::cli::OutputExtension(mode);
    std::string shownBase = WithoutQz(options_.sceneArgument);
    fs::path base = WithoutQz(options_.scene.string());
    if (!options_.output.empty()) {
      shownBase = zavo::cli::OutputBase(options_.outputArgument, extension);
      base = zavo::cli::OutputBase(options_.output.string(), extension);
      scene_.SetOutputImage(base.c_str());
    }
    const std::string shown = shownBase + extension;
    if (!zavo::CanWriteFileAtomically(base.string() + extension, error)) {
      return Fail(shown + ": cannot write the output (" + error.message() + ")");
    }

    console_.SetRows(scene_.GetParam().dimy);
    if (zavo::cli::BreakRequested()) return UserBreak();
    scene_.Render();
    // A render that finished before it saw the break has written its file.
    if (!scene_.RenderSucceeded()) {
      if (zavo::cli::BreakRequested()) return UserBreak();
      console_.FlushHeld();
      return kFailed;
    }
    std::string closing = std::string(zavo::cli::kProgram) + ": wrote " + shown;
    if (zavo::cli::WritesImage(mode)) {
      const BitmapManager& image = scene_.GetOutputImage();
      closing += " (" + std::to_string(image.Width()) + " x " + std::to_string(image.Height()) + " pixels)";
    }
    console_.Info(closing + " in " + Seconds(std::chrono::steady_clock::now() - start));
    return 0;
  }

private:
  int Fail(const std::string& why) {
    console_.FlushHeld();
    console_.Error(std::string(zavo::cli::kProgram) + ": " + why);
    return kFailed;
  }

  // Nothing was written: an older output stays as it was.
  int UserBreak() {
    console_.Error(std::string(zavo::cli::kProgram) + ": User break");
    return kUserBreak;
  }

  const Options& options_;
  Console console_;
  CG_ModelRegistry registry_;
  CG_GraphicScene scene_;
};

}  // namespace

int main(int argc, char** argv) {
  BufferStderr();
  Options options;
  bool haveScene = false;
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
    if (std::strcmp(a, "-q") == 0 || std::strcmp(a, "--quiet") == 0) {
      options.quiet = true;
      continue;
    }
    if (std::strcmp(a, "-o") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') return UsageError("-o needs a name");
      if (std::strcmp(argv[i + 1], "-") == 0) return UsageError("-o needs a file name: the output cannot go to standard output");
      options.outputArgument = argv[++i];
      continue;
    }
    if (std::strncmp(a, "-j", 2) == 0) {
      const char* count = a[2] != '\0' ? a + 2 : (i + 1 < argc ? argv[++i] : "");
      char* end = nullptr;
      errno = 0;
      const long n = std::strtol(count, &end, 10);
      if (*count == '\0' || *end != '\0' || errno != 0 || n < 1 || n > 1024) {
        return UsageError("-j needs a number of threads from 1 to 1024");
      }
      options.threads = static_cast<int>(n);
      continue;
    }
    if (a[0] == '-' && a[1] != '\0') return UsageError(std::string("unknown option ") + a);
    if (haveScene) return UsageError("only one scene can be rendered at a time");
    options.sceneArgument = a;
    haveScene = true;
  }
  if (!haveScene) return UsageError("no scene given");

  // Both names are made absolute before the change to the scene's directory.
  std::error_code error;
  options.scene = fs::absolute(options.sceneArgument, error);
  if (!error && !options.outputArgument.empty()) options.output = fs::absolute(options.outputArgument, error);
  if (error) {
    std::cerr << zavo::cli::kProgram << ": " << options.sceneArgument << ": " << error.message() << "\n";
    return kFailed;
  }

  zavo::cli::InstallBreakHandler();
  // Long steps inside a row (tessellation, mesh booleans, deep ray trees)
  // see Ctrl-C too.
  zavo::SetBreakSource([] { return zavo::cli::BreakRequested(); });
  Run run(options);
  return run.Execute();
}
