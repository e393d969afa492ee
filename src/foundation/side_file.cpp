#include "foundation/side_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace zavo {

namespace {

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool WriteLogFile(const std::filesystem::path& file, std::string_view text) {
  // No O_TRUNC: nothing is cut before the name is known to be a file of ours.
  // O_NONBLOCK keeps a pipe without a reader from blocking the open.
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && ::ftruncate(fd, 0) == 0 &&
            WriteAll(fd, text);
  if (::close(fd) != 0) ok = false;
  return ok;
}

int OpenScratchFile(const std::filesystem::path& dir) {
  const std::filesystem::path where = dir.empty() ? std::filesystem::path(".") : dir;
#ifdef O_TMPFILE
  const int fd = ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
#endif
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path name =
        where / (".zavo-scratch" + std::to_string(static_cast<long>(::getpid())) + "_" +
                 std::to_string(counter.fetch_add(1)));
    const int made = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (made >= 0) {
      ::unlink(name.c_str());
      return made;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

}  // namespace zavo
