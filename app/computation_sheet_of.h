// The computation sheet of the entries: their amounts page by page, the working, and
// the five results as the Tax Results page labels them.
#pragma once

#include <string>

#include "payroll/row_reading.h"
#include "pages/sheet_reading.h"
#include "report/computation_sheet.h"

namespace varnolix {

// `subject` says whose sheet it is; it may be empty.
report::ComputationSheet ComputationSheetOf(const SheetReading& reading, std::string subject);

// Whose sheet it is: "employees.csv, line 3: Asha Rao", without the line when the file
// holds one row, and without the name when the row has none.
std::string SheetSubject(std::string_view fileName, long long line, bool severalRows, std::string_view name);

// A row of a payroll file read as if typed into the fields, every page shown, as the
// batch tool assesses it.
SheetReading SheetReadingOf(const payroll::RowReading& row);

}  // namespace varnolix
