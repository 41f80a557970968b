// Today's date, for the computation sheet: the one place the program reads the clock,
// so that tests fix the day and two printings of one day match.
#pragma once

#include <chrono>
#include <string>

namespace varnolix {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::year_month_day Today() = 0;
  static Clock& Production();
};

// "7 December 2026": the day as the sheet writes it, in any locale.
std::string DateText(std::chrono::year_month_day day);
// Today, by the clock in place, as DateText writes it.
std::string TodayText();

}  // namespace varnolix
