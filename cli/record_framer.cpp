#include "cli/record_framer.h"

#include <algorithm>
#include <cerrno>

#include "cli/file_format.h"

namespace varnolix::cli {
namespace {

// Where the last record found so far ends, and the lines up to there.
class LastRecordEnd {
 public:
  explicit LastRecordEnd(CsvDialect dialect) : m_ends(dialect) {}
  // Looks through data[..., size) for more records, up to the first that ends at `enough`
  // or after it.
  void Scan(const char* data, size_t size, size_t enough) {
    for (size_t end; m_end < enough && (end = m_ends.Next(data, size)) != RecordEnds::kNone;) {
      m_end = end + 1;
      m_lines = ++m_records + m_ends.quotedLineEnds();
    }
  }
  size_t end() const { return m_end; }  // just past the line feed, or 0 for none yet
  long long lines() const { return m_lines; }

 private:
  RecordEnds m_ends;
  size_t m_end = 0;
  long long m_records = 0;
  long long m_lines = 0;
};

}  // namespace

RecordFramer::RecordFramer(ByteSource& source, CsvDialect dialect, std::string_view start, long long line,
                           bool sourceEnded, size_t maxRecordBytes)
    : m_source(source), m_dialect(dialect), m_carry(start.begin(), start.end()), m_line(line), m_sourceEnded(sourceEnded),
      m_maxRecordBytes(maxRecordBytes) {}

bool RecordFramer::Next(RecordChunk& chunk, size_t size) {
  if (m_done) return false;
  size = std::max<size_t>(size, 1);
  std::vector<char>& bytes = chunk.bytes;
  size_t used = m_carry.size();
  if (bytes.size() < std::max(size, used + 1)) bytes.resize(std::max(size, used + 1));
  std::copy(m_carry.begin(), m_carry.end(), bytes.begin());
  m_carry.clear();
  chunk.firstLine = m_line;
  chunk.readError = 0;

  LastRecordEnd last(m_dialect);
  while (true) {
    // Bytes in hand are cut into chunks too: the reader may have read far ahead.
    last.Scan(bytes.data(), used, size);
    if (used >= size && last.end() > 0) break;
    if (m_sourceEnded) {
      m_done = true;
      chunk.size = used;
      return used > 0;
    }
    if (used - last.end() > m_maxRecordBytes + 1) {
      m_done = true;  // a record too long, for the reader to report
      chunk.size = used;
      return true;
    }
    if (used == bytes.size()) bytes.resize(bytes.size() + size);
    const ssize_t count = m_source.Read(bytes.data() + used, bytes.size() - used);
    if (count < 0) {
      chunk.readError = errno;
      m_done = true;
      chunk.size = last.end();  // the records before the failure
      return true;
    }
    if (count == 0) m_sourceEnded = true;
    used += static_cast<size_t>(count);
  }
  chunk.size = last.end();
  m_carry.assign(bytes.begin() + static_cast<std::ptrdiff_t>(chunk.size), bytes.begin() + static_cast<std::ptrdiff_t>(used));
  m_line += last.lines();
  return true;
}

}  // namespace varnolix::cli
