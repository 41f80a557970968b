#include "cli/parallel_assessment.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/byte_stream.h"
#include "cli/csv_reader.h"

namespace varnolix::cli {
namespace {

// Chunks in hand at once per thread, being framed, assessed or written: enough to keep
// every thread busy, few enough that memory stays small whatever the input's length.
constexpr size_t kChunksPerThread = 2;

struct Slot {
  enum class State : std::uint8_t { kFree, kFramed, kAssessing, kAssessed };
  State state = State::kFree;
  RecordChunk chunk;
  std::string output;
  RowTally tally;
  RecordsEnd end;
};

class ChunkAssessment {
 public:
  ChunkAssessment(const ColumnMap& columns, AmountReading reading, unsigned threads, size_t chunkBytes)
      : columns_(columns), reading_(reading), threads_(threads), chunkBytes_(chunkBytes),
        slots_(threads * kChunksPerThread) {}

  RecordsEnd Run(RecordFramer& framer, OutputBuffer& out, RowTally& tally);

 private:
  void Work();
  void Assess(Slot& slot, RowAssessor& row, MemorySink& sink, OutputBuffer& buffer) const;
  // Writes an assessed chunk; false when the records end with it.
  static bool Deliver(const Slot& slot, OutputBuffer& out, RowTally& tally, RecordsEnd& end);

  const ColumnMap& columns_;
  AmountReading reading_;
  unsigned threads_;
  size_t chunkBytes_;
  std::vector<Slot> slots_;  // used in turn; a slot is free again once its rows are written

  std::mutex mutex_;  // guards each slot's state, queue_ and stopping_
  std::condition_variable framed_;    // a chunk is queued, or the run stops
  std::condition_variable assessed_;  // a chunk has been assessed
  std::deque<Slot*> queue_;           // framed chunks in input order
  bool stopping_ = false;
};

RecordsEnd ChunkAssessment::Run(RecordFramer& framer, OutputBuffer& out, RowTally& tally) {
  std::vector<std::thread> workers;
  for (unsigned i = 0; i < threads_; ++i) workers.emplace_back([this] { Work(); });

  RecordsEnd end;
  size_t framed = 0;   // chunks handed to the threads
  size_t written = 0;  // chunks written, all in order
  bool inputDone = false;
  while (true) {
    Slot& oldest = slots_[written % slots_.size()];
    bool oldestAssessed = false;
    if (written < framed) {
      const std::lock_guard lock(mutex_);
      oldestAssessed = oldest.state == Slot::State::kAssessed;
    }
    if (oldestAssessed) {
      const bool more = Deliver(oldest, out, tally, end);
      {
        const std::lock_guard lock(mutex_);
        oldest.state = Slot::State::kFree;
      }
      ++written;
      if (!more) break;
      continue;
    }
    if (!inputDone && framed - written < slots_.size()) {
      Slot& next = slots_[framed % slots_.size()];
      if (!framer.Next(next.chunk, chunkBytes_)) {
        inputDone = true;
        continue;
      }
      {
        const std::lock_guard lock(mutex_);
        next.state = Slot::State::kFramed;
        queue_.push_back(&next);
      }
      framed_.notify_one();
      ++framed;
      continue;
    }
    if (written == framed) break;
    std::unique_lock lock(mutex_);
    assessed_.wait(lock, [&oldest] { return oldest.state == Slot::State::kAssessed; });
  }

  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  framed_.notify_all();
  for (std::thread& worker : workers) worker.join();
  return end;
}

void ChunkAssessment::Work() {
  RowAssessor row(columns_, reading_);
  MemorySink sink(nullptr);
  OutputBuffer buffer(sink);
  while (true) {
    Slot* slot = nullptr;
    {
      std::unique_lock lock(mutex_);
      framed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      slot = queue_.front();
      queue_.pop_front();
      slot->state = Slot::State::kAssessing;
    }
    Assess(*slot, row, sink, buffer);
    {
      const std::lock_guard lock(mutex_);
      slot->state = Slot::State::kAssessed;
    }
    assessed_.notify_one();
  }
}

void ChunkAssessment::Assess(Slot& slot, RowAssessor& row, MemorySink& sink, OutputBuffer& buffer) const {
  slot.output.clear();
  sink.Target(&slot.output);
  slot.tally = {};
  CsvReader reader(std::move(slot.chunk.bytes), slot.chunk.size, slot.chunk.firstLine);
  AssessRecords(reader, row, columns_.fieldCount(), buffer, slot.tally);
  buffer.Flush();
  slot.end = RecordsEnd::Of(reader);
  if (slot.end.fault == CsvFault::kNone && slot.chunk.readError != 0) {
    slot.end = {CsvFault::kReadFailed, reader.nextLine(), slot.chunk.readError};
  }
  slot.chunk.bytes = reader.ReleaseBuffer();
}

bool ChunkAssessment::Deliver(const Slot& slot, OutputBuffer& out, RowTally& tally, RecordsEnd& end) {
  out.Append(slot.output);
  // Once a write has failed, a single reader would read no further record, nor its fault.
  if (out.failed()) return false;
  tally.Add(slot.tally);
  end = slot.end;
  return end.fault == CsvFault::kNone;
}

}  // namespace

unsigned AssessingThreads(const Parallelism& parallelism) {
  if (parallelism.threads != 0) return parallelism.threads;
  return std::max(1u, std::thread::hardware_concurrency());
}

RecordsEnd AssessInParallel(RecordFramer& framer, const ColumnMap& columns, AmountReading reading, unsigned threads,
                            size_t chunkBytes, OutputBuffer& out, RowTally& tally) {
  ChunkAssessment assessment(columns, reading, threads, chunkBytes);
  return assessment.Run(framer, out, tally);
}

}  // namespace varnolix::cli
