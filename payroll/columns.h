// Where the fields of the program stand in a particular header: each input field has
// its column (see kFields); any other column passes through untouched.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/fields.h"

namespace varnolix::payroll {

// The field a header cell names, matched after trimming blanks, ignoring ASCII case.
std::optional<Field> RecognisedField(std::string_view headerCell);

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
  };

  // Fails with the first recognised name that appears twice.
  static ColumnMap FromHeader(std::span<const std::string_view> header, std::optional<Duplicate>& duplicate);

  size_t fieldCount() const { return m_headerNames.size(); }
  // The field's position in a record, if the header has it.
  std::optional<size_t> IndexOf(Field field) const { return m_indexOf[field]; }
  // The recognised columns in header order.
  std::span<const Column> columns() const { return m_columns; }
  // The other columns, which pass through untouched.
  std::span<const size_t> passthrough() const { return m_passthrough; }
  std::string_view header(size_t index) const { return m_headerNames[index]; }

 private:
  PerField<std::optional<size_t>> m_indexOf{};
  std::vector<Column> m_columns;
  std::vector<size_t> m_passthrough;
  std::vector<std::string> m_headerNames;
};

}  // namespace varnolix::payroll
