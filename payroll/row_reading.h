// One row of a payroll file read as the batch tool reads it: each field's amount, what a
// person would type for it, and what is wrong with the row, in the words the tool writes
// in its error column. The program opens a row the same way, so it refuses what the tool
// refuses.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/fields.h"
#include "payroll/columns.h"

namespace varnolix::payroll {

enum class AmountReading : std::uint8_t {
  kStrict,   // a number as a person writes it, or the row is refused
  kLenient,  // the cell as the program's fields read it, whatever it holds
};

struct RowReading {
  PerField<double> amounts{};       // as written: a monthly salary per month
  PerField<std::string> typed;      // what a person would type: the bare amount, or the cell read leniently
  std::vector<std::string> errors;  // in column order, a wrong number of fields first
  // Every cell an amount, in a record as long as the header; only the basic salary's
  // value may still be wrong.
  bool amountsRead = true;
  bool ok() const { return errors.empty(); }
};

// A record whose cells are all blank, as spreadsheets leave rows of bare separators below
// their data: no row of anyone, and so never an error.
bool IsBlankRecord(std::span<const std::string_view> fields);

// How many fields a record should have and has, when they differ.
struct FieldCount {
  size_t expected;
  size_t found;
};

// What is wrong with the number of the record's fields: nothing when it has one under
// each column. In a file the tool assessed before, its own columns are not counted, a
// record that lacks only cells of them lacks nothing, and a record the tool padded out
// for being short is short still while the cells it padded stay empty.
std::optional<FieldCount> WrongFieldCount(const ColumnMap& columns, std::span<const std::string_view> fields,
                                          long long line);

// The record `fields` under the header `columns`; fields past the end of a short record
// count as empty. `line` names the row in the errors.
RowReading ReadRow(const ColumnMap& columns, std::span<const std::string_view> fields, long long line,
                   AmountReading reading = AmountReading::kStrict);

}  // namespace varnolix::payroll
