#include "platform/clock.h"

#include <array>
#include <ctime>

#include "platform/service.h"

namespace varnolix {
namespace {

class SystemClock : public Clock {
 public:
  std::chrono::year_month_day Today() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return {};
    return {std::chrono::year(local.tm_year + 1900), std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
            std::chrono::day(static_cast<unsigned>(local.tm_mday))};
  }
};

}  // namespace

Clock& Clock::Production() {
  static SystemClock clock;
  return clock;
}

std::string DateText(std::chrono::year_month_day day) {
  static constexpr std::array<const char*, 12> kMonths{"January", "February", "March",     "April",   "May",      "June",
                                                       "July",    "August",   "September", "October", "November", "December"};
  const unsigned month = static_cast<unsigned>(day.month());
  if (!day.ok() || month < 1 || month > 12) return {};
  return std::to_string(static_cast<unsigned>(day.day())) + " " + kMonths[month - 1] + " " +
         std::to_string(static_cast<int>(day.year()));
}

std::string TodayText() { return DateText(Service<Clock>().Today()); }

}  // namespace varnolix
