// One row of the input, assessed as if a person had typed its amounts into the fields of
// the same names and shown every page of the program.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/assessment.h"
#include "cli/file_format.h"

namespace varnolix::cli {

class RowAssessor {
 public:
  // `columns` must have a basic_pm column and outlive the assessor.
  RowAssessor(const ColumnMap& columns, AmountReading reading);

  // Fields past the end of a short record count as empty. True when the row has no error;
  // then assessment() and results() describe it, until the next call.
  bool Assess(std::span<const std::string_view> fields, long long line);

  // A cell that --lenient read only in part: its leading number, or 0 for none.
  struct PartialRead {
    const ColumnMap::Column* column;
    std::string_view cell;  // valid until the next call
    double value;
  };
  // The cells read only in part, in column order; none in strict reading.
  std::span<const PartialRead> partialReads() const { return m_partialReads; }

  // The row's errors in column order, joined with "; ".
  const std::string& errors() const { return m_errors; }
  size_t errorCount() const { return m_errorEnds.size(); }
  std::string_view error(size_t i) const;

  // What each field was given, as a person would type it: the bare amount in strict
  // reading, the cell in lenient. Empty for the columns the input lacks.
  PerField<std::string> TypedTexts() const;
  const Assessment& assessment() const { return m_assessment; }
  const PerResult<double>& results() const { return m_results; }

 private:
  // The cell of a column, empty when the record stops short of it.
  std::string_view CellOf(size_t index) const { return index < m_fields.size() ? m_fields[index] : std::string_view{}; }
  // The cell's value, or false when it is no amount.
  bool ReadCell(const ColumnMap::Column& column, double& value);
  // A cell that is not plain digits with at most one point.
  bool ReadOtherAmount(std::string_view cell, Field field, double& value);
  // A cell as the program's fields read it, noting a cell read only in part.
  bool ReadLenientCell(const ColumnMap::Column& column, std::string_view cell, double& value);

  const ColumnMap& m_columns;
  AmountReading m_reading;
  bool m_refills;  // the header has the tool's own columns, to fill in place
  std::vector<Field> m_echoed;  // the monthly salaries among the columns
  std::span<const std::string_view> m_fields;
  long long m_line = 0;
  std::string m_bare;  // an amount with its separators taken out, on the way to its value
  std::string m_errors;
  std::vector<size_t> m_errorEnds;
  std::vector<PartialRead> m_partialReads;
  AssessmentInput m_input;
  Assessment m_assessment;
  PerResult<double> m_results{};
};

}  // namespace varnolix::cli
