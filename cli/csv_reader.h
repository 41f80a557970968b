// A streaming CSV reader (RFC 4180): quoted fields with commas, doubled quotes and line
// breaks; LF or CRLF endings; a UTF-8 byte-order mark at the very start is skipped, and
// an empty line is not a record. It holds one record at a time in a buffer of fixed
// size that grows only for a record longer than the buffer, up to the record limit.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "cli/byte_stream.h"

namespace varnolix::cli {

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
  // Every field is followed by at least this many readable bytes, whatever they hold, so
  // a field may be read a block at a time.
  static constexpr size_t kFieldPadding = 32;

  explicit CsvReader(ByteSource& source, CsvLimits limits = {});
  // Reads records already in memory: the first `size` bytes of `records` begin with a
  // record on physical line `firstLine`, not the start of the input, and end the input.
  CsvReader(std::vector<char>&& records, size_t size, long long firstLine, CsvLimits limits = {});

  // The memory the reader worked in, for use again once it is done.
  std::vector<char> ReleaseBuffer() { return std::move(buffer_); }

  // Moves to the next record. False at the end of the input or on a fault.
  bool Next();

  // The current record's fields, valid until the next call of Next.
  std::span<const std::string_view> fields() const { return {fields_.data(), fieldCount_}; }
  size_t size() const { return fieldCount_; }
  std::string_view operator[](size_t i) const { return fields_[i]; }
  // The physical line, counted from 1, on which the current record starts.
  long long line() const { return recordLine_; }
  // Whether text() is exactly what writing the fields back gives: every quoted field
  // needs its quotes, no unquoted one does, and no doubled quote had to be undone.
  bool verbatim() const { return verbatim_; }
  // The record as it stands in the input, without its line break; see verbatim().
  std::string_view text() const { return text_; }

  CsvFault fault() const { return fault_; }
  long long faultLine() const { return faultLine_; }
  int readError() const { return readError_; }  // errno of a failed read

  // The bytes read from the source after the current record, and the physical line on
  // which they begin; more follow in the source unless it has ended.
  std::string_view unread() const { return {buffer_.data() + recordStart_, dataEnd_ - recordStart_}; }
  long long nextLine() const { return nextLine_; }
  bool sourceEnded() const { return endOfInput_; }

 private:
  // Reads the record at recordStart_ when it stands whole in the buffer on one line, with
  // no quotes to undo and no carriage return but before its line feed: nearly every
  // record. False, leaving the position unchanged, for the general route to read it.
  bool ReadSimpleRecord();
  // Takes the record ending at `lineFeed`, split into its first `fieldCount` fields, unless
  // it is an empty line or too long, which the general route reads.
  bool EndSimpleRecord(const char* lineFeed, size_t fieldCount, bool verbatim);
  bool FindRecordEnd(size_t& end);
  bool Refill();
  bool SkipByteOrderMark();
  // Splits [start, end) into fields, undoing quotes in place. A record cut short by the
  // limit or by the end of the input is split as far as it goes, to find a fault in it.
  enum class Extent : std::uint8_t { kComplete, kCutShort, kEndOfInput };
  bool Split(size_t start, size_t end, Extent extent, long long& linesInside);
  void AddField(std::string_view field);
  void Fail(CsvFault fault, long long line);

  ByteSource* source_;  // none for records already in memory
  CsvLimits limits_;
  std::vector<char> buffer_;  // capacity_ bytes of data, then kFieldPadding
  size_t capacity_ = 0;
  size_t recordStart_ = 0;  // where the record being looked for starts
  size_t dataEnd_ = 0;
  size_t scanPos_ = 0;      // how far FindRecordEnd has looked
  bool scanInQuotes_ = false;
  bool endOfInput_ = false;
  bool started_ = false;
  long long nextLine_ = 1;  // the line at recordStart_

  std::vector<std::string_view> fields_;  // the first fieldCount_ are the record's
  size_t fieldCount_ = 0;
  std::string_view text_;
  bool verbatim_ = false;
  long long recordLine_ = 0;

  CsvFault fault_ = CsvFault::kNone;
  long long faultLine_ = 0;
  int readError_ = 0;
};

}  // namespace varnolix::cli
