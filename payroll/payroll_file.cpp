#include "payroll/payroll_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <span>

#include "payroll/ascii.h"
#include "payroll/csv_reader.h"
#include "payroll/file_header.h"
#include "payroll/messages.h"
#include "payroll/system/input_file.h"

namespace varnolix::payroll {
namespace {


// The columns a person reads a row by, in the file's order: neither amounts nor results.
std::vector<size_t> KeptColumns(const ColumnMap& columns) {
  std::vector<size_t> kept;
  for (size_t index : columns.passthrough()) {
    if (!IsAssessedColumn(columns.header(index))) kept.push_back(index);
  }
  return kept;
}

// The who columns as positions among `kept`.
WhoColumns WithinKept(const WhoColumns& who, const std::vector<size_t>& kept) {
  const auto position = [&kept](const std::optional<size_t>& index) -> std::optional<size_t> {
    if (!index) return std::nullopt;
    for (size_t k = 0; k < kept.size(); ++k) {
      if (kept[k] == *index) return k;
    }
    return std::nullopt;
  };
  return {position(who.code), position(who.name), position(who.department), position(who.pan)};
}

// A cell this short holds no more characters than an excerpt keeps.
constexpr size_t kMaxExcerptBytes = 40;

// A cell as one line of a list: short, with its line breaks and tabs as spaces.
void AppendListedCell(std::string& out, std::string_view cell) {
  bool cut = false;
  const size_t from = out.size();
  cell = TrimBlanks(cell);
  out += cell.size() <= kMaxExcerptBytes ? cell : QuotableExcerpt(cell, cut);
  for (size_t i = from; i < out.size(); ++i) {
    // Line breaks, tabs and the separator are all control characters, which one test tells.
    if (static_cast<unsigned char>(out[i]) < 0x20) out[i] = ' ';
  }
  if (cut) out += "...";
}

// How many bytes follow `lead` in its character; 0 when no character starts so.
long FollowingBytes(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// Whether `text` is UTF-8 as the standard has it: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  while (p < end) {
    if (end - p >= 8) {  // eight bytes of ASCII at a time, as most cells are
      std::uint64_t word = 0;
      std::memcpy(&word, p, sizeof word);
      if ((word & 0x8080808080808080) == 0) {
        p += 8;
        continue;
      }
    }
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    const long following = FollowingBytes(lead);
    if (following == 0 || end - p <= following) return false;
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (p[1] < low || p[1] > high) return false;
    for (long i = 2; i <= following; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
    }
    p += following + 1;
  }
  return true;
}

// Whether every cell of the reader's record is UTF-8. Unquoting makes no byte above
// ASCII, so a record all ASCII as it stands in the file, as most are, is looked at once.
bool AllUtf8(const CsvReader& reader) {
  const std::string_view record = reader.text();
  size_t i = 0;
  for (; i + 8 <= record.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, record.data() + i, sizeof word);
    if ((word & 0x8080808080808080) != 0) break;
  }
  if (i + 8 > record.size() && std::ranges::all_of(record.substr(i), [](char c) { return (c & 0x80) == 0; })) return true;
  return std::ranges::all_of(reader.fields(), [](std::string_view cell) { return IsUtf8(cell); });
}

// Reads the header, then hands the reader to `readRows`, which says whether the file had
// any; the problem found, as the batch tool says it (a spreadsheet or a binary file too).
std::string ReadFile(ByteSource& source, std::string_view fileName,
                     const std::function<bool(CsvReader&, const ColumnMap&)>& readRows) {
  CsvReader reader(source);
  std::string problem;
  if (const std::optional<ColumnMap> columns = ReadHeader(reader, fileName, problem)) {
    const bool anyRows = readRows(reader, *columns);
    problem = FaultMessage(reader, fileName);
    if (problem.empty() && !anyRows) problem = MessageText(Message::kNoRows, {fileName});
  }
  return problem;
}

// Hands every byte of `source` to `take`, a piece at a time.
std::string ReadToEnd(ByteSource& source, std::string_view fileName, const std::function<void(std::string_view)>& take) {
  char chunk[64 << 10];
  for (ssize_t count = 1; count > 0;) {
    count = source.Read(chunk, sizeof chunk);
    if (count < 0) return MessageText(Message::kCannotReadInput, {fileName, std::strerror(errno)});
    take({chunk, static_cast<size_t>(count)});
  }
  return {};
}

}  // namespace

std::string ReadFileAt(const std::string& path, const std::function<std::string(ByteSource&)>& read) {
  const system::InputFile input = system::OpenInputFile(path, /*regularOnly=*/true);
  if (input.fd < 0) return input.problem;
  FdSource source(input.fd);
  std::string problem = read(source);
  system::CloseInputFile(input.fd);
  return problem;
}

std::string ReadWholeFileAt(const std::string& path, std::string& bytes) {
  bytes.clear();
  return ReadFileAt(path, [&](ByteSource& source) {
    return ReadToEnd(source, path, [&bytes](std::string_view chunk) { bytes += chunk; });
  });
}

std::string FingerprintFileAt(const std::string& path, FileFingerprint& fingerprint) {
  return ReadFileAt(path, [&](ByteSource& source) {
    Hash64 hash;
    fingerprint.size = 0;
    std::string problem = ReadToEnd(source, path, [&](std::string_view chunk) {
      hash.Add(chunk);
      fingerprint.size += chunk.size();
    });
    fingerprint.hash = hash.value();
    return problem;
  });
}

bool IsAssessedColumn(std::string_view headerCell) { return IsAssessedColumnName(headerCell); }

ssize_t BytesSource::Read(char* data, size_t size) {
  const size_t count = std::min(size, m_bytes.size());
  if (count > 0) std::memcpy(data, m_bytes.data(), count);
  m_bytes.remove_prefix(count);
  return static_cast<ssize_t>(count);
}

PayrollRows ListRows(ByteSource& source, std::string_view fileName) {
  PayrollRows listed;
  FingerprintingSource whole(source);
  // Only the cells that say who a row is are kept here; the amounts wait until a row is picked.
  listed.problem = ReadFile(whole, fileName, [&](CsvReader& reader, const ColumnMap& columns) {
    const std::vector<size_t> kept = KeptColumns(columns);
    listed.who = WithinKept(FindWhoColumns(columns), kept);
    while (reader.Next()) {
      const std::span<const std::string_view> fields = reader.fields();
      if (IsBlankRecord(fields)) continue;
      const size_t begin = listed.cells.size();
      for (size_t k = 0; k < kept.size(); ++k) {
        if (k > 0) listed.cells += kCellSeparator;
        if (kept[k] < fields.size()) AppendListedCell(listed.cells, fields[kept[k]]);
      }
      listed.rows.push_back({reader.line(), RecordFingerprint(reader), begin, listed.cells.size()});
      if (!AllUtf8(reader) && listed.nonUtf8Lines++ == 0) listed.firstNonUtf8Line = reader.line();
    }
    return !listed.rows.empty();
  });
  if (!listed.problem.empty()) {
    listed.rows.clear();
    listed.cells.clear();
  } else {
    listed.file = whole.fingerprint();
  }
  return listed;
}

std::string ReadRows(ByteSource& source, std::string_view fileName, long long onlyLine,
                     const std::function<bool(PickedRow&)>& visit) {
  return ReadFile(source, fileName, [&](CsvReader& reader, const ColumnMap& columns) {
    const WhoColumns who = FindWhoColumns(columns);
    std::vector<std::optional<Field>> fieldAt(columns.fieldCount());
    for (const ColumnMap::Column& column : columns.columns()) fieldAt[column.index] = column.field;
    bool any = false;
    PickedRow row;
    while (reader.Next()) {
      const std::span<const std::string_view> fields = reader.fields();
      if (IsBlankRecord(fields)) continue;
      any = true;
      if (onlyLine != 0 && reader.line() != onlyLine) continue;
      row.line = reader.line();
      row.fingerprint = RecordFingerprint(reader);
      row.reading = ReadRow(columns, fields, reader.line());
      row.cells.clear();
      for (size_t index = 0; index < fieldAt.size(); ++index) {
        const std::optional<Field> field = fieldAt[index];
        if (!field && IsAssessedColumn(columns.header(index))) continue;
        const std::string_view cell = !field && index < fields.size() ? fields[index] : std::string_view{};
        row.cells.push_back({std::string(TrimBlanks(columns.header(index))), field, std::string(cell)});
      }
      row.who = WhoOf(who, fields);
      row.nonUtf8 = !AllUtf8(reader);
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
  if (problem.empty() && !found) problem = MessageText(Message::kChangedSinceListed, {fileName});
  return picked;
}

}  // namespace varnolix::payroll
