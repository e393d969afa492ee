#include "win/fault_handler.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

TEST(FaultHandler, IntegerFaultsHaveTheirTexts) {
  EXPECT_EQ(std::string(zavo::IntegerFaultText(FPE_INTDIV)), "FPE_INTDIV0");
  EXPECT_EQ(std::string(zavo::IntegerFaultText(FPE_INTOVF)), "FPE_INTOVFLOW");
  for (int code : {FPE_FLTDIV, FPE_FLTOVF, FPE_FLTINV, FPE_FLTUND, FPE_FLTRES}) {
    EXPECT_EQ(zavo::IntegerFaultText(code), nullptr) << code;
  }
}

TEST(FaultHandler, FloatingPointFaultsStayQuietAfterInstalling) {
  zavo::InstallFaultHandler();
  volatile double zero = 0.0;
  EXPECT_TRUE(std::isinf(1.0 / zero));
  EXPECT_TRUE(std::isnan(zero / zero));
}

#if defined(__SANITIZE_ADDRESS__)
#define ZAVO_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define ZAVO_SANITIZED 1
#endif
#endif

int Divide(int a, int b) { return a / b; }

TEST(FaultHandlerDeathTest, AnIntegerDivisionByZeroEndsTheProgramWithItsText) {
#ifdef ZAVO_SANITIZED
  GTEST_SKIP() << "the undefined-behaviour sanitizer reports the division first";
#else
  volatile int zero = 0;
  EXPECT_EXIT(
      {
        zavo::InstallFaultHandler();
        std::printf("%d\n", Divide(7, zero));
      },
      ::testing::ExitedWithCode(1), "^Exception: FPE_INTDIV0\n$");
#endif
}

}  // namespace
