#include "cli/record_output.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "assessment/amount.h"
#include "assessment/amount.h"
#include "cli/quick_amount.h"

namespace varnolix::cli {
namespace {

void WriteFields(CsvWriter& writer, std::span<const std::string_view> fields) {
  for (std::string_view field : fields) writer.Field(field);
}

// An amount as WriteAmount writes it, by the quick route where it serves: a fixed number
// of bytes copied, a few moves instead of a call.
void WriteResult(CsvWriter& writer, double value) {
  writer.NextField();
  QuickAmountRoom room;
  const std::string_view quick = QuickAmountText(value, room);
  if (quick.empty()) {
    writer.out().Append(WriteAmount(value));  // huge or not finite
  } else {
    writer.out().AppendShort(quick, kQuickAmountChars);
  }
}

}  // namespace

RowOutcome OutcomeOf(bool ok, std::span<const std::string_view> fields) {
  // A blank record is always refused, for want of a basic salary: only then is it looked at.
  if (ok) return RowOutcome::kAssessed;
  return payroll::IsBlankRecord(fields) ? RowOutcome::kBlank : RowOutcome::kRefused;
}

ResultLayout::ResultLayout(const ColumnMap& columns) : m_headerFields(columns.fieldCount()) {
  const std::optional<payroll::AssessedColumns>& assessed = columns.assessedColumns();
  if (!assessed) return;
  m_roles.assign(m_headerFields, kOwn);
  for (const ResultInfo& result : kResults) {
    m_roles[assessed->results[result.result]] = static_cast<std::int8_t>(result.result);
  }
  m_roles[assessed->error] = kError;
}

void ResultLayout::WriteHeader(CsvWriter& writer, std::span<const std::string_view> header) const {
  WriteFields(writer, header);
  if (!inPlace()) {
    for (const ResultInfo& result : kResults) writer.Field(result.column);
    writer.Field("error");
  }
  writer.EndRecord();
}

void ResultLayout::WriteRow(CsvWriter& writer, const CsvReader& reader, const RowAssessor& row,
                            RowOutcome outcome) const {
  const std::span<const std::string_view> fields = reader.fields();
  if (inPlace()) return WriteInPlace(writer, fields, row, outcome);
  const size_t count = fields.size();
  if (count == m_headerFields && reader.verbatim()) {
    writer.Raw(reader.text());
  } else {
    WriteFields(writer, fields.first(std::min(count, m_headerFields)));
    for (size_t i = count; i < m_headerFields; ++i) writer.Raw({});
  }
  for (double result : row.results().values) {
    if (outcome == RowOutcome::kAssessed) {
      WriteResult(writer, result);
    } else {
      writer.Raw({});
    }
  }
  if (outcome == RowOutcome::kRefused) {
    writer.Field(row.errors());
  } else {
    writer.Raw({});  // no error
  }
  // A long row keeps its surplus fields, after the results so these stay under their headers.
  if (count > m_headerFields) WriteFields(writer, fields.subspan(m_headerFields));
  writer.EndRecord();
}

void ResultLayout::WriteInPlace(CsvWriter& writer, std::span<const std::string_view> fields, const RowAssessor& row,
                                RowOutcome outcome) const {
  const size_t count = std::max(fields.size(), m_headerFields);
  for (size_t i = 0; i < count; ++i) {
    const std::int8_t role = i < m_headerFields ? m_roles[i] : kOwn;
    if (role == kOwn) {
      writer.Field(i < fields.size() ? fields[i] : std::string_view{});
    } else if (role == kError) {
      writer.Field(outcome == RowOutcome::kRefused ? std::string_view(row.errors()) : std::string_view{});
    } else if (outcome == RowOutcome::kAssessed) {
      // The plain route: a second run is no matter of speed, and the quick one stays inline.
      writer.Field(WriteAmount(row.results().values[static_cast<size_t>(role)]));
    } else {
      writer.Raw({});
    }
  }
  writer.EndRecord();
}

void KeepEmptyLines(OutputBuffer& buffer, long long count, std::string_view lineEnd) {
  for (; count > 0; --count) buffer.Append(lineEnd);
}

void AppendPartialReads(std::string& out, const RowAssessor& row, long long line) {
  for (const RowAssessor::PartialRead& read : row.partialReads()) {
    out += kToolName;
    out += ": ";
    AppendMessage(out, Message::kReadInPart, {line, read.column->name, payroll::QuotedCell(read.cell), ShortestDigits(read.value)});
    out += '\n';
  }
}

void AssessRecords(CsvReader& reader, RowAssessor& row, const ResultLayout& layout, OutputBuffer& buffer,
                   RowTally& tally, std::string_view lineEnd, RowWarnings& warnings) {
  CsvWriter writer(buffer, lineEnd, reader.dialect().separator);
  std::string lines;
  long long nextLine = reader.nextLine();
  while (!buffer.failed() && reader.Next()) {
    KeepEmptyLines(buffer, reader.line() - nextLine, lineEnd);
    nextLine = reader.nextLine();
    const std::span<const std::string_view> fields = reader.fields();
    const bool ok = row.Assess(fields, reader.line());
    const RowOutcome outcome = OutcomeOf(ok, fields);
    if (outcome != RowOutcome::kBlank) tally.Count(ok, reader.line());
    layout.WriteRow(writer, reader, row, outcome);
    if (!row.partialReads().empty()) {
      lines.clear();
      AppendPartialReads(lines, row, reader.line());
      warnings.Add(lines, buffer);
    }
  }
  // Those before the end, or before a fault, too: a chunk may end in empty lines.
  if (!buffer.failed()) KeepEmptyLines(buffer, reader.nextLine() - nextLine, lineEnd);
}

}  // namespace varnolix::cli
