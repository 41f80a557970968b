// Header names a clerk plausibly meant for an amount column without writing its name:
// a misspelling ("hra_recieved_pm"), or the start of the name, alone or with a word
// that says it is an amount ("Rent", "Basic Salary", "PF"). Names of other sections of
// the law ("80C", "Section 80G") are not near misses of ours.
#pragma once

#include <cstddef>
#include <string_view>

#include "assessment/fields.h"

namespace varnolix::payroll {

// Whether `matchedName`, a header cell as MatchedName gives it, looks meant for the
// column of `field` without being its name.
bool LooksMeantFor(std::string_view matchedName, const FieldInfo& field);

// The optimal-string-alignment distance: insertions, deletions, substitutions and swaps
// of two neighbouring characters, each counting one.
std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace varnolix::payroll
