#include "payroll/csv_writer.h"

#include <algorithm>
#include <cerrno>

#include "assessment/amount.h"

namespace varnolix::payroll {

OutputBuffer::OutputBuffer(ByteSink& sink, size_t capacity) : m_sink(sink), m_buffer(std::max<size_t>(capacity, 1)) {}

bool OutputBuffer::Flush() {
  if (!m_failed && m_used > 0 && !m_sink.Write(std::string_view(m_buffer.data(), m_used))) {
    m_failed = true;
    m_error = errno;
  }
  m_used = 0;
  return !m_failed;
}

void OutputBuffer::AppendSlowly(std::string_view bytes) {
  // Filled to the brim before each write, so that where a write fails depends only on
  // the bytes, not on how they were handed in; whole buffers go straight from `bytes`.
  const size_t capacity = m_buffer.size();
  const size_t piece = capacity - m_used;
  std::memcpy(m_buffer.data() + m_used, bytes.data(), piece);
  m_used += piece;
  bytes.remove_prefix(piece);
  Flush();
  for (; bytes.size() > capacity; bytes.remove_prefix(capacity)) {
    if (!m_failed && !m_sink.Write(bytes.substr(0, capacity))) {
      m_failed = true;
      m_error = errno;
    }
  }
  std::memcpy(m_buffer.data(), bytes.data(), bytes.size());
  m_used = bytes.size();
}

void AppendCsvField(std::string& out, std::string_view text, char separator) {
  const char special[] = {separator, '"', '\r', '\n'};
  if (text.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos) {
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

void CsvWriter::NextField() {
  if (!m_firstInRecord) m_out.Append(m_separator);
  m_firstInRecord = false;
}

void CsvWriter::Field(std::string_view text) {
  NextField();
  m_quoted.clear();
  AppendCsvField(m_quoted, text, m_separator);
  m_out.Append(m_quoted);
}

void CsvWriter::Raw(std::string_view csv) {
  NextField();
  m_out.Append(csv);
}

void CsvWriter::EndRecord() {
  m_out.Append(m_lineEnd);
  m_firstInRecord = true;
}

}  // namespace varnolix::payroll
