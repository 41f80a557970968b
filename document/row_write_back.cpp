#include "document/row_write_back.h"

#include <vector>

#include "assessment/amount.h"
#include "assessment/assessment.h"
#include "payroll/ascii.h"
#include "payroll/csv_reader.h"
#include "payroll/csv_writer.h"
#include "payroll/file_header.h"
#include "payroll/fingerprint.h"
#include "payroll/messages.h"
#include "payroll/payroll_file.h"
#include "payroll/saved_entries.h"

namespace varnolix::document {
namespace {

using payroll::Message;
using payroll::MessageText;

// Counts the bytes handed out, so that a record's place in the file can be told from
// what the reader has not yet used.
class CountingSource final : public payroll::ByteSource {
 public:
  explicit CountingSource(std::string_view bytes) : m_bytes(bytes) {}
  ssize_t Read(char* data, size_t size) override {
    const ssize_t count = m_bytes.Read(data, size);
    if (count > 0) m_count += static_cast<size_t>(count);
    return count;
  }
  size_t count() const { return m_count; }

 private:
  payroll::BytesSource m_bytes;
  size_t m_count = 0;
};

// The tool's result columns by their exact names, and its error column.
std::optional<Result> ResultColumn(std::string_view header) {
  for (const ResultInfo& result : kResults) {
    if (header == result.column) return result.result;
  }
  return std::nullopt;
}

// What the tool writes for a row whose cells are `cells`: its five result texts, or its errors.
struct ToolAnswer {
  PerResult<std::string> results;
  std::string error;
};

ToolAnswer AnswerFor(const payroll::ColumnMap& columns, const std::vector<std::string>& cells, long long line) {
  const std::vector<std::string_view> views(cells.begin(), cells.end());
  const payroll::RowReading reading = payroll::ReadRow(columns, views, line);
  ToolAnswer answer;
  if (!reading.ok()) {
    for (const std::string& error : reading.errors) answer.error += (answer.error.empty() ? "" : "; ") + error;
    return answer;
  }
  // Every page shown, as the tool assesses a row.
  answer.results = ResultTextsOf(Assess(InputOf(reading.typed, kEveryPageShown)));
  return answer;
}

// The line break, LF, CRLF or a lone CR, that ends at `end`; none at the end of a file
// whose last line has none.
size_t BreakBefore(std::string_view file, size_t start, size_t end) {
  if (end == start) return 0;
  if (file[end - 1] == '\n') return end - start >= 2 && file[end - 2] == '\r' ? 2 : 1;
  return file[end - 1] == '\r' ? 1 : 0;
}

// Past `count` empty lines from `at`, each ended by LF, CRLF or a lone CR.
size_t PastEmptyLines(std::string_view file, size_t at, long long count) {
  for (; count > 0 && at < file.size(); --count) {
    at += file.compare(at, 2, "\r\n") == 0 ? 2U : 1U;
  }
  return at;
}

}  // namespace

RewrittenFile WithRowWrittenBack(std::string_view file, std::string_view fileName, long long line, std::uint64_t record,
                                 const PerField<std::optional<double>>& amounts) {
  RewrittenFile rewritten;
  // Lines are told apart by their bytes, which a file of UTF-16 does not share with its reading.
  if (file.starts_with("\xFF\xFE") || file.starts_with("\xFE\xFF")) {
    rewritten.problem = MessageText(Message::kNoWriteBackIntoUtf16, {fileName});
    return rewritten;
  }
  CountingSource source(file);
  payroll::CsvReader reader(source);
  const std::optional<payroll::ColumnMap> columns = payroll::ReadHeader(reader, fileName, rewritten.problem);
  if (!columns) return rewritten;
  for (const FieldInfo& info : kFields) {
    if (amounts[info.field] && !columns->IndexOf(info.field)) {
      rewritten.problem = MessageText(Message::kNoColumnToWriteBack, {fileName, info.column});
      return rewritten;
    }
  }
  // Where the bytes not yet split into records begin, in the file and in lines.
  size_t previousEnd = source.count() - reader.unread().size();
  long long previousNextLine = reader.nextLine();
  const char separator = reader.dialect().separator;
  while (reader.Next()) {
    const size_t end = source.count() - reader.unread().size();
    if (reader.line() != line) {
      previousEnd = end;
      previousNextLine = reader.nextLine();
      continue;
    }
    const std::span<const std::string_view> fields = reader.fields();
    if (payroll::IsBlankRecord(fields) || payroll::RecordFingerprint(reader) != record) break;

    std::vector<std::string> cells(fields.begin(), fields.end());
    cells.resize(columns->fieldCount());
    for (const payroll::ColumnMap::Column& column : columns->columns()) {
      cells[column.index] = payroll::SavedAmountText(amounts[column.field]);
    }
    const ToolAnswer answer = AnswerFor(*columns, cells, line);
    for (size_t index = 0; index < cells.size(); ++index) {
      const std::string_view header = payroll::TrimBlanks(columns->header(index));
      if (const std::optional<Result> result = ResultColumn(header)) {
        cells[index] = answer.results[*result];
      } else if (header == "error") {
        cells[index] = answer.error;
      }
    }

    const size_t start = PastEmptyLines(file, previousEnd, reader.line() - previousNextLine);
    const size_t contentEnd = end - BreakBefore(file, start, end);
    rewritten.bytes.reserve(file.size() + 64);
    rewritten.bytes.append(file.substr(0, start));
    for (size_t index = 0; index < cells.size(); ++index) {
      if (index > 0) rewritten.bytes += separator;
      payroll::AppendCsvField(rewritten.bytes, cells[index], separator);
    }
    rewritten.bytes.append(file.substr(contentEnd));
    return rewritten;
  }
  rewritten.problem = reader.fault() != payroll::CsvFault::kNone ? payroll::FaultMessage(reader, fileName)
                                                                  : MessageText(Message::kChangedSinceListed, {fileName});
  return rewritten;
}

}  // namespace varnolix::document
