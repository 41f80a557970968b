#include "cli/row_assessment.h"

#include <memory>
#include <type_traits>

#include "assessment/amount.h"
#include "cli/file_format.h"
#include "cli/quick_amount.h"
#include "payroll/ascii.h"
#include "payroll/strict_amount.h"

namespace varnolix::cli {

RowAssessor::RowAssessor(const ColumnMap& columns, AmountReading reading)
    : m_columns(columns), m_reading(reading), m_refills(columns.assessedColumns().has_value()) {
  m_input.standardDeductionShown = true;
  m_input.section80Shown = true;
  m_input.section88Shown = true;
  for (const ColumnMap::Column& column : columns.columns()) {
    if (Info(column.field).echoed) m_echoed.push_back(column.field);
  }
}

std::string_view RowAssessor::error(size_t i) const {
  const size_t begin = i == 0 ? 0 : m_errorEnds[i - 1] + 2;  // past "; "
  return std::string_view(m_errors).substr(begin, m_errorEnds[i] - begin);
}

// The slow way is the shared reading of a row, which says what is wrong with it.
PerField<std::string> RowAssessor::TypedTexts() const {
  return payroll::ReadRow(m_columns, m_fields, m_line, m_reading).typed;
}

inline bool RowAssessor::ReadCell(const ColumnMap::Column& column, double& value) {
  const std::string_view cell = CellOf(column.index);
  if (cell.empty()) {  // as most optional cells are
    value = 0;
    return true;
  }
  if (m_reading == AmountReading::kLenient) return ReadLenientCell(column, cell, value);
  // A decimal-comma locale's file has its plain digits read the slow way, doubts and all.
  return (!m_columns.decimalCommaDoubts() && ReadPlainAmount(cell, value)) ||
         ReadOtherAmount(cell, column.field, value);
}

bool RowAssessor::ReadLenientCell(const ColumnMap::Column& column, std::string_view cell, double& value) {
  size_t used = 0;
  value = ReadAmount(cell, used);
  if (!payroll::TrimBlanks(cell.substr(used)).empty()) m_partialReads.push_back({&column, cell, value});
  return true;
}

bool RowAssessor::ReadOtherAmount(std::string_view cell, Field field, double& value) {
  const payroll::StrictAmount amount = payroll::ReadStrictAmount(cell, m_bare);
  value = amount.value;
  // A value too large for a double, or a monthly salary whose annual figure is, would
  // give "inf" results, or read back as 0 from the annual echo, without a word.
  return amount.ok && !IsTooLargeToHold(value, Info(field).echoed) &&
         !(m_columns.decimalCommaDoubts() && payroll::DecimalDoubt(cell, amount, m_line, {}));
}

bool RowAssessor::Assess(std::span<const std::string_view> fields, long long line) {
  m_errors.clear();
  m_errorEnds.clear();
  m_partialReads.clear();
  m_fields = fields;
  m_line = line;
  bool ok = m_refills ? !payroll::WrongFieldCount(m_columns, fields, line) : fields.size() == m_columns.fieldCount();
  for (const ColumnMap::Column& column : m_columns.columns()) {
    ok = ReadCell(column, m_input.amounts[column.field]) && ok;
  }
  if (!ok || IsZeroNegativeOrTooLarge(m_input.amounts[Field::kBasic], Info(Field::kBasic).monthly)) {
    for (const std::string& error : payroll::ReadRow(m_columns, fields, line, m_reading).errors) {
      if (!m_errors.empty()) m_errors += "; ";
      m_errors += error;
      m_errorEnds.push_back(m_errors.size());
    }
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
