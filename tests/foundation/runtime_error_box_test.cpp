#include "foundation/runtime_error_box.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(RuntimeErrorBoxDeathTest, DefaultHandlerWritesTheTextAndExitsWithOne) {
  EXPECT_EXIT(RuntimeErrorBox("lmtn empty"), ::testing::ExitedWithCode(1),
              "^Runtime Error: lmtn empty\n$");
}

struct Thrown : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void ThrowingHandler(const char* text) { throw Thrown(text); }

TEST(RuntimeErrorBox, AReplacementHandlerSeesTheText) {
  auto previous = zavo::SetRuntimeErrorHandler(&ThrowingHandler);
  std::string seen;
  try {
    RuntimeErrorBox("StringBuffer::Get");
  } catch (const Thrown& e) {
    seen = e.what();
  }
  zavo::SetRuntimeErrorHandler(previous);
  EXPECT_EQ(seen, "StringBuffer::Get");
}

}  // namespace
