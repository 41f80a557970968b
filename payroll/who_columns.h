// Who a row of a payroll file is about: the columns that hold the employee's name, code,
// department and PAN, found from the header by how clerks head them ("Employee Name",
// "Emp ID", "Dept", ...). The list of rows, the window's title and the printed sheet
// name the row by them.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "payroll/columns.h"

namespace varnolix::payroll {

// Positions of the record's cells; none for a column the header lacks.
struct WhoColumns {
  std::optional<std::size_t> code;
  std::optional<std::size_t> name;
  std::optional<std::size_t> department;
  std::optional<std::size_t> pan;
};

// The leftmost column headed as each is; when the header names neither a name nor a
// code, the first column that is neither an amount nor a result stands for the name.
WhoColumns FindWhoColumns(const ColumnMap& columns);

// The cells of one row; empty for a column the header lacks.
struct Who {
  std::string code;
  std::string name;
  std::string department;
  std::string pan;
};

Who WhoOf(const WhoColumns& columns, std::span<const std::string_view> cells);

// "E1004 Meera Iyer": the code and the name, where the row has them.
std::string CodeAndName(const Who& who);

}  // namespace varnolix::payroll
