#include "cli/csv_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <bit>
#include <cstring>

namespace varnolix::cli {
namespace {

// The bytes that end or spoil an unquoted field, or make it need quotes on output.
constexpr std::array<bool, 256> kUnquotedStops = [] {
  std::array<bool, 256> stops{};
  stops[static_cast<unsigned char>(',')] = true;
  stops[static_cast<unsigned char>('"')] = true;
  stops[static_cast<unsigned char>('\r')] = true;
  return stops;
}();

// A mark in the top bit of every byte of `word` that equals `c`, and nowhere else.
std::uint64_t BytesEqual(std::uint64_t word, char c) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  const std::uint64_t x = word ^ (0x0101010101010101ULL * static_cast<unsigned char>(c));
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

size_t Find(const char* data, size_t from, size_t to, char c) {
  const void* found = std::memchr(data + from, c, to - from);
  return found == nullptr ? to : static_cast<size_t>(static_cast<const char*>(found) - data);
}

}  // namespace

CsvReader::CsvReader(ByteSource& source, CsvLimits limits) : source_(source), limits_(limits) {
  buffer_.resize(std::max<size_t>(limits_.bufferBytes, 1));
}

void CsvReader::Fail(CsvFault fault, long long line) {
  fault_ = fault;
  faultLine_ = line;
  fields_.clear();
  text_ = {};
}

bool CsvReader::Refill() {
  if (recordStart_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + recordStart_, dataEnd_ - recordStart_);
    dataEnd_ -= recordStart_;
    scanPos_ -= recordStart_;
    recordStart_ = 0;
  }
  if (dataEnd_ == buffer_.size()) {
    // Only a record longer than the buffer gets here; it may grow to the limit and its line break.
    const size_t largest = limits_.maxRecordBytes + 2;
    buffer_.resize(std::max(dataEnd_ + 1, std::min(buffer_.size() * 2, largest)));
  }
  const ssize_t count = source_.Read(buffer_.data() + dataEnd_, buffer_.size() - dataEnd_);
  if (count < 0) {
    readError_ = errno;
    Fail(CsvFault::kReadFailed, nextLine_);
    return false;
  }
  if (count == 0) endOfInput_ = true;
  dataEnd_ += static_cast<size_t>(count);
  return true;
}

bool CsvReader::SkipByteOrderMark() {
  while (dataEnd_ < 3 && !endOfInput_) {
    if (!Refill()) return false;
  }
  if (dataEnd_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) recordStart_ = 3;
  return true;
}

// Looks for the line feed that ends the record, outside quotes. Each quote flips the
// state, which is right for every well-formed record (a doubled quote flips twice);
// Split finds the faults of the others. Resumes where it stopped after a refill.
bool CsvReader::FindRecordEnd(size_t& end) {
  const char* data = buffer_.data();
  size_t p = scanPos_;
  while (p < dataEnd_) {
    if (scanInQuotes_) {
      const size_t quote = Find(data, p, dataEnd_, '"');
      if (quote == dataEnd_) {
        p = dataEnd_;
        break;
      }
      scanInQuotes_ = false;
      p = quote + 1;
      continue;
    }
    const size_t lineFeed = Find(data, p, dataEnd_, '\n');
    const size_t quote = Find(data, p, lineFeed, '"');
    if (quote < lineFeed) {
      scanInQuotes_ = true;
      scanSawQuote_ = true;
      p = quote + 1;
      continue;
    }
    if (lineFeed < dataEnd_) {
      scanPos_ = lineFeed;
      end = lineFeed;
      return true;
    }
    p = dataEnd_;
  }
  scanPos_ = p;
  return false;
}

bool CsvReader::Next() {
  if (fault_ != CsvFault::kNone) return false;
  if (!started_) {
    started_ = true;
    if (!SkipByteOrderMark()) return false;
  }
  while (true) {
    scanPos_ = recordStart_;
    scanInQuotes_ = false;
    scanSawQuote_ = false;
    size_t lineFeed = 0;
    bool found = false;
    while (!(found = FindRecordEnd(lineFeed)) && !endOfInput_) {
      if (dataEnd_ - recordStart_ > limits_.maxRecordBytes + 1) break;  // too long, whatever follows
      if (!Refill()) return false;
    }
    size_t contentEnd = found ? lineFeed : dataEnd_;
    const size_t next = found ? lineFeed + 1 : dataEnd_;
    // CRLF; and a CR at the very end of the input, which is most likely a cut CRLF.
    if (contentEnd > recordStart_ && buffer_[contentEnd - 1] == '\r' && !scanInQuotes_) --contentEnd;

    if (contentEnd == recordStart_ && !scanInQuotes_) {
      if (!found) return false;
      recordStart_ = next;  // an empty line is no record
      ++nextLine_;
      continue;
    }

    long long linesInside = 0;
    if (contentEnd - recordStart_ > limits_.maxRecordBytes) {
      // Report a quoting fault within the record first: it is what made it so long.
      if (Split(recordStart_, contentEnd, Extent::kCutShort, linesInside)) {
        Fail(CsvFault::kRecordTooLong, nextLine_);
      }
      return false;
    }
    text_ = std::string_view(buffer_.data() + recordStart_, contentEnd - recordStart_);
    if (scanSawQuote_) {
      const Extent extent = found || !scanInQuotes_ ? Extent::kComplete : Extent::kEndOfInput;
      if (!Split(recordStart_, contentEnd, extent, linesInside)) return false;
    } else {
      SplitUnquoted(recordStart_, contentEnd);
    }
    recordLine_ = nextLine_;
    nextLine_ += linesInside + (found ? 1 : 0);
    recordStart_ = next;
    return true;
  }
}

void CsvReader::SplitUnquoted(size_t start, size_t end) {
  fields_.clear();
  verbatim_ = true;
  const char* const data = buffer_.data();
  const char* p = data + start;
  const char* const last = data + end;
  const char* fieldBegin = p;
  if constexpr (std::endian::native == std::endian::little) {
    // Eight bytes at a time; the lowest mark is the first byte in memory.
    for (; last - p >= 8; p += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, p, 8);
      if (BytesEqual(word, '\r') != 0) verbatim_ = false;  // a CR inside a line is data, written quoted
      for (std::uint64_t commas = BytesEqual(word, ','); commas != 0; commas &= commas - 1) {
        const char* comma = p + std::countr_zero(commas) / 8;
        fields_.emplace_back(fieldBegin, static_cast<size_t>(comma - fieldBegin));
        fieldBegin = comma + 1;
      }
    }
  }
  for (; p < last; ++p) {
    if (*p == '\r') verbatim_ = false;
    if (*p == ',') {
      fields_.emplace_back(fieldBegin, static_cast<size_t>(p - fieldBegin));
      fieldBegin = p + 1;
    }
  }
  fields_.emplace_back(fieldBegin, static_cast<size_t>(last - fieldBegin));
}

bool CsvReader::Split(size_t start, size_t end, Extent extent, long long& linesInside) {
  fields_.clear();
  verbatim_ = true;
  char* data = buffer_.data();
  auto push = [&](size_t begin, size_t size) { fields_.emplace_back(data + begin, size); };
  linesInside = 0;
  size_t p = start;
  while (true) {
    if (p < end && data[p] == '"') {
      const long long openingLine = nextLine_ + linesInside;
      const size_t contentBegin = p + 1;
      size_t read = contentBegin;
      size_t write = contentBegin;
      bool needsQuotes = false;
      while (true) {
        const size_t quote = Find(data, read, end, '"');
        for (size_t i = read; i < quote; ++i) {
          const char c = data[i];
          if (c == '\n') ++linesInside;
          if (c == '\n' || c == '\r' || c == ',') needsQuotes = true;
        }
        if (write != read) std::memmove(data + write, data + read, quote - read);
        write += quote - read;
        if (quote == end) {
          if (extent == Extent::kCutShort) return true;
          Fail(CsvFault::kUnterminatedQuote, openingLine);
          return false;
        }
        if (quote + 1 < end && data[quote + 1] == '"') {
          data[write++] = '"';
          needsQuotes = true;
          verbatim_ = false;  // the text now holds the undone quote
          read = quote + 2;
          continue;
        }
        p = quote + 1;
        break;
      }
      if (!needsQuotes) verbatim_ = false;  // quoted without need; written bare
      push(contentBegin, write - contentBegin);
      if (p == end) return true;
      if (data[p] != ',') {
        Fail(CsvFault::kTextAfterClosingQuote, nextLine_ + linesInside);
        return false;
      }
      ++p;
      continue;
    }
    const size_t fieldBegin = p;
    bool needsQuotes = false;
    while (p < end) {
      while (p < end && !kUnquotedStops[static_cast<unsigned char>(data[p])]) ++p;
      if (p == end || data[p] == ',') break;
      if (data[p] == '"') {
        Fail(CsvFault::kQuoteInUnquotedField, nextLine_ + linesInside);
        return false;
      }
      needsQuotes = true;  // a CR that does not end the line is kept as data
      ++p;
    }
    if (needsQuotes) verbatim_ = false;
    push(fieldBegin, p - fieldBegin);
    if (p == end) return true;
    ++p;
  }
}

}  // namespace varnolix::cli
