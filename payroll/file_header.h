// The start of a payroll file, read the one way the batch tool and the program both read
// it: the header record that names the columns, and what is said when a file cannot be
// read as one.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "payroll/columns.h"
#include "payroll/csv_reader.h"

namespace varnolix::payroll {

// What is wrong when `reader` stopped on a fault; empty when it did not.
std::string FaultMessage(const CsvReader& reader, std::string_view inputName);
std::string FaultMessage(CsvFault fault, long long line, int readError, std::string_view inputName);

// How a header is read: the columns kept as they are whatever their names, and what the
// message about a near miss suggests, where the reader has a way to keep a column.
struct HeaderReading {
  std::span<const std::string> keptColumns = {};
  bool keepColumnOption = false;  // the tool's --keep-column
};

// Reads the header record: its columns, or nothing and the reason in `problem` for an
// input that is empty or broken there, names a column twice, has a name that looks meant
// for an amount column it lacks, or has no basic_pm column.
std::optional<ColumnMap> ReadHeader(CsvReader& reader, std::string_view inputName, std::string& problem,
                                    const HeaderReading& how = {});

// `text` as one word of a shell's command line, quoted when it needs to be.
std::string ShellWord(std::string_view text);

}  // namespace varnolix::payroll
