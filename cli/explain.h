// --explain: each row's working as plain text, so a person can check every step.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "cli/row_assessment.h"

namespace varnolix::cli {

// A passed-through cell with its column's header, to tell whose row it is.
using NamedCell = std::pair<std::string_view, std::string_view>;

// Appends the row's working, or its errors if it has any, headed by its line.
void AppendExplanation(std::string& out, long long line, std::span<const NamedCell> who, const RowAssessor& row,
                       bool ok);

}  // namespace varnolix::cli
