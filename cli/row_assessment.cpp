#include "cli/row_assessment.h"

#include <cmath>
#include <memory>
#include <optional>
#include <type_traits>

#include "assessment/amount.h"
#include "cli/messages.h"
#include "cli/quick_amount.h"
#include "cli/strict_amount.h"

namespace varnolix::cli {
namespace {

// A value, or for a monthly salary its annual figure, too large for a double would give
// "inf" results, or read back as 0 from the annual echo, without a word.
bool Overflows(double value, bool monthly) { return std::isinf(value) || (monthly && std::isinf(value * 12)); }

}  // namespace

RowAssessor::RowAssessor(const ColumnMap& columns, AmountReading reading) : columns_(columns), reading_(reading) {
  input_.standardDeductionShown = true;
  input_.section80Shown = true;
  input_.section88Shown = true;
}

std::string_view RowAssessor::error(size_t i) const {
  const size_t begin = i == 0 ? 0 : errorEnds_[i - 1] + 2;  // past "; "
  return std::string_view(errors_).substr(begin, errorEnds_[i] - begin);
}

PerField<std::string> RowAssessor::TypedTexts() const {
  PerField<std::string> texts;
  std::string storage;
  for (const ColumnMap::Column& column : columns_.columns()) {
    const std::string_view cell = CellOf(column.index);
    texts[column.field] = reading_ == AmountReading::kLenient ? cell : ParseStrictAmount(cell, storage).bare;
  }
  return texts;
}

void RowAssessor::AddError(std::string_view text) {
  if (!errors_.empty()) errors_ += "; ";
  errors_ += text;
  errorEnds_.push_back(errors_.size());
}

bool RowAssessor::ReadCell(std::string_view cell, Field field, double& value) {
  if (cell.empty()) {
    value = 0;
    return true;
  }
  if (reading_ == AmountReading::kLenient) {
    value = ReadAmount(cell);
    return true;
  }
  if (ReadShortPlainAmount(cell, value)) return true;
  return ReadLongerAmount(cell, field, value);
}

bool RowAssessor::ReadLongerAmount(std::string_view cell, Field field, double& value) {
  const StrictValue amount = ReadStrictAmount(cell, bare_);
  value = amount.value;
  return amount.ok && !Overflows(amount.value, Info(field).annualId != 0);
}

bool RowAssessor::ReadRow() {
  bool ok = fields_.size() == columns_.fieldCount();
  if (reading_ == AmountReading::kLenient) {
    for (const ColumnMap::Column& column : columns_.columns()) {
      input_.amounts[column.field] = ReadAmount(CellOf(column.index));
    }
  } else {
    for (const ColumnMap::Column& column : columns_.columns()) {
      const std::string_view cell = CellOf(column.index);
      double& value = input_.amounts[column.field];
      if (cell.empty()) {
        value = 0;  // as most optional cells are
      } else if (!ReadShortPlainAmount(cell, value)) {
        ok = ReadLongerAmount(cell, column.field, value) && ok;
      }
    }
  }
  return ok && !IsZeroOrNegative(input_.amounts[Field::kBasic]);
}

void RowAssessor::CollectErrors(long long line) {
  if (fields_.size() != columns_.fieldCount()) {
    message_.clear();
    AppendMessage(message_, Message::kWrongFieldCount, {line, columns_.fieldCount(), fields_.size()});
    AddError(message_);
  }
  for (const ColumnMap::Column& column : columns_.columns()) {
    const std::string_view cell = CellOf(column.index);
    double value = 0;
    if (!ReadCell(cell, column.field, value)) {
      bool cut = false;
      excerpt_ = QuotableExcerpt(cell, cut);
      if (cut) excerpt_ += "...";
      message_.clear();
      AppendMessage(message_, Message::kNotAnAmount, {line, column.name, excerpt_});
      AddError(message_);
    } else if (column.field == Field::kBasic && IsZeroOrNegative(value)) {
      AddError(kBasicNeedsValue);
    }
  }
}

bool RowAssessor::Assess(std::span<const std::string_view> fields, long long line) {
  errors_.clear();
  errorEnds_.clear();
  fields_ = fields;
  if (!ReadRow()) {
    CollectErrors(line);
    return false;
  }

  // The Income page echoes each monthly salary times 12 into its annual field, which the
  // assessment reads.
  for (const FieldInfo& info : kFields) {
    if (info.annualId != 0) input_.amounts[info.field] = QuickAnnualEchoValue(input_.amounts[info.field]);
  }
  // Made in place rather than assigned: the assessment is large and kept for the explanation.
  static_assert(std::is_trivially_destructible_v<Assessment>);
  std::construct_at(&assessment_, varnolix::Assess(input_));
  results_ = ResultAmountsOf(assessment_);
  return true;
}

}  // namespace varnolix::cli
