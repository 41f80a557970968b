#include "payroll/row_reading.h"

#include <algorithm>

#include "assessment/amount.h"
#include "payroll/ascii.h"
#include "payroll/messages.h"
#include "payroll/strict_amount.h"

namespace varnolix::payroll {

bool IsBlankRecord(std::span<const std::string_view> fields) {
  return std::ranges::all_of(fields, [](std::string_view cell) { return TrimBlanks(cell).empty(); });
}

RowReading ReadRow(const ColumnMap& columns, std::span<const std::string_view> fields, long long line,
                   AmountReading reading) {
  RowReading row;
  if (fields.size() != columns.fieldCount()) {
    row.amountsRead = false;
    row.errors.push_back(MessageText(Message::kWrongFieldCount, {line, columns.fieldCount(), fields.size()}));
  }
  std::string storage;
  for (const ColumnMap::Column& column : columns.columns()) {
    const std::string_view cell = column.index < fields.size() ? fields[column.index] : std::string_view{};
    const bool monthly = Info(column.field).echoed;
    double& value = row.amounts[column.field];
    bool read = true;
    if (reading == AmountReading::kLenient) {
      value = ReadAmount(cell);
      row.typed[column.field] = cell;
    } else {
      const StrictAmount amount = ReadStrictAmount(cell, storage);
      value = amount.value;
      row.typed[column.field] = amount.bare;
      // An amount too large for a double, or a monthly salary whose annual figure is,
      // would give "inf" results, or read back as 0 from the annual echo, without a word.
      read = amount.ok && !IsTooLargeToHold(value, monthly);
    }
    if (!read) {
      row.amountsRead = false;
      bool cut = false;
      std::string excerpt(QuotableExcerpt(cell, cut));
      if (cut) excerpt += "...";
      row.errors.push_back(MessageText(Message::kNotAnAmount, {line, column.name, excerpt}));
    } else if (column.field == Field::kBasic && IsZeroNegativeOrTooLarge(value, monthly)) {
      row.errors.push_back(MessageText(Message::kBasicNotAboveZero, {line, column.name, kBasicNeedsValue}));
    }
  }
  return row;
}

}  // namespace varnolix::payroll
