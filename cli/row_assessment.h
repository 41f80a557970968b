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
  // then input(), assessment() and results() describe it. Every view stays valid until the
  // next call, as long as `fields` does.
  bool Assess(std::span<const std::string_view> fields, long long line);

  // The row's errors in column order, joined with "; ".
  const std::string& errors() const { return errors_; }
  size_t errorCount() const { return errorEnds_.size(); }
  std::string_view error(size_t i) const;

  // The text each field was given: the bare amount in strict reading, the cell in lenient.
  std::string_view fieldText(Field field) const { return texts_[static_cast<size_t>(field)]; }
  const AssessmentInput& input() const { return input_; }
  const Assessment& assessment() const { return assessment_; }
  const ResultTexts& results() const { return results_; }

 private:
  void AddError(std::string_view text);

  const ColumnMap& columns_;
  AmountReading reading_;
  std::array<std::string_view, kFieldCount> texts_{};
  std::array<std::string, kFieldCount> bare_;  // amounts with their separators taken out
  std::string excerpt_;
  std::string message_;
  std::string errors_;
  std::vector<size_t> errorEnds_;
  std::string annualBasic_, annualAllowances1_, annualAllowances2_;
  AssessmentInput input_;
  Assessment assessment_;
  ResultTexts results_;
};

}  // namespace varnolix::cli
