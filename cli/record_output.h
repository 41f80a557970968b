// The assessed rows of a run of records, written as CSV: shared by the single reader and
// by each thread that reads a chunk of the input.
#pragma once

#include <cstddef>

#include "cli/file_format.h"
#include "cli/row_assessment.h"

namespace varnolix::cli {

// How many rows were assessed, how many refused, and the line of the first refused.
struct RowTally {
  long long rows = 0;
  long long refused = 0;
  long long firstRefusedLine = 0;

  void Count(bool ok, long long line) {
    ++rows;
    if (!ok && refused++ == 0) firstRefusedLine = line;
  }
  // Another tally, of rows that follow these.
  void Add(const RowTally& later) {
    if (refused == 0) firstRefusedLine = later.firstRefusedLine;
    rows += later.rows;
    refused += later.refused;
  }
};

// How the records ended: at the end of the input, or at a fault.
struct RecordsEnd {
  CsvFault fault = CsvFault::kNone;
  long long faultLine = 0;
  int readError = 0;

  static RecordsEnd Of(const CsvReader& reader) { return {reader.fault(), reader.faultLine(), reader.readError()}; }
};

// The input record with the results after it, or its errors.
void WriteRow(CsvWriter& writer, const CsvReader& reader, size_t headerFields, const RowAssessor& row, bool ok);

// Assesses and writes each record `reader` reads, until the end, a fault, or a failed
// write; each record ends in `lineEnd`.
void AssessRecords(CsvReader& reader, RowAssessor& row, size_t headerFields, OutputBuffer& buffer, RowTally& tally,
                   std::string_view lineEnd);

}  // namespace varnolix::cli
