#include <windows.h>

#include <algorithm>

#include "payroll/system/processors.h"

namespace varnolix::payroll::system {

unsigned ProcessorCount() { return std::max<unsigned>(1, GetActiveProcessorCount(ALL_PROCESSOR_GROUPS)); }

}  // namespace varnolix::payroll::system
