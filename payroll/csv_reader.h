// A streaming CSV reader (RFC 4180): quoted fields with commas, doubled quotes and line
// breaks; LF or CRLF endings; a UTF-8 byte-order mark at the very start is skipped, and
// an empty line is not a record. It holds one record at a time in a buffer of fixed
// size that grows only for a record longer than the buffer, up to the record limit.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "payroll/byte_stream.h"

namespace varnolix::payroll {

// Finds the line feeds that end records: those outside quotes. Each quote flips between
// inside and outside, which is right for every well-formed record (a doubled quote flips
// twice); splitting a record finds the faults of the others.
class RecordEnds {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  explicit RecordEnds(size_t position = 0) : m_position(position) {}
  // Starts afresh at `position`, where a record begins.
  void Restart(size_t position) { *this = RecordEnds(position); }
  // The next record-ending line feed in data[position, size), or kNone when the data
  // ends first; each call goes on where the last one stopped, so more data may follow.
  size_t Next(const char* data, size_t size);
  // The data moved `by` bytes towards its start.
  void Shift(size_t by) { m_position -= by; }

  bool inQuotes() const { return m_inQuotes; }
  // Line feeds passed inside quotes since the start.
  long long quotedLineFeeds() const { return m_quotedLineFeeds; }

 private:
  size_t m_position = 0;
  bool m_inQuotes = false;
  long long m_quotedLineFeeds = 0;
};

struct CsvLimits {
  size_t bufferBytes = size_t{128} << 10;
  size_t maxRecordBytes = size_t{4} << 20;  // the record's own bytes, without its line break
};

enum class CsvFault : std::uint8_t {
  kNone,
  kQuoteInUnquotedField,
  kTextAfterClosingQuote,
  kUnterminatedQuote,
  kRecordTooLong,
  kReadFailed,
};

class CsvReader {
 public:
  explicit CsvReader(ByteSource& source, CsvLimits limits = {});
  // Reads records already in memory: the first `size` bytes of `records` begin with a
  // record on physical line `firstLine`, not the start of the input, and end the input.
  CsvReader(std::vector<char>&& records, size_t size, long long firstLine, CsvLimits limits = {});

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
  // Whether the input began with a UTF-8 byte-order mark, which was skipped.
  bool hadByteOrderMark() const { return m_byteOrderMark; }

  CsvFault fault() const { return m_fault; }
  long long faultLine() const { return m_faultLine; }
  int readError() const { return m_readError; }  // errno of a failed read

  // The bytes read from the source after the current record, and the physical line on
  // which they begin; more follow in the source unless it has ended.
  std::string_view unread() const { return {m_buffer.data() + m_recordStart, m_dataEnd - m_recordStart}; }
  long long nextLine() const { return m_nextLine; }
  bool sourceEnded() const { return m_endOfInput; }

 private:
  bool Refill();
  bool SkipByteOrderMark();
  // Splits [start, end) into fields, undoing quotes in place. A record cut short by the
  // limit is split as far as it goes, to find a fault in it.
  bool Split(size_t start, size_t end, bool cutShort, long long& linesInside);
  // Ends a field at each comma of [p, to), many bytes at a time where the processor
  // allows; the first field begins at `fieldBegin`, which moves past the last comma.
  void SplitAtCommas(const char* p, const char* to, const char*& fieldBegin);
  void AddField(const char* begin, const char* end);
  void Fail(CsvFault fault, long long line);

  ByteSource* m_source;  // none for records already in memory
  CsvLimits m_limits;
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
