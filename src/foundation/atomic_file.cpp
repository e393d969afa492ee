#include "foundation/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>

#include "foundation/user_break.h"

namespace zavo {

namespace {

// An output buffer straight on a descriptor. It never throws and never looks
// at the stream's locale: a failed write (a full disk, a file size limit) is
// remembered and makes every later write fail.
class DescriptorBuffer : public std::streambuf {
public:
  explicit DescriptorBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
  bool Failed() const { return failed_; }
  bool Drain() {
    const char* from = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    while (left > 0 && !failed_) {
      const ssize_t n = ::write(fd_, from, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        failed_ = true;
        break;
      }
      from += n;
      left -= static_cast<std::size_t>(n);
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return !failed_;
  }

protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }

private:
  int fd_;
  bool failed_ = false;
  char buffer_[1 << 16];
};

// "<dir>/.<name>.tmp<pid>_": the start of every temporary name of target.
std::string TemporaryStem(const std::filesystem::path& target) {
  return "." + target.filename().string() + ".tmp";
}

// Temporary files of target left by runs that were killed while writing it:
// their process is gone. Files of running processes stay.
void RemoveLeftovers(const std::filesystem::path& target) {
  const std::filesystem::path dir = target.parent_path().empty() ? "." : target.parent_path();
  const std::string stem = TemporaryStem(target);
  DIR* listing = ::opendir(dir.c_str());
  if (listing == nullptr) return;
  const long self = static_cast<long>(::getpid());
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name(entry->d_name);
    if (name.substr(0, stem.size()) != stem) continue;
    const std::string_view rest = name.substr(stem.size());
    long pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (error != std::errc() || end == rest.data() || end == rest.data() + rest.size() || *end != '_') continue;
    const std::string_view counter(end + 1, static_cast<std::size_t>(rest.data() + rest.size() - end - 1));
    if (counter.empty() || counter.find_first_not_of("0123456789") != std::string_view::npos) continue;
    if (pid <= 0 || pid == self) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    ::unlinkat(::dirfd(listing), entry->d_name, 0);
  }
  ::closedir(listing);
}

// Creates a new, empty file beside target under a name nobody else uses: its
// descriptor, or -1 with the reason in failure.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp, int* failure = nullptr) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path dir = target.parent_path();
  const std::string stem = TemporaryStem(target) + std::to_string(static_cast<long>(::getpid())) + "_";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        dir / (stem + std::to_string(counter.fetch_add(1, std::memory_order_relaxed)));
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      temp = candidate;
      return fd;
    }
    if (errno != EEXIST) {
      if (failure != nullptr) *failure = errno;
      return -1;
    }
  }
  if (failure != nullptr) *failure = EEXIST;
  return -1;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& target,
                         const std::function<bool(std::ostream&)>& write) {
  if (target.empty() || !target.has_filename()) return false;
  // A broken run changes no file.
  if (BreakRequested()) return false;
  RemoveLeftovers(target);
  std::filesystem::path temp;
  const int fd = CreateTemporary(target, temp);
  if (fd < 0) return false;
  bool ok = false;
  {
    DescriptorBuffer buffer(fd);
    std::ostream out(&buffer);
    try {
      ok = write(out);
    } catch (...) {
      ::close(fd);
      ::unlink(temp.c_str());
      throw;
    }
    ok = ok && out.flush().good() && !buffer.Failed();
  }
  if (::close(fd) != 0) ok = false;
  if (ok && BreakRequested()) ok = false;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
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
  const int fd = CreateTemporary(target, temp, &failure);
  if (fd < 0) {
    error = std::error_code(failure, std::generic_category());
    return false;
  }
  ::close(fd);
  ::unlink(temp.c_str());
  return true;
}

}  // namespace zavo
