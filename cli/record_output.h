// The assessed rows of a run of records, written as CSV: shared by the single reader and
// by each thread that reads a chunk of the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// What became of a record: assessed, refused, or blank (no one's row, passed as it is).
enum class RowOutcome : std::uint8_t { kAssessed, kRefused, kBlank };

// The outcome of the record the assessor has just read.
RowOutcome OutcomeOf(bool ok, std::span<const std::string_view> fields);

// Where each record's results and error go: after its cells, or, in a file the tool
// assessed before, into its own columns again, so that a second run changes nothing.
class ResultLayout {
 public:
  explicit ResultLayout(const ColumnMap& columns);

  size_t headerFields() const { return m_headerFields; }
  bool inPlace() const { return !m_roles.empty(); }
  // The header record, with the tool's columns after it unless they are there already.
  void WriteHeader(CsvWriter& writer, std::span<const std::string_view> header) const;
  // The record with its results, or its errors, or, blank, with nothing in their cells.
  void WriteRow(CsvWriter& writer, const CsvReader& reader, const RowAssessor& row, RowOutcome outcome) const;

 private:
  void WriteInPlace(CsvWriter& writer, std::span<const std::string_view> fields, const RowAssessor& row,
                    RowOutcome outcome) const;

  static constexpr std::int8_t kOwn = -1;
  static constexpr std::int8_t kError = static_cast<std::int8_t>(kResultCount);
  size_t m_headerFields;
  std::vector<std::int8_t> m_roles;  // in place: each column's result, kError or kOwn
};

// Where the warnings of --lenient go: each row's, once the row is written.
class RowWarnings {
 public:
  virtual ~RowWarnings() = default;
  // `lines` warn of the row just written to `out`.
  virtual void Add(std::string_view lines, OutputBuffer& out) = 0;
};

// Writes each row's warnings to `sink` at once, unless writing the row failed: a single
// reader reads no further once a write has failed, so says nothing more of its rows.
class StreamedWarnings final : public RowWarnings {
 public:
  explicit StreamedWarnings(ByteSink& sink) : m_sink(sink) {}
  void Add(std::string_view lines, OutputBuffer& out) override {
    if (!out.failed()) (void)m_sink.Write(lines);
  }

 private:
  ByteSink& m_sink;
};

// Writes `count` empty lines, as the input has them between records, so that every row
// of the output stands on the line it stood on in the input, which its errors name.
void KeepEmptyLines(OutputBuffer& buffer, long long count, std::string_view lineEnd);

// Appends a line for each cell of the row that --lenient read only in part.
void AppendPartialReads(std::string& out, const RowAssessor& row, long long line);

// Assesses and writes each record `reader` reads, until the end, a fault, or a failed
// write; each record ends in `lineEnd`.
void AssessRecords(CsvReader& reader, RowAssessor& row, const ResultLayout& layout, OutputBuffer& buffer,
                   RowTally& tally, std::string_view lineEnd, RowWarnings& warnings);

}  // namespace varnolix::cli
