#include "foundation/fd_stream_buffer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <ostream>
#include <string>
#include <thread>

namespace {

// A pipe whose reading end does not block.
class Pipe {
public:
  Pipe() {
    EXPECT_EQ(::pipe(fd_), 0);
    ::fcntl(fd_[0], F_SETFL, O_NONBLOCK);
  }
  ~Pipe() {
    ::close(fd_[0]);
    ::close(fd_[1]);
  }
  int WriteEnd() const { return fd_[1]; }
  // What has arrived so far.
  std::string Read() {
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd_[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<std::size_t>(n));
    return text;
  }

private:
  int fd_[2];
};

TEST(FdStreamBuffer, LinesWaitInTheBufferUntilAFlush) {
  Pipe pipe;
  zavo::FdStreamBuffer buffer(pipe.WriteEnd(), std::chrono::hours(1));
  std::ostream os(&buffer);
  for (int i = 0; i < 1000; ++i) os << "object s" << i << '\n';
  EXPECT_EQ(pipe.Read(), "");
  os << "last" << std::flush;
  std::string expected;
  for (int i = 0; i < 1000; ++i) expected += "object s" + std::to_string(i) + "\n";
  EXPECT_EQ(pipe.Read(), expected + "last");
}

TEST(FdStreamBuffer, AFullBufferIsWrittenWholeAndInOrder) {
  Pipe pipe;
  zavo::FdStreamBuffer buffer(pipe.WriteEnd(), std::chrono::hours(1), 16);
  std::ostream os(&buffer);
  os << "0123456789abcdefghij" << 'k';
  EXPECT_EQ(pipe.Read(), "0123456789abcdef");
  os.flush();
  EXPECT_EQ(pipe.Read(), "ghijk");
}

// Progress still shows: once the delay has passed, the next text sends the
// whole lines held (written as a text and a line break, as status texts are).
TEST(FdStreamBuffer, TheLinesHeldGoOutWhenTextComesAfterTheDelay) {
  Pipe pipe;
  zavo::FdStreamBuffer buffer(pipe.WriteEnd(), std::chrono::milliseconds(20));
  std::ostream os(&buffer);
  os << "Line 0 " << '\n' << "Line 1 " << '\n';
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  os << "Line 2 ";
  EXPECT_EQ(pipe.Read(), "Line 0 \nLine 1 \n");
  os << '\n';
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  os << "half a line";
  EXPECT_EQ(pipe.Read(), "Line 2 \n");
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  os << " more";
  EXPECT_EQ(pipe.Read(), "");
}

TEST(FdStreamBuffer, TheRestIsWrittenWhenItGoes) {
  Pipe pipe;
  {
    zavo::FdStreamBuffer buffer(pipe.WriteEnd(), std::chrono::hours(1));
    std::ostream os(&buffer);
    os << "Saving hierarchy scene.qz_\n";
  }
  EXPECT_EQ(pipe.Read(), "Saving hierarchy scene.qz_\n");
}

}  // namespace
