#pragma once

#include <cstdint>
#include <iosfwd>

// A mixin for classes that can write diagnostic lines: they write to the
// stream only while the flag is non-zero. The stream is not owned.
class LogSupport {
public:
  std::int32_t logFlag = 0;
  std::ostream* logStream = nullptr;

  void SetLog(std::int32_t flag, std::ostream* stream) {
    logFlag = flag;
    logStream = stream;
  }
  // The stream to write to, or null while logging is off.
  std::ostream* Log() const { return logFlag != 0 ? logStream : nullptr; }
};
