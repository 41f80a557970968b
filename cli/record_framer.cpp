#include "cli/record_framer.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "cli/byte_classes.h"
#include "cli/csv_reader.h"

namespace varnolix::cli {
namespace {

// Line feeds are few to a block, so clearing them one by one beats a general count where
// the processor has no instruction for it.
int CountBits(std::uint32_t bits) {
  int count = 0;
  for (; bits != 0; bits &= bits - 1) ++count;
  return count;
}

// Where records may begin in the bytes scanned so far. Each quote flips between inside
// and outside, as the reader's own search for a record's end does; since every record
// begins outside, so does every line feed that ends one.
class RecordEnds {
 public:
  // Takes the next `available` bytes at `block`, all of a block or what the data has.
  void Scan(const char* block, size_t available) {
    const QuotesAndLineFeeds c = FindQuotesAndLineFeeds(block).Within(available);
    std::uint32_t ends = c.lineFeeds;
    if (c.quotes != 0 || inQuotes_) {
      const std::uint32_t inside = PrefixParity(c.quotes) ^ (inQuotes_ ? ~0u : 0u);
      inQuotes_ = (inside >> 31) != 0;
      ends &= ~inside;
    }
    if (ends != 0) {
      const int last = 31 - std::countl_zero(ends);
      lastEnd_ = scanned_ + static_cast<size_t>(last) + 1;
      linesToLastEnd_ = lines_ + CountBits(c.lineFeeds & ((2u << last) - 1));
    }
    lines_ += CountBits(c.lineFeeds);
    scanned_ += available;
  }
  // Scans the whole blocks of data[scanned(), size).
  void ScanBlocks(const char* data, size_t size) {
    while (size - scanned_ >= kBlockBytes) Scan(data + scanned_, kBlockBytes);
  }
  // Scans everything up to `size`.
  void ScanAll(const char* data, size_t size) {
    ScanBlocks(data, size);
    if (scanned_ < size) Scan(data + scanned_, size - scanned_);
  }

  size_t scanned() const { return scanned_; }
  size_t lastEnd() const { return lastEnd_; }  // just past the last record's line feed, or 0
  long long linesToLastEnd() const { return linesToLastEnd_; }

 private:
  size_t scanned_ = 0;
  bool inQuotes_ = false;
  long long lines_ = 0;
  size_t lastEnd_ = 0;
  long long linesToLastEnd_ = 0;
};

}  // namespace

RecordFramer::RecordFramer(ByteSource& source, std::string_view start, long long line, bool sourceEnded,
                           size_t maxRecordBytes)
    : source_(source), carry_(start.begin(), start.end()), line_(line), sourceEnded_(sourceEnded),
      maxRecordBytes_(maxRecordBytes) {}

bool RecordFramer::Next(RecordChunk& chunk, size_t size) {
  if (done_) return false;
  size = std::max<size_t>(size, 1);
  std::vector<char>& bytes = chunk.bytes;
  size_t used = carry_.size();
  size_t capacity = std::max(size, used + 1);
  // Blocks are read whole, past the data, and the reader needs its padding.
  auto reserve = [&bytes](size_t room) {
    if (bytes.size() < room + CsvReader::kFieldPadding) bytes.resize(room + CsvReader::kFieldPadding);
  };
  reserve(capacity);
  std::copy(carry_.begin(), carry_.end(), bytes.begin());
  carry_.clear();
  chunk.firstLine = line_;
  chunk.readError = 0;

  RecordEnds ends;
  while (true) {
    ends.ScanBlocks(bytes.data(), used);
    if (sourceEnded_) {
      done_ = true;
      chunk.size = used;
      return used > 0;
    }
    if (used >= size && ends.lastEnd() > 0) break;
    if (ends.scanned() - ends.lastEnd() > maxRecordBytes_ + 1) {
      done_ = true;  // a record too long, for the reader to report
      chunk.size = used;
      return true;
    }
    if (used == capacity) {
      capacity += size;
      reserve(capacity);
    }
    const ssize_t count = source_.Read(bytes.data() + used, capacity - used);
    if (count < 0) {
      chunk.readError = errno;
      ends.ScanAll(bytes.data(), used);
      done_ = true;
      chunk.size = ends.lastEnd();  // the records before the failure
      return true;
    }
    if (count == 0) sourceEnded_ = true;
    used += static_cast<size_t>(count);
  }
  chunk.size = ends.lastEnd();
  carry_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(chunk.size), bytes.begin() + static_cast<std::ptrdiff_t>(used));
  line_ += ends.linesToLastEnd();
  return true;
}

}  // namespace varnolix::cli
