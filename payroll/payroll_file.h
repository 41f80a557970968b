// A payroll file opened in the program: its rows listed so that a person can pick one,
// then the picked row read as the batch tool reads it. The file is read twice rather
// than held, so a file of any length lists in the memory its row names take.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "payroll/byte_stream.h"
#include "payroll/row_reading.h"

namespace varnolix::payroll {

// A row as the list shows it: the line it starts on and its first cell that is not an
// amount (a name or an employee number), empty when the file has no such column.
struct RowName {
  long long line;
  std::string name;
};

struct PayrollRows {
  std::vector<RowName> rows;
  std::string problem;  // why the file cannot be opened; empty when it can
};

// The rows of the file read from `source`, named `fileName` in messages. Refuses a file
// the batch tool refuses as a whole, one that is not text, and one without rows.
PayrollRows ListRows(ByteSource& source, std::string_view fileName);

// A column the program keeps beside its amounts: a name, a number, a department.
struct OtherCell {
  std::string column;
  std::string cell;
};

struct PickedRow {
  long long line = 0;
  RowReading reading;             // the amounts, or the batch tool's errors for the row
  std::vector<OtherCell> others;  // the row's cells that are neither amounts nor results
  std::string name;               // as ListRows names it
};

// Reads the file's rows from its start and hands each to `visit`, until it returns false;
// only the row on `onlyLine` when that is not 0. What stopped the reading, as ListRows
// says it; empty when the file was read to its end or `visit` stopped it.
std::string ReadRows(ByteSource& source, std::string_view fileName, long long onlyLine,
                     const std::function<bool(PickedRow&)>& visit);

// The row that starts on `line`; the problem when it could not be read.
PickedRow ReadPickedRow(ByteSource& source, std::string_view fileName, long long line, std::string& problem);

// Reads the file at `path` with `read`, which says what was wrong with it; or says why
// the file will not open.
std::string ReadFileAt(const std::string& path, const std::function<std::string(ByteSource&)>& read);

// Whether a column holds what the batch tool writes, its results or its errors, which
// say nothing of the entries once they change.
bool IsAssessedColumn(std::string_view headerCell);

}  // namespace varnolix::payroll
