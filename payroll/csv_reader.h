// A streaming CSV reader (RFC 4180, read as spreadsheets read it): quoted fields with
// separators, doubled quotes and line breaks; LF, CRLF or bare CR endings; a UTF-8
// byte-order mark at the very start is skipped, a UTF-16 file is read as UTF-8, and an
// empty line is not a record. A quote inside a field that does not start with one is a
// plain character (5 ft 10" tall). It holds one record at a time in a buffer of fixed
// size that grows only for a record longer than the buffer, up to the record limit.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "payroll/byte_stream.h"

namespace varnolix::payroll {

// How a file writes its records: what parts the fields, and what ends a line. A file with
// CRLF endings is read with LF, each record noting its CR.
struct CsvDialect {
  char separator = ',';  // or ';' (a spreadsheet in a decimal-comma locale) or a tab
  char lineEnd = '\n';   // or '\r', for a file whose lines end in a bare CR
  bool operator==(const CsvDialect&) const = default;
};

// Finds the line ends that end records: those outside quotes. A quote opens a quoted
// field only at a field's start, or right after a closing quote (a doubled quote); any
// other quote is a plain character. Splitting a record finds the faults in it.
class RecordEnds {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  explicit RecordEnds(CsvDialect dialect = {}, size_t position = 0)
      : m_dialect(dialect), m_position(position), m_recordStart(position) {}
  // Starts afresh at `position`, where a record begins.
  void Restart(size_t position) { *this = RecordEnds(m_dialect, position); }
  // The next record-ending line end in data[position, size), or kNone when the data ends
  // first; each call goes on where the last one stopped, so more data may follow.
  size_t Next(const char* data, size_t size);
  // The data moved `by` bytes towards its start.
  void Shift(size_t by);

  bool inQuotes() const { return m_inQuotes; }
  // Line ends passed inside quotes since the start.
  long long quotedLineEnds() const { return m_quotedLineEnds; }

 private:
  bool OpensQuotes(const char* data, size_t quote) const;

  CsvDialect m_dialect;
  size_t m_position = 0;
  size_t m_recordStart = 0;
  size_t m_closedAt = kNone;  // the last closing quote
  bool m_inQuotes = false;
  long long m_quotedLineEnds = 0;
};

struct CsvLimits {
  size_t bufferBytes = size_t{128} << 10;
  size_t maxRecordBytes = size_t{4} << 20;  // the record's own bytes, without its line break
};

enum class CsvFault : std::uint8_t {
  kNone,
  kTextAfterClosingQuote,
  kUnterminatedQuote,
  kRecordTooLong,
  kReadFailed,
  // What the input turned out to be instead of text, told before any record.
  kZipSpreadsheet,  // xlsx, ods
  kOldSpreadsheet,  // xls
  kBinaryFile,
};

// What a file that is no CSV is, from its first bytes: a spreadsheet, or binary data; kNone
// for text. `start` holds the input's first bytes, all of them when it is shorter than
// kSniffedBytes.
CsvFault SniffNotText(std::string_view start);
inline constexpr size_t kSniffedBytes = 4096;

class CsvReader {
 public:
  // Learns the dialect from the header: a line with no separator outside quotes but a
  // semicolon or a tab is read with that one.
  explicit CsvReader(ByteSource& source, CsvLimits limits = {});
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;
  // Reads records already in memory: the first `size` bytes of `records` begin with a
  // record on physical line `firstLine`, not the start of the input, and end the input.
  CsvReader(std::vector<char>&& records, size_t size, long long firstLine, CsvDialect dialect, CsvLimits limits = {});

  // The memory the reader worked in, for use again once it is done.
  std::vector<char> ReleaseBuffer() { return std::move(m_buffer); }

  // Moves to the next record. False at the end of the input or on a fault.
  bool Next();

  // The current record's fields, valid until the next call of Next.
  std::span<const std::string_view> fields() const { return {m_fields.data(), m_fieldCount}; }
  size_t size() const { return m_fieldCount; }
  std::string_view operator[](size_t i) const { return m_fields[i]; }
  // The physical line, counted from 1, on which the current record starts.
  long long line() const { return m_recordLine; }
  // Whether text() is exactly what writing the fields back gives: every quoted field
  // needs its quotes, no unquoted one does, and no doubled quote had to be undone.
  bool verbatim() const { return m_verbatim; }
  // The record as it stands in the input, without its line break; see verbatim().
  std::string_view text() const { return m_text; }
  // Whether the record's line break was CRLF.
  bool endsInCrLf() const { return m_crlf; }
  // The line break that ended the record: "\n", "\r\n" or "\r".
  std::string_view lineBreak() const;
  // Whether the input began with a byte-order mark, UTF-8's or UTF-16's, which was skipped.
  bool hadByteOrderMark() const { return m_byteOrderMark; }
  const CsvDialect& dialect() const { return m_dialect; }

  CsvFault fault() const { return m_fault; }
  long long faultLine() const { return m_faultLine; }
  int readError() const { return m_readError; }  // errno of a failed read

  // The bytes read from the source after the current record, and the physical line on
  // which they begin; more follow in source() unless it has ended.
  std::string_view unread() const { return {m_buffer.data() + m_recordStart, m_dataEnd - m_recordStart}; }
  long long nextLine() const { return m_nextLine; }
  bool sourceEnded() const { return m_endOfInput; }
  // Where the records come from: the source given, or what decodes it from UTF-16.
  ByteSource& source() const { return *m_source; }

 private:
  bool Refill();
  // Fills the buffer until it holds `bytes` bytes, or the input ends.
  bool FillTo(size_t bytes);
  // Looks at the start of the input: what it is, its byte-order mark, its dialect.
  bool Start();
  bool LearnDialect();
  // Splits [start, end) into fields, undoing quotes in place. A record cut short by the
  // limit is split as far as it goes, to find a fault in it.
  bool Split(size_t start, size_t end, bool cutShort, long long& linesInside);
  // Ends a field at each separator of [p, to), many bytes at a time where the processor
  // allows; the first field begins at `fieldBegin`, which moves past the last separator.
  void SplitAtSeparators(const char* p, const char* to, const char*& fieldBegin);
  void AddField(const char* begin, const char* end);
  void Fail(CsvFault fault, long long line);

  ByteSource* m_source;  // none for records already in memory
  std::unique_ptr<ByteSource> m_decoder;  // UTF-16 read as UTF-8
  CsvLimits m_limits;
  CsvDialect m_dialect;
  bool m_learnDialect = false;
  std::vector<char> m_buffer;
  size_t m_recordStart = 0;  // where the record being looked for starts
  size_t m_dataEnd = 0;
  RecordEnds m_ends;
  bool m_endOfInput = false;
  bool m_started = false;
  long long m_nextLine = 1;  // the line at m_recordStart

  std::vector<std::string_view> m_fields;  // the first m_fieldCount are the record's
  size_t m_fieldCount = 0;
  std::string_view m_text;
  bool m_verbatim = false;
  bool m_crlf = false;
  bool m_byteOrderMark = false;
  long long m_recordLine = 0;

  CsvFault m_fault = CsvFault::kNone;
  long long m_faultLine = 0;
  int m_readError = 0;
};

}  // namespace varnolix::payroll
