#include "foundation/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

namespace zavo {

namespace {

// Creates a new, empty file beside target under a name nobody else uses.
bool CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp, int* failure = nullptr) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path dir = target.parent_path();
  const std::string stem = "." + target.filename().string() + ".tmp" +
                           std::to_string(static_cast<long>(::getpid())) + "_";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        dir / (stem + std::to_string(counter.fetch_add(1, std::memory_order_relaxed)));
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      temp = candidate;
      return true;
    }
    if (errno != EEXIST) {
      if (failure != nullptr) *failure = errno;
      return false;
    }
  }
  if (failure != nullptr) *failure = EEXIST;
  return false;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& target,
                         const std::function<bool(std::ostream&)>& write) {
  if (target.empty() || !target.has_filename()) return false;
  std::filesystem::path temp;
  if (!CreateTemporary(target, temp)) return false;
  bool ok = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      ok = write(out);
      out.flush();
      ok = ok && out.good();
      out.close();
      ok = ok && !out.fail();
    }
  }
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) std::filesystem::remove(temp, ec);
  return ok;
}

bool CanWriteFileAtomically(const std::filesystem::path& target, std::error_code& error) {
  error.clear();
  if (target.empty() || !target.has_filename()) {
    error = std::make_error_code(std::errc::invalid_argument);
    return false;
  }
  if (std::filesystem::is_directory(target, error)) {
    error = std::make_error_code(std::errc::is_a_directory);
    return false;
  }
  error.clear();
  std::filesystem::path temp;
  int failure = 0;
  if (!CreateTemporary(target, temp, &failure)) {
    error = std::error_code(failure, std::generic_category());
    return false;
  }
  std::error_code ignored;
  std::filesystem::remove(temp, ignored);
  return true;
}

}  // namespace zavo
