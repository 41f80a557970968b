// One row of the input, assessed as if a person had typed its amounts into the fields of
// the same names and shown every page of the program.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/assessment.h"
#include "cli/columns.h"
#include "cli/csv_reader.h"

namespace varnolix::cli {

enum class AmountReading : std::uint8_t {
  kStrict,   // a number as a person writes it, or the row is refused
  kLenient,  // the cell as the program's fields read it, whatever it holds
};

class RowAssessor {
 public:
  // `columns` must have a basic_pm column and outlive the assessor.
  RowAssessor(const ColumnMap& columns, AmountReading reading);

  // Fields past the end of a short record count as empty. True when the row has no error;
  // then assessment() and results() describe it, until the next call. Each field must be
  // followed by at least CsvReader::kFieldPadding readable bytes, as a CsvReader's fields are.
  bool Assess(std::span<const std::string_view> fields, long long line);

  // The row's errors in column order, joined with "; ".
  const std::string& errors() const { return errors_; }
  size_t errorCount() const { return errorEnds_.size(); }
  std::string_view error(size_t i) const;

  // What each field was given, as a person would type it: the bare amount in strict
  // reading, the cell in lenient. Empty for the columns the input lacks.
  PerField<std::string> TypedTexts() const;
  const Assessment& assessment() const { return assessment_; }
  const PerResult<double>& results() const { return results_; }

 private:
  // The field's cell, empty when the record stops short of it or the header lacks it;
  // like every field of CsvReader, followed by readable bytes.
  std::string_view CellOf(size_t index) const {
    static constexpr char kPadding[CsvReader::kFieldPadding] = {};
    return index < fields_.size() ? fields_[index] : std::string_view(kPadding, 0);
  }
  // The cell's value, or false when it is no amount.
  bool ReadCell(std::string_view cell, Field field, double& value);
  // A strict cell that the quick route does not read.
  bool ReadLongerAmount(std::string_view cell, Field field, double& value);
  // Every value of the row, or false when the row has an error.
  bool ReadRow();
  // The errors of a row that has some, in column order.
  void CollectErrors(long long line);
  void AddError(std::string_view text);

  const ColumnMap& columns_;
  AmountReading reading_;
  std::span<const std::string_view> fields_;
  AssessmentInput input_;  // 0 for the columns the input lacks
  std::string bare_;  // an amount with its separators taken out, on the way to its value
  std::string excerpt_;
  std::string message_;
  std::string errors_;
  std::vector<size_t> errorEnds_;
  Assessment assessment_;
  PerResult<double> results_{};
};

}  // namespace varnolix::cli
