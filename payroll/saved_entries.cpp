#include "payroll/saved_entries.h"

#include <cerrno>

#include "assessment/amount.h"
#include "payroll/byte_stream.h"
#include "payroll/csv_writer.h"

namespace varnolix::payroll {

std::string SavedEntriesCsv(const PerField<std::optional<double>>& amounts, std::span<const OtherCell> others) {
  std::string header;
  std::string row;
  for (const FieldInfo& info : kFields) {
    if (!header.empty()) {
      header += ',';
      row += ',';
    }
    header += info.column;
    if (const std::optional<double>& amount = amounts[info.field]) row += ShortestDigits(*amount);
  }
  for (const OtherCell& other : others) {
    header += ',';
    AppendCsvField(header, other.column);
    row += ',';
    AppendCsvField(row, other.cell);
  }
  return header + '\n' + row + '\n';
}

WriteOutcome WriteWholeFile(const std::string& path, std::string_view bytes) {
  OutputFile file;
  if (!file.Open(path)) return {file.failure()};
  FdSink sink(file.fd());
  if (!sink.Write(bytes)) return {{.error = errno, .refusingFolder = {}}};  // the file drops what was written
  if (!file.Commit(Durability::kOnDisk)) return {file.failure()};
  return {};
}

}  // namespace varnolix::payroll
