#include <sched.h>

#include <algorithm>
#include <thread>

#include "payroll/system/processors.h"

namespace varnolix::payroll::system {

unsigned ProcessorCount() {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0) {
    return static_cast<unsigned>(CPU_COUNT(&allowed));
  }
  return std::max(1u, std::thread::hardware_concurrency());  // more processors than the set holds
}

}  // namespace varnolix::payroll::system
