// varnolix-assess on several threads: the input cut into chunks of whole records, each
// chunk read and assessed on a thread of its own, the rows written in input order.
#pragma once

#include <cstddef>

#include "cli/file_format.h"

#include "cli/record_framer.h"
#include "cli/record_output.h"
#include "cli/row_assessment.h"

namespace varnolix::cli {

struct Parallelism {
  unsigned threads = 0;  // threads that assess; 0 for one per processor; 1 for the calling thread alone
  size_t chunkBytes = size_t{256} << 10;
};

// The threads Parallelism asks for, on this machine.
unsigned AssessingThreads(const Parallelism& parallelism);

// Assesses the records `framer` cuts on `threads` threads, writing the rows to `out` in
// input order, each ending in `lineEnd` and laid out by `layout`, and counting them in
// `tally`; each chunk's warnings go to `warnings` as the chunk is written. Stops where a
// single reader would: at the first fault, or once a write has failed.
RecordsEnd AssessInParallel(RecordFramer& framer, const ColumnMap& columns, const ResultLayout& layout,
                            AmountReading reading, unsigned threads, size_t chunkBytes, CsvDialect dialect,
                            std::string_view lineEnd, OutputBuffer& out, RowTally& tally, ByteSink& warnings);

}  // namespace varnolix::cli
