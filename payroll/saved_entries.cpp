#include "payroll/saved_entries.h"

#include <cerrno>

#include "assessment/amount.h"
#include "payroll/byte_stream.h"
#include "payroll/csv_writer.h"

namespace varnolix::payroll {

std::string SavedAmountText(const std::optional<double>& amount) {
  return amount ? ShortestDigits(*amount) : std::string();
}

std::string SavedEntriesCsv(const PerField<std::optional<double>>& amounts, std::span<const RowCell> cells) {
  std::string header;
  std::string row;
  bool first = true;
  const auto add = [&](std::string_view column, std::string_view cell) {
    if (!first) {
      header += ',';
      row += ',';
    }
    first = false;
    AppendCsvField(header, column);
    AppendCsvField(row, cell);
  };
  PerField<bool> placed{};
  for (const RowCell& cell : cells) {
    if (cell.field) {
      placed[*cell.field] = true;
      add(cell.column, SavedAmountText(amounts[*cell.field]));
    } else {
      add(cell.column, cell.cell);
    }
  }
  for (const FieldInfo& info : kFields) {
    if (!placed[info.field]) add(info.column, SavedAmountText(amounts[info.field]));
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
