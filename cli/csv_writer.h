// Buffered output and the CSV fields written into it.
#pragma once

#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "cli/byte_stream.h"

namespace varnolix::cli {

// Collects output in a buffer of fixed size and hands it to the sink when full, so every
// write but the last is a whole buffer. After the first failed write it drops everything;
// failed() and error() tell.
class OutputBuffer {
 public:
  explicit OutputBuffer(ByteSink& sink, size_t capacity = size_t{64} << 10);

  void Append(std::string_view bytes) {
    if (bytes.size() <= capacity_ - used_) {
      if (bytes.empty()) return;  // an empty view may hold no pointer at all
      std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
      used_ += bytes.size();
      return;
    }
    AppendSlowly(bytes);
  }
  void Append(char c) {
    if (used_ == capacity_) Flush();
    buffer_[used_++] = c;
  }
  // For writing in place: room() bytes free at tail(); Commit takes what was written, up to
  // `end`. Append fills the buffer to the brim before flushing; this does not flush at all.
  size_t room() const { return capacity_ - used_; }
  char* tail() { return buffer_.data() + used_; }
  void Commit(const char* end) { used_ = static_cast<size_t>(end - buffer_.data()); }
  bool Flush();
  bool failed() const { return failed_; }
  int error() const { return error_; }

 private:
  void AppendSlowly(std::string_view bytes);

  ByteSink& sink_;
  std::vector<char> buffer_;
  size_t capacity_;
  size_t used_ = 0;
  bool failed_ = false;
  int error_ = 0;
};

// Fields are quoted only when they hold a comma, a quote, CR or LF; quotes are doubled.
// Records end in LF.
class CsvWriter {
 public:
  explicit CsvWriter(OutputBuffer& out) : out_(out) {}

  void Field(std::string_view text) { Field(text, NeedsQuotes(text)); }
  void Field(std::string_view text, bool needsQuotes) {
    if (!firstInRecord_) out_.Append(',');
    firstInRecord_ = false;
    if (needsQuotes) {
      Quoted(text);
    } else {
      out_.Append(text);
    }
  }
  // Fields already written as CSV, as one.
  void Raw(std::string_view csv) { Field(csv, false); }
  // Amounts as WriteAmount writes them, which never need quotes.
  void Amounts(std::span<const double> values);
  void EndRecord();

  static bool NeedsQuotes(std::string_view text);

 private:
  void Quoted(std::string_view text);
  void Amount(double value);

  OutputBuffer& out_;
  bool firstInRecord_ = true;
};

// Appends `text` to `out` as a CSV field, quoted only when it must be.
void AppendCsvField(std::string& out, std::string_view text);

}  // namespace varnolix::cli
