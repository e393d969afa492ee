// Status texts while an image is rendered and the time text after it.

#include "render/render_times.h"

#include <cstdio>
#include <ostream>

#include "foundation/number_text.h"
#include "scene/scene.h"

void SecondsToHMS(double x, int& h, int& m, int& s) {
  h = zavo::SaturateToInt(x / 3600);
  const double r = x - 3600.0 * h;
  m = zavo::SaturateToInt(r / 60);
  s = zavo::SaturateToInt(r - 60.0 * m);
}

namespace zavo {

std::string CalendarText(std::time_t t) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) local = std::tm{};
  const int day = local.tm_wday >= 0 && local.tm_wday < 7 ? local.tm_wday : 0;
  const int month = local.tm_mon >= 0 && local.tm_mon < 12 ? local.tm_mon : 0;
  char text[64];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %04d", kDays[day], kMonths[month],
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
  return text;
}

}  // namespace zavo

void CG_GraphicScene::SetClock(std::function<std::time_t()> clock) { clock_ = std::move(clock); }

std::time_t CG_GraphicScene::Now() const { return clock_ ? clock_() : std::time(nullptr); }

void CG_GraphicScene::ReportLine(int row) {
  const double elapsed = std::difftime(Now(), startTime_);
  remainingTime_ =
      row == -1 ? 0 : zavo::SaturateToInt(param_.dimy * (elapsed / (row + 1.0)) - elapsed);
  int h = 0, m = 0, s = 0;
  SecondsToHMS(remainingTime_, h, m, s);
  const std::string text = "Line " + std::to_string(row) + "   H=" + std::to_string(h) +
                           "  M=" + std::to_string(m) + "  S=" + std::to_string(s);
  interface_->Status(text.c_str());
}

std::ostream& CG_GraphicScene::ReportTimes(std::ostream& os) const {
  int h = 0, m = 0, s = 0;
  SecondsToHMS(std::difftime(endTime_, startTime_), h, m, s);
  os << "Start Time : " << zavo::CalendarText(startTime_) << "\n\n"
     << "End Time : " << zavo::CalendarText(endTime_) << "\n\n"
     << "Total Time : H=" << std::to_string(h) << " M=" << std::to_string(m)
     << " S=" << std::to_string(s) << "\n";
  return os;
}
