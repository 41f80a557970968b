// How many threads are worth starting: the processors this process can run on.
#pragma once

namespace varnolix::payroll::system {

// At least 1. On Linux, only those the process may use (taskset, a container's share of
// processors); on Windows, those of every processor group, where more than 64 are split.
unsigned ProcessorCount();

}  // namespace varnolix::payroll::system
