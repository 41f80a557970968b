// Where the fields of the program stand in a particular header: each input field has
// its column (see kFields); any other column passes through untouched. Names match as
// clerks write them; a name that looks meant for an amount column the file lacks is
// caught, so that no amount is left out of an assessment without a word.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/fields.h"

namespace varnolix::payroll {

// A header cell as columns are matched: in lower case, without blanks, underscores,
// hyphens and dots, so that "HRA Received P.M." and "hra_received_pm" are one name.
std::string MatchedName(std::string_view headerCell);

// The field a header cell names, matched as MatchedName.
std::optional<Field> RecognisedField(std::string_view headerCell);

// Whether a header cell is one of the columns the tool writes, its five results and its
// error, under its exact name (blanks around it aside): a file's own "Gross Salary" is not.
bool IsAssessedColumnName(std::string_view headerCell);

// Where the tool's own columns stand in a header that has each of them exactly once.
struct AssessedColumns {
  PerResult<size_t> results{};
  size_t error = 0;
};

class ColumnMap {
 public:
  struct Column {
    size_t index;  // position in the record
    Field field;
    std::string name;  // the header cell as written, without its surrounding blanks
  };
  struct Duplicate {
    std::string_view name;  // the recognised name
    size_t first;
    size_t second;  // 1-based field numbers
    std::string firstCell, secondCell;  // as written, without their surrounding blanks
  };
  // A header cell that looks meant for an amount column the file lacks: a misspelling
  // of its name, or the bare start of it.
  struct NearMiss {
    size_t position;   // 1-based field number
    std::string cell;  // as written, without its surrounding blanks
    Field meant;
  };

  // Fails with the first recognised name that appears twice. The columns named in
  // `kept` (matched as MatchedName) pass through whatever their names.
  static ColumnMap FromHeader(std::span<const std::string_view> header, std::optional<Duplicate>& duplicate,
                              std::span<const std::string> kept = {});

  size_t fieldCount() const { return m_headerNames.size(); }
  // The field's position in a record, if the header has it.
  std::optional<size_t> IndexOf(Field field) const { return m_indexOf[field]; }
  // The recognised columns in header order.
  std::span<const Column> columns() const { return m_columns; }
  // The other columns, which pass through untouched; the tool's own among them.
  std::span<const size_t> passthrough() const { return m_passthrough; }
  std::string_view header(size_t index) const { return m_headerNames[index]; }
  // The first header cell that looks meant for an amount column the file lacks.
  const std::optional<NearMiss>& nearMiss() const { return m_nearMiss; }

  // The tool's own columns, when the header has all of them (a file it assessed before):
  // it fills them again in place. A record's own cells are the others.
  const std::optional<AssessedColumns>& assessedColumns() const { return m_assessed; }
  // The columns that hold a record's own cells, in order: all of them but the tool's
  // own, when it fills those in place.
  std::span<const size_t> ownColumns() const { return m_ownColumns; }
  // How many of the own cells a record of `recordFields` fields has, its surplus included.
  size_t OwnCells(size_t recordFields) const;

  // Whether the file comes from a decimal-comma locale (it is separated by semicolons),
  // where an amount that reads one way with a point and another with a comma is refused.
  bool decimalCommaDoubts() const { return m_decimalCommaDoubts; }
  void DoubtDecimalCommas() { m_decimalCommaDoubts = true; }

 private:
  void FindAssessedColumns();
  void FindNearMiss(std::span<const std::string_view> header, std::span<const std::string> kept);

  PerField<std::optional<size_t>> m_indexOf{};
  std::vector<Column> m_columns;
  std::vector<size_t> m_passthrough;
  std::vector<std::string> m_headerNames;
  std::optional<NearMiss> m_nearMiss;
  std::optional<AssessedColumns> m_assessed;
  std::vector<size_t> m_ownColumns;
  bool m_decimalCommaDoubts = false;
};

}  // namespace varnolix::payroll
