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

namespace {

// The short record's length that the error cell of a padded record states, when it states
// one about this record: "line 7: expected 20 fields, found 4", first among its errors.
std::optional<size_t> StatedShortLength(std::string_view errorCell, long long line, size_t expected) {
  const std::string start = MessageText(Message::kWrongFieldCount, {line, expected, ""});
  if (!errorCell.starts_with(start)) return std::nullopt;
  size_t digits = start.size();
  size_t found = 0;
  for (; digits < errorCell.size() && IsDigit(errorCell[digits]) && digits - start.size() < 12; ++digits) {
    found = found * 10 + DigitValue(errorCell[digits]);
  }
  if (found >= expected ||
      MessageText(Message::kWrongFieldCount, {line, expected, found}) != errorCell.substr(0, digits) ||
      !(digits == errorCell.size() || errorCell.substr(digits).starts_with("; "))) {
    return std::nullopt;
  }
  return found;
}

}  // namespace

std::optional<FieldCount> WrongFieldCount(const ColumnMap& columns, std::span<const std::string_view> fields,
                                          long long line) {
  const std::optional<AssessedColumns>& assessed = columns.assessedColumns();
  if (!assessed) {
    if (fields.size() == columns.fieldCount()) return std::nullopt;
    return FieldCount{columns.fieldCount(), fields.size()};
  }
  const size_t expected = columns.ownColumns().size();
  const size_t found = columns.OwnCells(fields.size());
  if (found != expected) return FieldCount{expected, found};
  if (assessed->error >= fields.size() || fields[assessed->error].empty()) return std::nullopt;
  const std::optional<size_t> padded = StatedShortLength(fields[assessed->error], line, expected);
  if (!padded) return std::nullopt;
  for (size_t index : columns.ownColumns().subspan(*padded)) {
    if (!TrimBlanks(fields[index]).empty()) return std::nullopt;  // filled in since: mended
  }
  return FieldCount{expected, *padded};
}

RowReading ReadRow(const ColumnMap& columns, std::span<const std::string_view> fields, long long line,
                   AmountReading reading) {
  RowReading row;
  if (const std::optional<FieldCount> count = WrongFieldCount(columns, fields, line)) {
    row.amountsRead = false;
    row.errors.push_back(MessageText(Message::kWrongFieldCount, {line, count->expected, count->found}));
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
      if (columns.decimalCommaDoubts()) {
        if (std::optional<std::string> doubt = DecimalDoubt(cell, amount, line, column.name)) {
          row.amountsRead = false;
          row.errors.push_back(std::move(*doubt));
          continue;
        }
      }
    }
    if (!read) {
      row.amountsRead = false;
      row.errors.push_back(MessageText(Message::kNotAnAmount, {line, column.name, QuotedCell(cell)}));
    } else if (column.field == Field::kBasic && IsZeroNegativeOrTooLarge(value, monthly)) {
      row.errors.push_back(MessageText(Message::kBasicNotAboveZero, {line, column.name, kBasicNeedsValue}));
    }
  }
  return row;
}

}  // namespace varnolix::payroll
