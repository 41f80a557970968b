#include "app/entries.h"

#include <cmath>

#include "assessment/amount.h"
#include "pages/sheet_reading.h"
#include "computation/computation.h"

namespace varnolix {

std::string_view EntryLabel(Field field) {
  return FieldLabel(field);
}

SavedAmounts AmountsToSave(const SheetReading& reading) {
  SavedAmounts saved;
  for (const FieldInfo& info : kFields) {
    const std::string& text = reading.typed[info.field];
    if (!reading.input.Shown(info.page) || text.empty()) continue;
    const double amount = ReadAmount(text);
    const std::string label(EntryLabel(info.field));
    // The batch tool reads no sign and no infinity, so such an amount would not come back.
    if (IsTooLargeToHold(amount, info.echoed)) {
      saved.problem = label + " is too large to hold.";
      return saved;
    }
    if (std::signbit(amount)) {
      saved.problem = label + " has a minus sign; a saved file holds amounts of 0 or more.";
      return saved;
    }
    saved.amounts[info.field] = amount;
  }
  return saved;
}

Who SheetWho(const payroll::Who& who, std::string file, long long line, bool changedSinceOpened) {
  return {.name = who.name,
          .code = who.code,
          .department = who.department,
          .pan = who.pan,
          .file = std::move(file),
          .line = line,
          .changedSinceOpened = changedSinceOpened};
}

}  // namespace varnolix
