#include "payroll/saved_entries.h"

#include <cerrno>
#include <unistd.h>

#include "assessment/working.h"
#include "payroll/byte_stream.h"
#include "payroll/csv_writer.h"
#include "payroll/output_file.h"

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

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  OutputFile file;
  if (!file.Open(path)) return false;
  FdSink sink(file.fd());
  // A rename that reaches the disk before the bytes would leave an empty file after a crash.
  if (!sink.Write(bytes) || (::fdatasync(file.fd()) != 0 && errno != EINVAL)) {  // EINVAL: a device
    const int error = errno;
    file.Discard();
    errno = error;
    return false;
  }
  return file.Commit();
}

}  // namespace varnolix::payroll
