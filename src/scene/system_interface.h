#pragma once

// The scene's link to the window system: status texts, messages, the user's
// request to stop, and the display of rendered pixels.

#include <cstdint>

#include "geometry/geo_interface.h"

// The progress interface of the scene layer; it adds nothing to GeoInterface.
class CGInterface : public GeoInterface {};

class CG_GraphicSystemInterface : public CGInterface {
public:
  // Shows one rendered pixel: column x, row y counted from the top, colour
  // channels in [0, 1].
  virtual void PlotPixel(int x, int y, double r, double g, double b) = 0;
};

// Shows nothing and never asks to stop. Every scene holds one and uses it until
// it is given another interface.
class CG_NullGraphicSystemInterface : public CG_GraphicSystemInterface {
public:
  void Status(const char*) override {}
  void Message(const char*) override {}
  std::int32_t UserBreak() override { return 0; }
  void PlotPixel(int, int, double, double, double) override {}
};
