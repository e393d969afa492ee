#pragma once

// What the fuzz targets that load scenes among files of their own share: a
// check that stops the run, a temporary working directory (made once,
// removed at exit) with a guard that works inside it, the deadline as the
// break source, the registry with every model module, and the text of a
// small Bezier patch model.

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>

#include <stdlib.h>  // mkdtemp

#include "foundation/user_break.h"
#include "models/registry.h"
#include "scene/registry.h"

#include "deadline_interface.h"

namespace zavo::fuzz {

inline void Check(bool ok) {
  if (!ok) __builtin_trap();
}

inline std::filesystem::path* workDirectory = nullptr;

// The working directory is the target's own while the object lives.
class InWorkDirectory {
public:
  InWorkDirectory() : old_(std::filesystem::current_path()) { std::filesystem::current_path(*workDirectory); }
  ~InWorkDirectory() { std::filesystem::current_path(old_); }
  InWorkDirectory(const InWorkDirectory&) = delete;
  InWorkDirectory& operator=(const InWorkDirectory&) = delete;

private:
  std::filesystem::path old_;
};

// Makes the working directory from a mkdtemp pattern (removed at exit) and
// sets the deadline as the break source; answers a new registry that holds
// every model module.
inline CG_ModelRegistry* SetUpSceneTarget(std::string pattern) {
  const char* dir = mkdtemp(pattern.data());
  if (dir == nullptr) std::abort();
  workDirectory = new std::filesystem::path(dir);
  std::atexit([] {
    std::error_code error;
    std::filesystem::remove_all(*workDirectory, error);
  });
  SetBreakSource(Late);
  auto* registry = new CG_ModelRegistry();
  BuildRegistry(*registry);
  AddDocumentModelModules(*registry);
  return registry;
}

// A Bezier model of one patch of 4 x 4 control points, a few of them raised.
inline std::string BezierWingFile() {
  std::ostringstream os;
  os << "{ bezier\n{ patch\n";
  for (int k = 0; k < 16; ++k) os << "( " << k % 4 << " , " << k / 4 << " , " << (k % 5 == 0) << " )\n";
  os << "}\n}\n";
  return os.str();
}

}  // namespace zavo::fuzz
