#include "cli/csv_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

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
  Flush();
  if (bytes.size() < capacity_) {
    std::memcpy(buffer_.data(), bytes.data(), bytes.size());
    used_ = bytes.size();
    return;
  }
  if (!failed_ && !sink_.Write(bytes)) {
    failed_ = true;
    error_ = errno;
  }
}

bool CsvWriter::NeedsQuotes(std::string_view text) {
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
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
