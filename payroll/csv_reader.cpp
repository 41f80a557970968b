#include "payroll/csv_reader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "payroll/utf16_source.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnolix::payroll {
namespace {

size_t Find(const char* data, size_t from, size_t to, char c) {
  const void* found = std::memchr(data + from, c, to - from);
  return found == nullptr ? to : static_cast<size_t>(static_cast<const char*>(found) - data);
}

}  // namespace

bool RecordEnds::OpensQuotes(const char* data, size_t quote) const {
  return quote == m_recordStart || data[quote - 1] == m_dialect.separator ||
         (m_closedAt != kNone && quote == m_closedAt + 1);
}

void RecordEnds::Shift(size_t by) {
  m_position -= by;
  m_recordStart -= by;
  m_closedAt = m_closedAt != kNone && m_closedAt >= by ? m_closedAt - by : kNone;
}

size_t RecordEnds::Next(const char* data, size_t size) {
  const char lineEnd = m_dialect.lineEnd;
  while (m_position < size) {
    if (m_inQuotes) {
      const size_t quote = Find(data, m_position, size, '"');
      m_quotedLineEnds += std::count(data + m_position, data + quote, lineEnd);
      m_position = std::min(quote + 1, size);
      if (quote == size) break;
      m_inQuotes = false;
      m_closedAt = quote;
      continue;
    }
    const size_t end = Find(data, m_position, size, lineEnd);
    size_t quote = Find(data, m_position, end, '"');
    while (quote < end && !OpensQuotes(data, quote)) quote = Find(data, quote + 1, end, '"');
    if (quote < end) {
      m_inQuotes = true;
      m_position = quote + 1;
      continue;
    }
    m_position = std::min(end + 1, size);
    if (end < size) {
      m_recordStart = end + 1;
      return end;
    }
  }
  return kNone;
}

CsvFault SniffNotText(std::string_view start) {
  // Both kinds of spreadsheet file, then anything with a NUL, which no text holds.
  if (start.starts_with("PK\x03\x04")) return CsvFault::kZipSpreadsheet;
  if (start.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return CsvFault::kOldSpreadsheet;
  if (start.substr(0, kSniffedBytes).find('\0') != std::string_view::npos) return CsvFault::kBinaryFile;
  return CsvFault::kNone;
}

CsvReader::CsvReader(ByteSource& source, CsvLimits limits)
    : m_source(&source), m_limits(limits), m_learnDialect(true), m_buffer(std::max<size_t>(limits.bufferBytes, 1)) {}

CsvReader::CsvReader(std::vector<char>&& records, size_t size, long long firstLine, CsvDialect dialect,
                     CsvLimits limits)
    : m_source(nullptr),
      m_limits(limits),
      m_dialect(dialect),
      m_buffer(std::move(records)),
      m_dataEnd(size),
      m_ends(dialect),
      m_endOfInput(true),
      m_started(true),
      m_nextLine(firstLine) {}

CsvReader::~CsvReader() = default;

std::string_view CsvReader::lineBreak() const {
  if (m_dialect.lineEnd == '\r') return "\r";
  return m_crlf ? "\r\n" : "\n";
}

void CsvReader::Fail(CsvFault fault, long long line) {
  m_fault = fault;
  m_faultLine = line;
  m_fieldCount = 0;
  m_text = {};
}

bool CsvReader::Refill() {
  if (m_recordStart > 0) {
    std::memmove(m_buffer.data(), m_buffer.data() + m_recordStart, m_dataEnd - m_recordStart);
    m_dataEnd -= m_recordStart;
    m_ends.Shift(m_recordStart);
    m_recordStart = 0;
  }
  if (m_dataEnd == m_buffer.size()) {
    // Only a record longer than the buffer gets here; it may grow to the limit and its line break.
    m_buffer.resize(std::max(m_dataEnd + 1, std::min(m_buffer.size() * 2, m_limits.maxRecordBytes + 2)));
  }
  const ssize_t count = m_source->Read(m_buffer.data() + m_dataEnd, m_buffer.size() - m_dataEnd);
  if (count < 0) {
    m_readError = errno;
    Fail(CsvFault::kReadFailed, m_nextLine);
    return false;
  }
  if (count == 0) m_endOfInput = true;
  m_dataEnd += static_cast<size_t>(count);
  return true;
}

bool CsvReader::FillTo(size_t bytes) {
  while (m_dataEnd - m_recordStart < bytes && !m_endOfInput) {
    if (m_recordStart == 0 && m_buffer.size() < bytes) m_buffer.resize(bytes);
    if (!Refill()) return false;
  }
  return true;
}

bool CsvReader::Start() {
  if (!FillTo(kSniffedBytes)) return false;
  const std::string_view start(m_buffer.data(), m_dataEnd);
  if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
    m_byteOrderMark = true;
    m_decoder = std::make_unique<Utf16Source>(*m_source, start.substr(2), start[0] == '\xFE');
    m_source = m_decoder.get();
    m_dataEnd = 0;
    m_endOfInput = false;
    if (!FillTo(kSniffedBytes)) return false;
  } else if (const CsvFault fault = SniffNotText(start); fault != CsvFault::kNone) {
    Fail(fault, 1);
    return false;
  } else if (start.starts_with("\xEF\xBB\xBF")) {
    m_byteOrderMark = true;
    m_recordStart = 3;
  }
  return !m_learnDialect || LearnDialect();
}

bool CsvReader::LearnDialect() {
  // The header's first line break outside quotes, read on until one turns up.
  size_t end = m_recordStart;
  bool inQuotes = false;
  size_t separators[3] = {};  // commas, semicolons, tabs outside quotes
  while (true) {
    for (; end < m_dataEnd; ++end) {
      const char c = m_buffer[end];
      if (c == '"') inQuotes = !inQuotes;
      if (inQuotes) continue;
      if (c == '\n' || c == '\r') break;
      separators[0] += c == ',';
      separators[1] += c == ';';
      separators[2] += c == '\t';
    }
    if (end < m_dataEnd || m_endOfInput || end - m_recordStart > m_limits.maxRecordBytes) break;
    const size_t scanned = end - m_recordStart;
    if (!Refill()) return false;
    end = m_recordStart + scanned;
  }
  if (separators[0] == 0 && (separators[1] > 0 || separators[2] > 0)) {
    m_dialect.separator = separators[1] >= separators[2] ? ';' : '\t';
  }
  // Lines end in a bare CR when the header's does and no line feed is in sight: a lone
  // CR in a file of LF lines is data, and a CR that is the last byte of all a cut CRLF.
  if (end < m_dataEnd && m_buffer[end] == '\r') {
    const size_t offset = end - m_recordStart;
    if (!FillTo(offset + 1 + kSniffedBytes)) return false;
    end = m_recordStart + offset;
    const std::string_view inSight = std::string_view(m_buffer.data() + end, m_dataEnd - end).substr(0, 1 + kSniffedBytes);
    if (inSight.size() > 1 && inSight.find('\n') == std::string_view::npos) m_dialect.lineEnd = '\r';
  }
  m_ends = RecordEnds(m_dialect, m_recordStart);
  return true;
}

bool CsvReader::Next() {
  if (m_fault != CsvFault::kNone) return false;
  if (!m_started) {
    m_started = true;
    if (!Start()) return false;
  }
  const bool lineFeeds = m_dialect.lineEnd == '\n';
  while (true) {
    m_ends.Restart(m_recordStart);
    size_t lineEnd = RecordEnds::kNone;
    while ((lineEnd = m_ends.Next(m_buffer.data(), m_dataEnd)) == RecordEnds::kNone && !m_endOfInput) {
      if (m_dataEnd - m_recordStart > m_limits.maxRecordBytes + 1) break;  // too long, whatever follows
      if (!Refill()) return false;
    }
    const bool found = lineEnd != RecordEnds::kNone;
    size_t contentEnd = found ? lineEnd : m_dataEnd;
    const size_t next = found ? lineEnd + 1 : m_dataEnd;
    // CRLF; and a CR at the very end of the input, which is most likely a cut CRLF.
    m_crlf = lineFeeds && contentEnd > m_recordStart && m_buffer[contentEnd - 1] == '\r' && !m_ends.inQuotes();
    if (m_crlf) --contentEnd;

    if (contentEnd == m_recordStart && !m_ends.inQuotes()) {
      if (!found) return false;
      m_recordStart = next;  // an empty line is no record
      ++m_nextLine;
      continue;
    }

    long long linesInside = 0;
    if (contentEnd - m_recordStart > m_limits.maxRecordBytes) {
      // Report a quoting fault within the record first: it is what made it so long. Only
      // the bytes that every way of reading has in hand by now count, so the fault told
      // does not depend on how the input arrived.
      if (Split(m_recordStart, m_recordStart + m_limits.maxRecordBytes + 1, true, linesInside)) {
        Fail(CsvFault::kRecordTooLong, m_nextLine);
      }
      return false;
    }
    m_text = std::string_view(m_buffer.data() + m_recordStart, contentEnd - m_recordStart);
    if (!Split(m_recordStart, contentEnd, false, linesInside)) return false;
    m_recordLine = m_nextLine;
    m_nextLine += linesInside + (found ? 1 : 0);
    m_recordStart = next;
    return true;
  }
}

inline void CsvReader::AddField(const char* begin, const char* end) {
  if (m_fieldCount == m_fields.size()) m_fields.resize(2 * m_fields.size() + 8);
  m_fields[m_fieldCount++] = std::string_view(begin, static_cast<size_t>(end - begin));
}

void CsvReader::SplitAtSeparators(const char* p, const char* to, const char*& fieldBegin) {
  const char* begin = fieldBegin;
  const char separator = m_dialect.separator;
#if defined(__SSE2__)
  // Sixteen bytes at a time while they lie in the buffer, a bit for each separator;
  // bytes from `to` on are read but not taken.
  const char* const readable = m_buffer.data() + m_buffer.size();
  for (; p < to && readable - p >= 16; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    auto commas = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(separator))));
    if (to - p < 16) commas &= (1u << (to - p)) - 1;
    if (commas == 0) continue;
    if (m_fields.size() - m_fieldCount < 16) m_fields.resize(2 * m_fields.size() + 16);
    std::string_view* field = m_fields.data() + m_fieldCount;
    for (; commas != 0; commas &= commas - 1) {
      const char* const comma = p + std::countr_zero(commas);
      *field++ = std::string_view(begin, static_cast<size_t>(comma - begin));
      begin = comma + 1;
    }
    m_fieldCount = static_cast<size_t>(field - m_fields.data());
  }
#endif
  for (; p < to; ++p) {
    if (*p == separator) {
      AddField(begin, p);
      begin = p + 1;
    }
  }
  fieldBegin = begin;
}

bool CsvReader::Split(size_t start, size_t end, bool cutShort, long long& linesInside) {
  m_fieldCount = 0;
  m_verbatim = true;
  char* const data = m_buffer.data();
  const char separator = m_dialect.separator;
  const char lineEnd = m_dialect.lineEnd;
  // The other line break, CR in a file of LF lines: data wherever it stands.
  const char otherBreak = lineEnd == '\n' ? '\r' : '\n';
  linesInside = 0;
  // The next quote and the next other line break, each looked for again only once passed.
  size_t quote = Find(data, start, end, '"');
  size_t loneBreak = Find(data, start, end, otherBreak);
  const char* fieldBegin = data + start;
  size_t p = start;
  while (true) {
    if (p == quote && data + p == fieldBegin && p < end) {
      const long long openingLine = m_nextLine + linesInside;
      const size_t contentBegin = p + 1;
      size_t read = contentBegin;
      size_t write = contentBegin;
      bool needsQuotes = false;
      while (true) {
        quote = Find(data, read, end, '"');
        for (size_t i = read; i < quote; ++i) {
          const char c = data[i];
          if (c == lineEnd) ++linesInside;
          if (c == '\n' || c == '\r' || c == separator) needsQuotes = true;
        }
        if (write != read) std::memmove(data + write, data + read, quote - read);
        write += quote - read;
        if (quote == end) {
          if (cutShort) return true;
          Fail(CsvFault::kUnterminatedQuote, openingLine);
          return false;
        }
        if (quote + 1 < end && data[quote + 1] == '"') {
          data[write++] = '"';
          needsQuotes = true;
          m_verbatim = false;  // the text now holds the undone quote
          read = quote + 2;
          continue;
        }
        p = quote + 1;
        break;
      }
      if (!needsQuotes) m_verbatim = false;  // quoted without need; written bare
      AddField(data + contentBegin, data + write);
      quote = Find(data, p, end, '"');
      if (loneBreak < p) loneBreak = Find(data, p, end, otherBreak);
      if (p == end) return true;
      if (data[p] != separator) {
        Fail(CsvFault::kTextAfterClosingQuote, m_nextLine + linesInside);
        return false;
      }
      fieldBegin = data + ++p;
      continue;
    }
    // Up to the next quote or lone line break, each separator ends a field.
    const size_t stop = std::min(quote, loneBreak);
    SplitAtSeparators(data + p, data + stop, fieldBegin);
    p = stop;
    if (stop == end) {
      AddField(fieldBegin, data + end);
      return true;
    }
    if (stop == quote) {
      if (data + quote == fieldBegin) continue;  // a quoted field
      // A plain character, as spreadsheets read it; written back, the field is quoted.
      m_verbatim = false;
      quote = Find(data, ++p, end, '"');
      continue;
    }
    m_verbatim = false;  // a lone line break is data, written quoted
    loneBreak = Find(data, ++p, end, otherBreak);
  }
}

}  // namespace varnolix::payroll
