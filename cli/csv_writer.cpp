#include "cli/csv_writer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>

#include "assessment/amount.h"

namespace varnolix::cli {

OutputBuffer::OutputBuffer(ByteSink& sink, size_t capacity)
    : sink_(sink), buffer_(std::max<size_t>(capacity, 1)), capacity_(buffer_.size()) {}

bool OutputBuffer::Flush() {
  if (!failed_ && used_ > 0 && !sink_.Write(std::string_view(buffer_.data(), used_))) {
    failed_ = true;
    error_ = errno;
  }
  used_ = 0;
  return !failed_;
}

void OutputBuffer::AppendSlowly(std::string_view bytes) {
  // Filled to the brim before each write, so that where a write fails depends only on
  // the bytes, not on how they were handed in; whole buffers go straight from `bytes`.
  const size_t piece = capacity_ - used_;
  std::memcpy(buffer_.data() + used_, bytes.data(), piece);
  used_ += piece;
  bytes.remove_prefix(piece);
  Flush();
  for (; bytes.size() > capacity_; bytes.remove_prefix(capacity_)) {
    if (!failed_ && !sink_.Write(bytes.substr(0, capacity_))) {
      failed_ = true;
      error_ = errno;
    }
  }
  std::memcpy(buffer_.data(), bytes.data(), bytes.size());
  used_ = bytes.size();
}

bool CsvWriter::NeedsQuotes(std::string_view text) {
  // One pass; find_first_of would search the four characters for every byte.
  return std::any_of(text.begin(), text.end(), [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

void CsvWriter::Quoted(std::string_view text) {
  out_.Append('"');
  for (size_t quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"')) {
    out_.Append(text.substr(0, quote + 1));
    out_.Append('"');
    text.remove_prefix(quote + 1);
  }
  out_.Append(text);
  out_.Append('"');
}

namespace {
constexpr size_t kMostAmountBytes = kMaxAmountChars + 1;  // with the separator
}  // namespace

void CsvWriter::Amounts(std::span<const double> values) {
  if (out_.room() < values.size() * kMostAmountBytes) {
    for (double value : values) Amount(value);  // across a flush of the buffer
    return;
  }
  char* p = out_.tail();
  for (double value : values) {
    if (!firstInRecord_) *p++ = ',';
    firstInRecord_ = false;
    p = WriteAmountTo(p, value);
  }
  out_.Commit(p);
}

void CsvWriter::Amount(double value) {
  std::array<char, kMostAmountBytes> text;
  char* p = text.data();
  if (!firstInRecord_) *p++ = ',';
  firstInRecord_ = false;
  out_.Append(std::string_view(text.data(), static_cast<size_t>(WriteAmountTo(p, value) - text.data())));
}

void CsvWriter::EndRecord() {
  out_.Append('\n');
  firstInRecord_ = true;
}

void AppendCsvField(std::string& out, std::string_view text) {
  if (!CsvWriter::NeedsQuotes(text)) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace varnolix::cli
