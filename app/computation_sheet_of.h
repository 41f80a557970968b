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

// A row of a payroll file read as if typed into the fields, every page shown, as the
// batch tool assesses it.
SheetReading SheetReadingOf(const payroll::RowReading& row);

}  // namespace varnolix
