#include "common/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace zavo::test {

TempDir::TempDir() {
  auto base = std::filesystem::temp_directory_path();
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("zavo-test-" + std::to_string(::getpid()) + "-" +
                             std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

ScopedCwd::ScopedCwd(const std::filesystem::path& dir)
    : old_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

ScopedCwd::~ScopedCwd() {
  std::error_code ec;
  std::filesystem::current_path(old_, ec);
}

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + p.string());
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void WriteFile(const std::filesystem::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + p.string());
  out << text;
}

std::filesystem::path DataPath(const std::string& relative) {
  return std::filesystem::path(ZAVO_TEST_DATA_DIR) / relative;
}

}  // namespace zavo::test
