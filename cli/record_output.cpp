#include "cli/record_output.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace varnolix::cli {
namespace {

void WriteFields(CsvWriter& writer, std::span<const std::string_view> fields) {
  for (std::string_view field : fields) writer.Field(field);
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
      writer.Amount(result);
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
  CsvWriter writer(buffer, lineEnd);
  while (!buffer.failed() && reader.Next()) {
    const bool ok = row.Assess(reader.fields(), reader.line());
    tally.Count(ok, reader.line());
    WriteRow(writer, reader, headerFields, row, ok);
  }
}

}  // namespace varnolix::cli
