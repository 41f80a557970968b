#include "cli/record_output.h"

#include <algorithm>
#include <span>
#include <string_view>

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

void WriteRow(CsvWriter& writer, const CsvReader& reader, size_t headerFields, const RowAssessor& row, bool ok) {
  const std::span<const std::string_view> fields = reader.fields();
  const size_t count = fields.size();
  if (count == headerFields && reader.verbatim()) {
    writer.Raw(reader.text());
  } else {
    WriteFields(writer, fields.first(std::min(count, headerFields)));
    for (size_t i = count; i < headerFields; ++i) writer.Raw({});
  }
  for (double result : row.results().values) {
    if (ok) {
      WriteResult(writer, result);
    } else {
      writer.Raw({});
    }
  }
  if (ok) {
    writer.Raw({});  // no error
  } else {
    writer.Field(row.errors());
  }
  // A long row keeps its surplus fields, after the results so these stay under their headers.
  if (count > headerFields) WriteFields(writer, fields.subspan(headerFields));
  writer.EndRecord();
}

void AssessRecords(CsvReader& reader, RowAssessor& row, size_t headerFields, OutputBuffer& buffer, RowTally& tally,
                   std::string_view lineEnd) {
  CsvWriter writer(buffer, lineEnd, reader.dialect().separator);
  while (!buffer.failed() && reader.Next()) {
    const bool ok = row.Assess(reader.fields(), reader.line());
    tally.Count(ok, reader.line());
    WriteRow(writer, reader, headerFields, row, ok);
  }
}

}  // namespace varnolix::cli
