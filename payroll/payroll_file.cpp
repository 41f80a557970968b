#include "payroll/payroll_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "payroll/ascii.h"
#include "payroll/csv_reader.h"
#include "payroll/file_header.h"
#include "payroll/messages.h"
#include "payroll/system/input_file.h"

namespace varnolix::payroll {
namespace {

// Passes bytes through and notes a NUL among them, which no text file holds.
class TextWatch final : public ByteSource {
 public:
  explicit TextWatch(ByteSource& source) : m_source(source) {}
  ssize_t Read(char* data, size_t size) override {
    const ssize_t count = m_source.Read(data, size);
    if (count > 0 && std::memchr(data, 0, static_cast<size_t>(count)) != nullptr) m_sawNul = true;
    return count;
  }
  bool sawNul() const { return m_sawNul; }
  // Reads on, up to `most` bytes more, to see whether a NUL follows.
  void Skim(size_t most) {
    char skimmed[4096];
    for (ssize_t count = 1; !m_sawNul && most > 0 && count > 0; most -= static_cast<size_t>(count)) {
      count = Read(skimmed, std::min(most, sizeof skimmed));
    }
  }

 private:
  ByteSource& m_source;
  bool m_sawNul = false;
};

// The first column that is neither an amount nor a result: the one that says who the row is.
std::optional<size_t> NameColumn(const ColumnMap& columns) {
  for (size_t index : columns.passthrough()) {
    if (!IsAssessedColumn(columns.header(index))) return index;
  }
  return std::nullopt;
}

// A cell as one line of a list: short, with its line breaks and tabs as spaces.
std::string ListedCell(std::string_view cell) {
  bool cut = false;
  std::string listed(QuotableExcerpt(TrimBlanks(cell), cut));
  for (char& c : listed) {
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  }
  if (cut) listed += "...";
  return listed;
}

// Reads the header, then hands the reader to `readRows`, which says whether the file had
// any; the problem found, as the batch tool says it, with a file that is not text named so
// whatever else went wrong.
std::string ReadFile(ByteSource& source, std::string_view fileName,
                     const std::function<bool(CsvReader&, const ColumnMap&)>& readRows) {
  TextWatch text(source);
  CsvReader reader(text);
  std::string problem;
  if (const std::optional<ColumnMap> columns = ReadHeader(reader, fileName, problem)) {
    const bool anyRows = readRows(reader, *columns);
    problem = FaultMessage(reader, fileName);
    if (problem.empty() && !anyRows) problem = MessageText(Message::kNoRows, {fileName});
  } else {
    text.Skim(size_t{64} << 10);  // a binary file's first line may hold no NUL yet
  }
  if (text.sawNul()) problem = MessageText(Message::kNotText, {fileName});
  return problem;
}

}  // namespace

std::string ReadFileAt(const std::string& path, const std::function<std::string(ByteSource&)>& read) {
  const system::InputFile opened = system::OpenInputFile(path, false);
  if (opened.fd < 0) return opened.problem;
  FdSource source(opened.fd);
  std::string problem = read(source);
  system::CloseInputFile(opened.fd);
  return problem;
}

bool IsAssessedColumn(std::string_view headerCell) {
  const std::string_view name = TrimBlanks(headerCell);
  if (EqualsIgnoringCase(name, "error")) return true;
  for (const ResultInfo& result : kResults) {
    if (EqualsIgnoringCase(name, result.column)) return true;
  }
  return false;
}

PayrollRows ListRows(ByteSource& source, std::string_view fileName) {
  PayrollRows listed;
  // Only the names are read here; the amounts wait until a row is picked.
  listed.problem = ReadFile(source, fileName, [&](CsvReader& reader, const ColumnMap& columns) {
    const std::optional<size_t> nameColumn = NameColumn(columns);
    while (reader.Next()) {
      const bool named = nameColumn && *nameColumn < reader.size();
      listed.rows.push_back({reader.line(), named ? ListedCell(reader[*nameColumn]) : std::string()});
    }
    return !listed.rows.empty();
  });
  if (!listed.problem.empty()) listed.rows.clear();
  return listed;
}

std::string ReadRows(ByteSource& source, std::string_view fileName, long long onlyLine,
                     const std::function<bool(PickedRow&)>& visit) {
  return ReadFile(source, fileName, [&](CsvReader& reader, const ColumnMap& columns) {
    const std::optional<size_t> nameColumn = NameColumn(columns);
    bool any = false;
    PickedRow row;
    while (reader.Next()) {
      any = true;
      if (onlyLine != 0 && reader.line() != onlyLine) continue;
      const std::span<const std::string_view> fields = reader.fields();
      row.line = reader.line();
      row.reading = ReadRow(columns, fields, reader.line());
      row.others.clear();
      for (size_t index : columns.passthrough()) {
        if (IsAssessedColumn(columns.header(index))) continue;
        row.others.push_back({std::string(TrimBlanks(columns.header(index))),
                              std::string(index < fields.size() ? fields[index] : std::string_view{})});
      }
      row.name = nameColumn && *nameColumn < fields.size() ? ListedCell(fields[*nameColumn]) : std::string();
      if (!visit(row)) return true;
    }
    return any;
  });
}

PickedRow ReadPickedRow(ByteSource& source, std::string_view fileName, long long line, std::string& problem) {
  PickedRow picked;
  bool found = false;
  problem = ReadRows(source, fileName, line, [&](PickedRow& row) {
    picked = std::move(row);
    found = true;
    return false;
  });
  if (problem.empty() && !found) problem = MessageText(Message::kRowGone, {line, fileName});
  return picked;
}

}  // namespace varnolix::payroll
