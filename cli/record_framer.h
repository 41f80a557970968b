// Cuts the input into chunks of whole records, so that a CsvReader reading one chunk
// reads its records just as a single reader reading all of the input would.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/file_format.h"

namespace varnolix::cli {

struct RecordChunk {
  std::vector<char> bytes;  // `size` bytes of records, then room to spare
  size_t size = 0;
  long long firstLine = 0;  // the physical line on which bytes[0] stands
  int readError = 0;        // errno when the input failed after these records
};

class RecordFramer {
 public:
  // `start` was read from `source` already and begins with a record on physical line
  // `line`; `sourceEnded` when nothing follows it. A record longer than `maxRecordBytes`
  // ends the chunks.
  RecordFramer(ByteSource& source, CsvDialect dialect, std::string_view start, long long line, bool sourceEnded,
               size_t maxRecordBytes);

  // Fills `chunk` with the next records, about `size` bytes of them: a chunk ends just
  // after a line end outside quotes, where a reader begins a record. The last runs to
  // the end of the input, or to a failed read, or through a record too long, which its
  // reader then reports. False when nothing is left.
  bool Next(RecordChunk& chunk, size_t size);

 private:
  ByteSource& m_source;
  CsvDialect m_dialect;
  std::vector<char> m_carry;  // the start of a record, after the last chunk
  long long m_line;
  bool m_sourceEnded;
  bool m_done = false;
  size_t m_maxRecordBytes;
};

}  // namespace varnolix::cli
