#pragma once

#include <cmath>
#include <cstdint>
#include <locale>
#include <sstream>
#include <string>
#include <type_traits>

#include "foundation/char_string.h"
#include "geometry/geo_interface.h"

namespace zavo {

// What every hierarchy builder has for progress: the reporter (at first the
// builder's own null reporter) and the name that prefixes its texts.
class HierReporting {
public:
  HierReporting() : reporter_(&nullReporter_), name_("") {}
  HierReporting(const HierReporting&) = delete;
  HierReporting& operator=(const HierReporting&) = delete;

  // A null reporter makes the builder silent again.
  void SetInterface(GeoInterface* reporter) { reporter_ = reporter != nullptr ? reporter : &nullReporter_; }
  GeoInterface* Interface() const { return reporter_; }
  // A null name counts as the empty one.
  void SetName(const char* name) { name_ = name != nullptr ? name : ""; }
  const char* Name() const { return name_.Text(); }

protected:
  void Status(const std::string& text) { reporter_->Status(text.c_str()); }

  // name ": level " level " - " p "%", p = part * 100.0 / whole truncated
  // toward zero.
  std::string LevelText(std::int32_t level, double part, double whole) const {
    const double p = std::trunc(part * 100.0 / whole);
    return std::string(Name()) + ": level " + std::to_string(level) + " - " +
           std::to_string(static_cast<long long>(p)) + "%";
  }

private:
  NullGeoInterface nullReporter_;
  GeoInterface* reporter_;
  charString name_;
};

// An address as the logs show it ("0x..."), whatever the program's locale.
inline std::string AddressText(const void* p) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << p;
  return os.str();
}

// An element id in a log: integers in decimal, pointers as addresses.
template <class E>
std::string IdText(const E& e) {
  if constexpr (std::is_integral_v<E>) {
    return std::to_string(e);
  } else {
    return AddressText(static_cast<const void*>(e));
  }
}

}  // namespace zavo
