#pragma once

// The texts of render timing: the split of a number of seconds into hours,
// minutes and seconds, and the calendar text of a time.

#include <ctime>
#include <string>

// h := trunc(x / 3600); r := x - 3600 h; m := trunc(r / 60); s := trunc(r - 60 m).
void SecondsToHMS(double x, int& h, int& m, int& s);

namespace zavo {

// "Www Mmm dd hh:mm:ss yyyy" in local time: English three-letter weekday and
// month, the day of the month in two digits; 24 characters, no line end.
std::string CalendarText(std::time_t t);

}  // namespace zavo
