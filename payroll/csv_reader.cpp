#include "payroll/csv_reader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

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

size_t RecordEnds::Next(const char* data, size_t size) {
  while (m_position < size) {
    if (m_inQuotes) {
      const size_t quote = Find(data, m_position, size, '"');
      m_quotedLineFeeds += std::count(data + m_position, data + quote, '\n');
      m_position = std::min(quote + 1, size);
      m_inQuotes = quote == size;
      continue;
    }
    const size_t lineFeed = Find(data, m_position, size, '\n');
    const size_t quote = Find(data, m_position, lineFeed, '"');
    if (quote < lineFeed) {
      m_inQuotes = true;
      m_position = quote + 1;
      continue;
    }
    m_position = std::min(lineFeed + 1, size);
    if (lineFeed < size) return lineFeed;
  }
  return kNone;
}

CsvReader::CsvReader(ByteSource& source, CsvLimits limits)
    : m_source(&source), m_limits(limits), m_buffer(std::max<size_t>(limits.bufferBytes, 1)) {}

CsvReader::CsvReader(std::vector<char>&& records, size_t size, long long firstLine, CsvLimits limits)
    : m_source(nullptr),
      m_limits(limits),
      m_buffer(std::move(records)),
      m_dataEnd(size),
      m_endOfInput(true),
      m_started(true),
      m_nextLine(firstLine) {}

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

bool CsvReader::SkipByteOrderMark() {
  while (m_dataEnd < 3 && !m_endOfInput) {
    if (!Refill()) return false;
  }
  m_byteOrderMark = m_dataEnd >= 3 && std::memcmp(m_buffer.data(), "\xEF\xBB\xBF", 3) == 0;
  if (m_byteOrderMark) m_recordStart = 3;
  return true;
}

bool CsvReader::Next() {
  if (m_fault != CsvFault::kNone) return false;
  if (!m_started) {
    m_started = true;
    if (!SkipByteOrderMark()) return false;
  }
  while (true) {
    m_ends.Restart(m_recordStart);
    size_t lineFeed = RecordEnds::kNone;
    while ((lineFeed = m_ends.Next(m_buffer.data(), m_dataEnd)) == RecordEnds::kNone && !m_endOfInput) {
      if (m_dataEnd - m_recordStart > m_limits.maxRecordBytes + 1) break;  // too long, whatever follows
      if (!Refill()) return false;
    }
    const bool found = lineFeed != RecordEnds::kNone;
    size_t contentEnd = found ? lineFeed : m_dataEnd;
    const size_t next = found ? lineFeed + 1 : m_dataEnd;
    // CRLF; and a CR at the very end of the input, which is most likely a cut CRLF.
    m_crlf = contentEnd > m_recordStart && m_buffer[contentEnd - 1] == '\r' && !m_ends.inQuotes();
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

void CsvReader::SplitAtCommas(const char* p, const char* to, const char*& fieldBegin) {
  const char* begin = fieldBegin;
#if defined(__SSE2__)
  // Sixteen bytes at a time while they lie in the buffer, a bit for each comma; bytes
  // from `to` on are read but not taken.
  const char* const readable = m_buffer.data() + m_buffer.size();
  for (; p < to && readable - p >= 16; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    auto commas = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(','))));
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
    if (*p == ',') {
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
  linesInside = 0;
  // The next quote and the next CR, each looked for again only once passed.
  size_t quote = Find(data, start, end, '"');
  size_t carriageReturn = Find(data, start, end, '\r');
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
          if (c == '\n') ++linesInside;
          if (c == '\n' || c == '\r' || c == ',') needsQuotes = true;
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
      if (carriageReturn < p) carriageReturn = Find(data, p, end, '\r');
      if (p == end) return true;
      if (data[p] != ',') {
        Fail(CsvFault::kTextAfterClosingQuote, m_nextLine + linesInside);
        return false;
      }
      fieldBegin = data + ++p;
      continue;
    }
    // Up to the next quote or CR, each comma ends a field.
    const size_t stop = std::min(quote, carriageReturn);
    SplitAtCommas(data + p, data + stop, fieldBegin);
    p = stop;
    if (stop == end) {
      AddField(fieldBegin, data + end);
      return true;
    }
    if (stop == quote) {
      if (data + quote == fieldBegin) continue;  // a quoted field
      Fail(CsvFault::kQuoteInUnquotedField, m_nextLine + linesInside);
      return false;
    }
    m_verbatim = false;  // a CR that does not end the line is data, written quoted
    carriageReturn = Find(data, ++p, end, '\r');
  }
}

}  // namespace varnolix::payroll
