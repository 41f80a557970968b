// The sheet's entries on their way to a saved file and the printout: each field's label
// as on its page, the amount Save writes for it, and whose they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "assessment/fields.h"
#include "computation/computation.h"
#include "payroll/who_columns.h"

namespace varnolix {

struct SheetReading;

// "Basic Per Month", as the field's page labels it.
std::string_view EntryLabel(Field field);

// The amount of each field of a page shown, as the program reads its text (so "12abc" is
// 12); nothing for an empty field or a page never shown. Fails with the message that
// names the first field whose amount no payroll file can hold.
struct SavedAmounts {
  PerField<std::optional<double>> amounts;
  std::string problem;
};
SavedAmounts AmountsToSave(const SheetReading& reading);

// Whose computation a printed sheet is: the row's employee, from the file named `file`
// (its line, 0 in a file of one row), the entries changed since or not.
Who SheetWho(const payroll::Who& who, std::string file, long long line, bool changedSinceOpened = false);

}  // namespace varnolix
