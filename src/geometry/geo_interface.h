#pragma once

#include <cstdint>

// The progress and message sink of long geometry operations. The texts belong
// to the caller and are valid only during the call: an implementation copies
// what it keeps.
class GeoInterface {
public:
  virtual ~GeoInterface() = default;
  // Shows a one-line status text (progress).
  virtual void Status(const char* text) = 0;
  // Shows a message to the user.
  virtual void Message(const char* text) = 0;
  // Non-zero when the user asked to stop the running operation.
  virtual std::int32_t UserBreak() = 0;
};

// Ignores every text and never asks to stop.
class NullGeoInterface : public GeoInterface {
public:
  void Status(const char*) override {}
  void Message(const char*) override {}
  std::int32_t UserBreak() override { return 0; }
};
