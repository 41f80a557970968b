// A person's entries written back into their row of a payroll file: the file as it was,
// byte for byte, but for that one record. The record keeps its place, its line break, its
// separator and its other cells; its amounts are written as Save writes them, and the
// batch tool's result and error columns, where the file has them, hold what the tool
// would write for the row now, so that a later run of the tool leaves the line as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "assessment/fields.h"

namespace varnolix::document {

struct RewrittenFile {
  std::string bytes;
  std::string problem;  // why the row cannot be written back; empty when it can
};

// `file` holds every byte of the file named `fileName`, whose record on `line` must still
// have the fingerprint `record`. Refuses an amount for a field the file has no column for.
RewrittenFile WithRowWrittenBack(std::string_view file, std::string_view fileName, long long line, std::uint64_t record,
                                 const PerField<std::optional<double>>& amounts);

}  // namespace varnolix::document
