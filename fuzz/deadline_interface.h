#pragma once

// A graphic-system interface for fuzz targets that shows nothing and asks to
// stop once the time of the current input is over: both the break source and
// the interface's user break answer yes after the deadline.

#include <chrono>
#include <cstdint>

#include "scene/system_interface.h"

namespace zavo::fuzz {

inline std::chrono::steady_clock::time_point deadline;

inline bool Late() { return std::chrono::steady_clock::now() > deadline; }

class DeadlineInterface : public CG_GraphicSystemInterface {
public:
  DeadlineInterface() { deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(250); }
  void Status(const char*) override {}
  void Message(const char*) override {}
  std::int32_t UserBreak() override { return Late(); }
  void PlotPixel(int, int, double, double, double) override {}
};

}  // namespace zavo::fuzz
