// The batch file's format, which the tool shares with the program (payroll/), under the
// names the tool's code uses.
#pragma once

#include "payroll/byte_stream.h"
#include "payroll/columns.h"
#include "payroll/csv_reader.h"
#include "payroll/csv_writer.h"
#include "payroll/messages.h"
#include "payroll/output_file.h"
#include "payroll/row_reading.h"

namespace varnolix::cli {

using payroll::AmountReading;
using payroll::AppendCsvField;
using payroll::AppendMessage;
using payroll::ByteSink;
using payroll::ByteSource;
using payroll::ColumnMap;
using payroll::CsvDialect;
using payroll::CsvFault;
using payroll::CsvLimits;
using payroll::CsvReader;
using payroll::CsvWriter;
using payroll::FdSink;
using payroll::FdSource;
using payroll::MemorySink;
using payroll::Message;
using payroll::MessageArg;
using payroll::MessageText;
using payroll::OutputBuffer;
using payroll::OutputFile;
using payroll::RecordEnds;

inline constexpr std::string_view kToolName = "varnolix-assess";

}  // namespace varnolix::cli
