// A payroll file opened in the program: its rows listed so that a person can pick one,
// then the picked row read as the batch tool reads it. The file is read twice rather
// than held, so a file of any length lists in the memory its rows' names take; each
// listed row keeps the fingerprint of its cells, and the list the fingerprint of the
// whole file, so that a file changed in between is told.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payroll/byte_stream.h"
#include "payroll/fingerprint.h"
#include "payroll/row_reading.h"
#include "payroll/who_columns.h"

namespace varnolix::payroll {

// Between the cells of a listed row.
inline constexpr char kCellSeparator = '\x1F';

// A row as the list shows it and a find looks through it.
struct ListedRow {
  long long line;
  std::uint64_t fingerprint;  // RecordFingerprint of the record's cells
  // Where its cells stand in PayrollRows::cells: those that are neither amounts nor
  // results, each short and on one line for a list, joined by kCellSeparator.
  std::size_t cellsBegin;
  std::size_t cellsEnd;
};

struct PayrollRows {
  std::vector<ListedRow> rows;  // without the records whose cells are all blank
  std::string cells;            // every row's, one after another, in one piece of memory
  std::string_view CellsOf(const ListedRow& row) const {
    return std::string_view(cells).substr(row.cellsBegin, row.cellsEnd - row.cellsBegin);
  }
  WhoColumns who;               // positions within a row's `cells`
  FileFingerprint file;         // of every byte listed
  // The records holding bytes that are not UTF-8 text: the first, and how many.
  long long firstNonUtf8Line = 0;
  long long nonUtf8Lines = 0;
  std::string problem;  // why the file cannot be opened; empty when it can
};

// The rows of the file read from `source`, named `fileName` in messages. Refuses a file
// the batch tool refuses as a whole, one that is not text, and one without rows.
PayrollRows ListRows(ByteSource& source, std::string_view fileName);

// A cell of a picked row, in the file's column order.
struct RowCell {
  std::string column;          // the header cell, without its surrounding blanks
  std::optional<Field> field;  // the amount the column holds; its value is in the reading
  std::string cell;            // as the file holds it, for a column that is no amount
};

struct PickedRow {
  long long line = 0;
  std::uint64_t fingerprint = 0;  // as ListedRow's
  RowReading reading;             // the amounts, or the batch tool's errors for the row
  std::vector<RowCell> cells;     // every column but the tool's results and errors
  Who who;
  bool nonUtf8 = false;  // some cell holds bytes that are not UTF-8 text
};

// Reads the file's rows from its start and hands each to `visit`, until it returns false;
// only the row on `onlyLine` when that is not 0. What stopped the reading, as ListRows
// says it; empty when the file was read to its end or `visit` stopped it.
std::string ReadRows(ByteSource& source, std::string_view fileName, long long onlyLine,
                     const std::function<bool(PickedRow&)>& visit);

// The row that starts on `line`; the problem when it could not be read.
PickedRow ReadPickedRow(ByteSource& source, std::string_view fileName, long long line, std::string& problem);

// Reads the file at `path` with `read`, which says what was wrong with it; or says why
// the file will not open. Only a regular file is read: anything else is refused at once.
std::string ReadFileAt(const std::string& path, const std::function<std::string(ByteSource&)>& read);

// Every byte of the regular file at `path` into `bytes`; the problem when it cannot be read.
std::string ReadWholeFileAt(const std::string& path, std::string& bytes);
// The fingerprint of every byte of the regular file at `path`, as ListRows takes it.
std::string FingerprintFileAt(const std::string& path, FileFingerprint& fingerprint);

// Whether a column holds what the batch tool writes, its results or its errors, which
// say nothing of the entries once they change. Only the tool's own names count.
bool IsAssessedColumn(std::string_view headerCell);

// Hands out bytes held in memory.
class BytesSource final : public ByteSource {
 public:
  explicit BytesSource(std::string_view bytes) : m_bytes(bytes) {}
  ssize_t Read(char* data, size_t size) override;

 private:
  std::string_view m_bytes;
};

}  // namespace varnolix::payroll
