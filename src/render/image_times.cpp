#include "render/image_times.h"

#include <cstdio>
#include <sstream>

#include "foundation/number_text.h"

namespace zavo {

namespace {

// "Wed Jun 30 21:49:08 1993\n" in local time, month and day names in English.
std::string CalendarText(std::time_t t) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm parts{};
  if (localtime_r(&t, &parts) == nullptr) return "\n";
  char text[64];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d\n", kDays[parts.tm_wday % 7],
                kMonths[parts.tm_mon % 12], parts.tm_mday, parts.tm_hour, parts.tm_min,
                parts.tm_sec, parts.tm_year + 1900);
  return text;
}

}  // namespace

std::string ImageTimeReport(std::time_t start, std::time_t end) {
  const double x = std::difftime(end, start);
  const int h = SaturateToInt(x / 3600);
  const double r = x - 3600.0 * h;
  const int m = SaturateToInt(r / 60);
  const int s = SaturateToInt(r - 60.0 * m);
  std::ostringstream os;
  os << "Start Time : " << CalendarText(start) << '\n'
     << "End Time : " << CalendarText(end) << '\n'
     << "Total Time : H=" << h << " M=" << m << " S=" << s << '\n';
  return os.str();
}

}  // namespace zavo
