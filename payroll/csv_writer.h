// Buffered output and the CSV fields written into it.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "payroll/byte_stream.h"

namespace varnolix::payroll {

// Collects output in a buffer of fixed size and hands it to the sink when full, so every
// write but the last is a whole buffer. After the first failed write it drops everything;
// failed() and error() tell.
class OutputBuffer {
 public:
  explicit OutputBuffer(ByteSink& sink, size_t capacity = size_t{64} << 10);

  void Append(std::string_view bytes) {
    if (bytes.size() > m_buffer.size() - m_used) return AppendSlowly(bytes);
    if (bytes.empty()) return;  // an empty view may hold no pointer at all
    std::memcpy(m_buffer.data() + m_used, bytes.data(), bytes.size());
    m_used += bytes.size();
  }
  void Append(char c) {
    if (m_used == m_buffer.size()) Flush();
    m_buffer[m_used++] = c;
  }
  // `bytes`, at most `most` of them, which may all be read from bytes.data() on.
  void AppendShort(std::string_view bytes, std::size_t most) {
    if (m_buffer.size() - m_used < most) return Append(bytes);
    std::memcpy(m_buffer.data() + m_used, bytes.data(), most);  // a fixed size: a few moves
    m_used += bytes.size();
  }
  bool Flush();
  bool failed() const { return m_failed; }
  int error() const { return m_error; }

 private:
  void AppendSlowly(std::string_view bytes);

  ByteSink& m_sink;
  std::vector<char> m_buffer;
  size_t m_used = 0;
  bool m_failed = false;
  int m_error = 0;
};

// Appends `text` to `out` as a CSV field: quoted, with its quotes doubled, only when it
// holds the separator, a quote, CR or LF.
void AppendCsvField(std::string& out, std::string_view text, char separator = ',');

// Records of fields; each record ends in `lineEnd`, the input's LF, CRLF or CR.
class CsvWriter {
 public:
  explicit CsvWriter(OutputBuffer& out, std::string_view lineEnd = "\n", char separator = ',')
      : m_out(out), m_lineEnd(lineEnd), m_separator(separator) {}

  void Field(std::string_view text);
  // Fields already written as CSV, as one.
  void Raw(std::string_view csv);
  void EndRecord();
  // For fields written straight into out(): the separator before the next one.
  void NextField();
  OutputBuffer& out() { return m_out; }

 private:
  OutputBuffer& m_out;
  std::string_view m_lineEnd;
  char m_separator;
  bool m_firstInRecord = true;
  std::string m_quoted;
};

}  // namespace varnolix::payroll
