#include "payroll/saved_entries.h"

#include <cerrno>
#include <unistd.h>

#include "assessment/amount.h"
#include "payroll/byte_stream.h"
#include "payroll/csv_writer.h"
#include "payroll/output_file.h"

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
