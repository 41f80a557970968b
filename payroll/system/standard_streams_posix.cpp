#include <unistd.h>

#include "payroll/byte_stream.h"
#include "payroll/system/standard_streams.h"

namespace varnolix::payroll::system {

int StandardInput() { return STDIN_FILENO; }

int StandardOutput() { return STDOUT_FILENO; }

bool WriteStandardError(std::string_view text) { return FdSink(STDERR_FILENO).Write(text); }

}  // namespace varnolix::payroll::system
