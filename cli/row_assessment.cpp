#include "cli/row_assessment.h"

#include <cmath>

#include "assessment/amount.h"
#include "cli/messages.h"
#include "cli/strict_amount.h"

namespace varnolix::cli {
namespace {

// Below this many digits before the point no amount, nor twelve times one, overflows a double.
constexpr size_t kDigitsThatMayOverflow = 300;

// A value, or for a monthly salary its annual figure, too large for a double would give
// "inf" results, or read back as 0 from the annual echo, without a word.
bool Overflows(std::string_view bare, bool monthly) {
  const double value = ReadAmount(bare);
  return std::isinf(value) || (monthly && std::isinf(value * 12));
}

}  // namespace

RowAssessor::RowAssessor(const ColumnMap& columns, AmountReading reading) : columns_(columns), reading_(reading) {}

std::string_view RowAssessor::error(size_t i) const {
  const size_t begin = i == 0 ? 0 : errorEnds_[i - 1] + 2;  // past "; "
  return std::string_view(errors_).substr(begin, errorEnds_[i] - begin);
}

void RowAssessor::AddError(std::string_view text) {
  if (!errors_.empty()) errors_ += "; ";
  errors_ += text;
  errorEnds_.push_back(errors_.size());
}

bool RowAssessor::Assess(std::span<const std::string_view> fields, long long line) {
  errors_.clear();
  errorEnds_.clear();
  texts_.fill({});
  if (fields.size() != columns_.fieldCount()) {
    message_.clear();
    AppendMessage(message_, Message::kWrongFieldCount, {line, columns_.fieldCount(), fields.size()});
    AddError(message_);
  }

  for (const ColumnMap::Column& column : columns_.columns()) {
    const std::string_view cell = column.index < fields.size() ? fields[column.index] : std::string_view{};
    const auto field = static_cast<size_t>(column.field);
    std::string_view text = cell;
    if (reading_ == AmountReading::kStrict && !cell.empty()) {
      const StrictAmount amount = ParseStrictAmount(cell, bare_[field]);
      if (!amount.ok ||
          (amount.integerDigits >= kDigitsThatMayOverflow && Overflows(amount.bare, kColumns[field].monthlySalary))) {
        bool cut = false;
        excerpt_ = QuotableExcerpt(cell, cut);
        if (cut) excerpt_ += "...";
        message_.clear();
        AppendMessage(message_, Message::kNotAnAmount, {line, column.name, excerpt_});
        AddError(message_);
        continue;
      }
      text = amount.bare;
    }
    texts_[field] = text;
    if (column.field == Field::kBasicPm && IsZeroOrNegative(text)) {
      AddError(MessageText(Message::kBasicNeedsValue));
    }
  }
  if (!errors_.empty()) return false;

  auto text = [this](Field field) { return texts_[static_cast<size_t>(field)]; };
  // The Income page echoes each monthly salary field times 12 into its annual field.
  annualBasic_ = AnnualEcho(text(Field::kBasicPm));
  annualAllowances1_ = AnnualEcho(text(Field::kAllowances1Pm));
  annualAllowances2_ = AnnualEcho(text(Field::kAllowances2Pm));
  input_.income = {annualBasic_,          annualAllowances1_,   annualAllowances2_,
                   text(Field::kLtaAnnual), text(Field::kRentPm), text(Field::kHraReceivedPm)};
  input_.standardDeduction = StandardDeductionTexts{text(Field::kProfessionTax)};
  input_.section80 = Section80Texts{text(Field::k80L),   text(Field::k80D),  text(Field::k80E),
                                    text(Field::k80CCC), text(Field::k80DD), text(Field::k80DDB)};
  input_.section88 = Section88Texts{text(Field::kPfContribution), text(Field::kLicPremium),
                                    text(Field::kPpf),            text(Field::kMutualFund),
                                    text(Field::kOtherInvestments), text(Field::kInfrastructureBond)};
  assessment_ = varnolix::Assess(input_);
  results_ = ResultTextsOf(assessment_);
  return true;
}

}  // namespace varnolix::cli
