#include "cli/csv_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>

#include "cli/byte_classes.h"

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

size_t Find(const char* data, size_t from, size_t to, char c) {
  const void* found = std::memchr(data + from, c, to - from);
  return found == nullptr ? to : static_cast<size_t>(static_cast<const char*>(found) - data);
}

}  // namespace

CsvReader::CsvReader(ByteSource& source, CsvLimits limits)
    : source_(&source), limits_(limits), capacity_(std::max<size_t>(limits_.bufferBytes, 1)) {
  buffer_.resize(capacity_ + kFieldPadding);
}

CsvReader::CsvReader(std::vector<char>&& records, size_t size, long long firstLine, CsvLimits limits)
    : source_(nullptr),
      limits_(limits),
      buffer_(std::move(records)),
      capacity_(size),
      dataEnd_(size),
      endOfInput_(true),
      started_(true),
      nextLine_(firstLine) {
  if (buffer_.size() < size + kFieldPadding) buffer_.resize(size + kFieldPadding);
}

void CsvReader::Fail(CsvFault fault, long long line) {
  fault_ = fault;
  faultLine_ = line;
  fieldCount_ = 0;
  text_ = {};
}

bool CsvReader::Refill() {
  if (recordStart_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + recordStart_, dataEnd_ - recordStart_);
    dataEnd_ -= recordStart_;
    scanPos_ -= recordStart_;
    recordStart_ = 0;
  }
  if (dataEnd_ == capacity_) {
    // Only a record longer than the buffer gets here; it may grow to the limit and its line break.
    const size_t largest = limits_.maxRecordBytes + 2;
    capacity_ = std::max(dataEnd_ + 1, std::min(capacity_ * 2, largest));
    buffer_.resize(capacity_ + kFieldPadding);
  }
  const ssize_t count = source_->Read(buffer_.data() + dataEnd_, capacity_ - dataEnd_);
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

void CsvReader::AddField(std::string_view field) {
  if (fieldCount_ == fields_.size()) fields_.resize(fields_.size() * 2 + 8);
  fields_[fieldCount_++] = field;
}

bool CsvReader::ReadSimpleRecord() {
  const char* const data = buffer_.data();
  const char* const begin = data + recordStart_;
  const char* const end = data + dataEnd_;
  std::string_view* field = fields_.data();  // the next to fill
  bool verbatim = true;
  const char* fieldBegin = begin;
  // What one block hands on to the next.
  bool inQuotes = false;
  bool fieldStartsBlock = true;    // the block's first byte begins a field
  bool closingEndedBlock = false;  // the block before ended in a closing quote
  bool returnEndedBlock = false;   // or in a carriage return

  for (const char* block = begin; block < end; block += kBlockBytes) {
    if (fields_.data() + fields_.size() - field < static_cast<std::ptrdiff_t>(kBlockBytes)) {
      const auto filled = static_cast<size_t>(field - fields_.data());
      fields_.resize(filled + 2 * kBlockBytes);  // room for a field per byte of the block
      field = fields_.data() + filled;
    }
    // The padding lets the block run past the data.
    const BlockOutline outline = OutlineBlock(block).Within(static_cast<size_t>(end - block));
    const std::uint32_t lineFeeds = outline.separators & outline.special;
    if (!inQuotes && !closingEndedBlock && !returnEndedBlock && outline.special == lineFeeds) {
      // Outside quotes with no carriage return: each comma ends a plain field, and the
      // first line feed ends the last one and the record.
      const std::uint32_t recordEnd = lineFeeds & (0u - lineFeeds);
      const std::uint32_t inRecord = recordEnd != 0 ? recordEnd | (recordEnd - 1) : ~0u;
      for (std::uint32_t bits = outline.separators & inRecord; bits != 0; bits &= bits - 1) {
        const char* const separator = block + std::countr_zero(bits);
        *field++ = std::string_view(fieldBegin, static_cast<size_t>(separator - fieldBegin));
        fieldBegin = separator + 1;
      }
      if (recordEnd != 0) {
        return EndSimpleRecord(block + std::countr_zero(recordEnd), static_cast<size_t>(field - fields_.data()), verbatim);
      }
      fieldStartsBlock = (outline.separators >> 31) != 0;
      continue;
    }

    const ByteClasses c = ClassifyBlock(block).Within(static_cast<size_t>(end - block));
    const std::uint32_t inside = PrefixParity(c.quotes) ^ (inQuotes ? ~0u : 0u);
    inQuotes = (inside >> 31) != 0;
    const std::uint32_t lineEnds = c.lineFeeds & ~inside;
    const std::uint32_t recordEnd = lineEnds & (0u - lineEnds);  // the first, if any
    const std::uint32_t inRecord = recordEnd != 0 ? recordEnd | (recordEnd - 1) : ~0u;
    const std::uint32_t separators = c.separators & ~inside & inRecord;
    const std::uint32_t quotes = c.quotes & inRecord;
    const std::uint32_t returns = c.returns & inRecord;
    if ((c.lineFeeds & inside & inRecord) != 0) return false;  // a quoted line break: lines to count
    // A carriage return may stand only just before the line feed that ends the record.
    if (returnEndedBlock && (recordEnd & 1) == 0) return false;
    if ((returns & ~(recordEnd >> 1) & ~(1u << 31)) != 0) return false;
    returnEndedBlock = (returns >> 31) != 0;
    // Each opening quote begins a field and its closing quote ends it; any other quote is
    // doubled or stray, for the general route to undo or report.
    const std::uint32_t fieldStarts = (separators << 1) | (fieldStartsBlock ? 1u : 0u);
    if ((quotes & inside & ~fieldStarts) != 0) return false;
    const std::uint32_t closing = quotes & ~inside;
    const std::uint32_t afterClosing = ((closing << 1) | (closingEndedBlock ? 1u : 0u)) & inRecord;
    if ((afterClosing & ~(separators | returns)) != 0) return false;
    closingEndedBlock = (closing >> 31) != 0;
    fieldStartsBlock = (separators >> 31) != 0;

    for (std::uint32_t bits = separators; bits != 0; bits &= bits - 1) {
      const char* const separator = block + std::countr_zero(bits);
      const char* fieldEnd = separator;
      if (fieldEnd > fieldBegin && fieldEnd[-1] == '\r') --fieldEnd;  // only ever just before the line feed
      std::string_view content(fieldBegin, static_cast<size_t>(fieldEnd - fieldBegin));
      if (!content.empty() && content.front() == '"') {
        content = content.substr(1, content.size() - 2);  // both quotes checked above
        if (content.find(',') == std::string_view::npos) verbatim = false;  // quoted without need; written bare
      }
      *field++ = content;
      fieldBegin = separator + 1;
    }
    if (recordEnd != 0) {
      return EndSimpleRecord(block + std::countr_zero(recordEnd), static_cast<size_t>(field - fields_.data()), verbatim);
    }
  }
  return false;  // the record runs on past the data read so far
}

bool CsvReader::EndSimpleRecord(const char* lineFeed, size_t fieldCount, bool verbatim) {
  const char* const data = buffer_.data();
  const char* const begin = data + recordStart_;
  const char* contentEnd = lineFeed;
  if (contentEnd > begin && contentEnd[-1] == '\r') --contentEnd;
  const auto length = static_cast<size_t>(contentEnd - begin);
  if (length == 0 || length > limits_.maxRecordBytes) return false;  // an empty line, or one too long
  fieldCount_ = fieldCount;
  text_ = std::string_view(begin, length);
  verbatim_ = verbatim;
  recordLine_ = nextLine_++;
  recordStart_ = static_cast<size_t>(lineFeed + 1 - data);
  return true;
}

bool CsvReader::Next() {
  if (fault_ != CsvFault::kNone) return false;
  if (!started_) {
    started_ = true;
    if (!SkipByteOrderMark()) return false;
  }
  if (ReadSimpleRecord()) return true;
  while (true) {
    scanPos_ = recordStart_;
    scanInQuotes_ = false;
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
    const Extent extent = found || !scanInQuotes_ ? Extent::kComplete : Extent::kEndOfInput;
    if (!Split(recordStart_, contentEnd, extent, linesInside)) return false;
    recordLine_ = nextLine_;
    nextLine_ += linesInside + (found ? 1 : 0);
    recordStart_ = next;
    return true;
  }
}

bool CsvReader::Split(size_t start, size_t end, Extent extent, long long& linesInside) {
  fieldCount_ = 0;
  verbatim_ = true;
  char* data = buffer_.data();
  auto push = [&](size_t begin, size_t size) { AddField(std::string_view(data + begin, size)); };
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
