// The sheet's entries on their way to a saved file and the printout: each field's label
// as on its page, and the amount Save writes for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "assessment/fields.h"

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

}  // namespace varnolix
