#include "cli/row_assessment.h"

#include <memory>
#include <type_traits>

#include "assessment/amount.h"
#include "cli/messages.h"
#include "cli/quick_amount.h"
#include "payroll/strict_amount.h"

namespace varnolix::cli {

RowAssessor::RowAssessor(const ColumnMap& columns, AmountReading reading) : m_columns(columns), m_reading(reading) {
  m_input.standardDeductionShown = true;
  m_input.section80Shown = true;
  m_input.section88Shown = true;
  for (const ColumnMap::Column& column : columns.columns()) {
    if (Info(column.field).annualId != 0) m_echoed.push_back(column.field);
  }
}

std::string_view RowAssessor::error(size_t i) const {
  const size_t begin = i == 0 ? 0 : m_errorEnds[i - 1] + 2;  // past "; "
  return std::string_view(m_errors).substr(begin, m_errorEnds[i] - begin);
}

PerField<std::string> RowAssessor::TypedTexts() const {
  PerField<std::string> texts;
  std::string storage;
  for (const ColumnMap::Column& column : m_columns.columns()) {
    const std::string_view cell = CellOf(column.index);
    texts[column.field] = m_reading == AmountReading::kLenient ? cell : payroll::ReadStrictAmount(cell, storage).bare;
  }
  return texts;
}

void RowAssessor::AddError(std::string_view text) {
  if (!m_errors.empty()) m_errors += "; ";
  m_errors += text;
  m_errorEnds.push_back(m_errors.size());
}

inline bool RowAssessor::ReadCell(std::string_view cell, Field field, double& value) {
  if (cell.empty()) {  // as most optional cells are
    value = 0;
    return true;
  }
  if (m_reading == AmountReading::kLenient) {
    value = ReadAmount(cell);
    return true;
  }
  return ReadPlainAmount(cell, value) || ReadOtherAmount(cell, field, value);
}

bool RowAssessor::ReadOtherAmount(std::string_view cell, Field field, double& value) {
  const payroll::StrictAmount amount = payroll::ReadStrictAmount(cell, m_bare);
  value = amount.value;
  // A value too large for a double, or a monthly salary whose annual figure is, would
  // give "inf" results, or read back as 0 from the annual echo, without a word.
  return amount.ok && !IsTooLargeToHold(value, Info(field).annualId != 0);
}

void RowAssessor::CollectErrors(long long line) {
  if (m_fields.size() != m_columns.fieldCount()) {
    m_message.clear();
    AppendMessage(m_message, Message::kWrongFieldCount, {line, m_columns.fieldCount(), m_fields.size()});
    AddError(m_message);
  }
  for (const ColumnMap::Column& column : m_columns.columns()) {
    const std::string_view cell = CellOf(column.index);
    double value = 0;
    if (!ReadCell(cell, column.field, value)) {
      bool cut = false;
      m_excerpt = QuotableExcerpt(cell, cut);
      if (cut) m_excerpt += "...";
      m_message.clear();
      AppendMessage(m_message, Message::kNotAnAmount, {line, column.name, m_excerpt});
      AddError(m_message);
    } else if (column.field == Field::kBasic && IsZeroNegativeOrTooLarge(value, Info(Field::kBasic).monthly)) {
      m_message.clear();
      AppendMessage(m_message, Message::kBasicNotAboveZero, {line, column.name, kBasicNeedsValue});
      AddError(m_message);
    }
  }
}

bool RowAssessor::Assess(std::span<const std::string_view> fields, long long line) {
  m_errors.clear();
  m_errorEnds.clear();
  m_fields = fields;
  bool ok = fields.size() == m_columns.fieldCount();
  for (const ColumnMap::Column& column : m_columns.columns()) {
    ok = ReadCell(CellOf(column.index), column.field, m_input.amounts[column.field]) && ok;
  }
  if (!ok || IsZeroNegativeOrTooLarge(m_input.amounts[Field::kBasic], Info(Field::kBasic).monthly)) {
    CollectErrors(line);
    return false;
  }
  // The Income page echoes each monthly salary times 12 into its annual field, which the
  // assessment reads.
  for (Field field : m_echoed) m_input.amounts[field] = QuickAnnualEchoValue(m_input.amounts[field]);
  // Made in place rather than assigned: the assessment is large and kept for the working.
  static_assert(std::is_trivially_destructible_v<Assessment>);
  std::construct_at(&m_assessment, varnolix::Assess(m_input));
  m_results = ResultAmountsOf(m_assessment);
  return true;
}

}  // namespace varnolix::cli
