#pragma once

// The time report shown when an image is finished.

#include <ctime>
#include <string>

namespace zavo {

// Three lines: "Start Time : " and the calendar text of start in local time
// (weekday, month, day, hh:mm:ss, year; its own newline follows, so an empty
// line comes next), "End Time : " and that of end, then "Total Time : H=h M=m
// S=s" for the seconds between them.
std::string ImageTimeReport(std::time_t start, std::time_t end);

}  // namespace zavo
