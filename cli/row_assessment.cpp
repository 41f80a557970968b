#include "cli/row_assessment.h"

#include <cmath>
#include <memory>
#include <optional>
#include <type_traits>

#include "assessment/amount.h"
#include "cli/messages.h"
#include "cli/strict_amount.h"

namespace varnolix::cli {
namespace {

// A value, or for a monthly salary its annual figure, too large for a double would give
// "inf" results, or read back as 0 from the annual echo, without a word.
bool Overflows(double value, bool monthly) { return std::isinf(value) || (monthly && std::isinf(value * 12)); }

double ValueOf(const std::array<double, kFieldCount>& values, Field field) { return values[static_cast<size_t>(field)]; }

}  // namespace

RowAssessor::RowAssessor(const ColumnMap& columns, AmountReading reading) : columns_(columns), reading_(reading) {}

std::string_view RowAssessor::error(size_t i) const {
  const size_t begin = i == 0 ? 0 : errorEnds_[i - 1] + 2;  // past "; "
  return std::string_view(errors_).substr(begin, errorEnds_[i] - begin);
}

std::string RowAssessor::fieldText(Field field) const {
  const std::optional<size_t> index = columns_.IndexOf(field);
  const std::string_view cell = index ? CellOf(*index) : std::string_view{};
  if (reading_ == AmountReading::kLenient) return std::string(cell);
  std::string storage;
  return std::string(ParseStrictAmount(cell, storage).bare);
}

void RowAssessor::AddError(std::string_view text) {
  if (!errors_.empty()) errors_ += "; ";
  errors_ += text;
  errorEnds_.push_back(errors_.size());
}

bool RowAssessor::ReadCell(std::string_view cell, const ColumnMap::Column& column, double& value) {
  if (cell.empty()) {
    value = 0;
    return true;
  }
  if (reading_ == AmountReading::kLenient) {
    value = ReadAmount(cell);
    return true;
  }
  if (ReadShortPlainAmount(cell, value)) return true;
  return ReadLongerAmount(cell, column, value);
}

bool RowAssessor::ReadLongerAmount(std::string_view cell, const ColumnMap::Column& column, double& value) {
  const StrictValue amount = ReadStrictAmount(cell, bare_);
  value = amount.value;
  return amount.ok && !Overflows(amount.value, kColumns[static_cast<size_t>(column.field)].monthlySalary);
}

bool RowAssessor::ReadRow() {
  bool ok = fields_.size() == columns_.fieldCount();
  if (reading_ == AmountReading::kLenient) {
    for (const ColumnMap::Column& column : columns_.columns()) {
      values_[static_cast<size_t>(column.field)] = ReadAmount(CellOf(column.index));
    }
  } else {
    for (const ColumnMap::Column& column : columns_.columns()) {
      const std::string_view cell = CellOf(column.index);
      double& value = values_[static_cast<size_t>(column.field)];
      if (cell.empty()) {
        value = 0;  // as most optional cells are
      } else if (!ReadShortPlainAmount(cell, value)) {
        ok = ReadLongerAmount(cell, column, value) && ok;
      }
    }
  }
  return ok && !IsZeroOrNegative(ValueOf(values_, Field::kBasicPm));
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
    if (!ReadCell(cell, column, value)) {
      bool cut = false;
      excerpt_ = QuotableExcerpt(cell, cut);
      if (cut) excerpt_ += "...";
      message_.clear();
      AppendMessage(message_, Message::kNotAnAmount, {line, column.name, excerpt_});
      AddError(message_);
    } else if (column.field == Field::kBasicPm && IsZeroOrNegative(value)) {
      AddError(MessageText(Message::kBasicNeedsValue));
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

  auto value = [this](Field field) { return ValueOf(values_, field); };
  // The Income page echoes each monthly salary field times 12 into its annual field.
  amounts_.income = {AnnualEchoValue(value(Field::kBasicPm)),       AnnualEchoValue(value(Field::kAllowances1Pm)),
                     AnnualEchoValue(value(Field::kAllowances2Pm)), value(Field::kLtaAnnual),
                     value(Field::kRentPm),                         value(Field::kHraReceivedPm)};
  amounts_.standardDeduction = StandardDeductionAmounts{value(Field::kProfessionTax)};
  amounts_.section80 = Section80Amounts{value(Field::k80L),   value(Field::k80D),  value(Field::k80E),
                                        value(Field::k80CCC), value(Field::k80DD), value(Field::k80DDB)};
  amounts_.section88 = Section88Amounts{value(Field::kPfContribution),   value(Field::kLicPremium),
                                        value(Field::kPpf),              value(Field::kMutualFund),
                                        value(Field::kOtherInvestments), value(Field::kInfrastructureBond)};
  // Made in place rather than assigned: the assessment is large and kept for the explanation.
  static_assert(std::is_trivially_destructible_v<Assessment>);
  std::construct_at(&assessment_, varnolix::Assess(amounts_));
  results_ = ResultAmountsOf(assessment_);
  return true;
}

}  // namespace varnolix::cli
