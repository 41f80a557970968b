#include "cli/parallel_assessment.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/file_format.h"
#include "payroll/system/processors.h"

namespace varnolix::cli {
namespace {

// Chunks in hand at once per thread, being framed, assessed or written: enough to keep
// every thread busy, few enough that memory stays small whatever the input's length.
constexpr size_t kChunksPerThread = 2;

// Where a row's warnings end, and where its output does.
struct WarnedRow {
  size_t outputEnd;
  size_t warningsEnd;
};

struct Slot {
  enum class State : std::uint8_t { kFree, kFramed, kAssessing, kAssessed };
  State state = State::kFree;
  RecordChunk chunk;
  std::string output;
  std::string warnings;
  std::vector<WarnedRow> warned;
  RowTally tally;
  RecordsEnd end;
};

// Keeps a chunk's warnings with the place in its output where each row's end, so that
// they are written as a single reader writes them: only for the rows written.
class ChunkWarnings final : public RowWarnings {
 public:
  explicit ChunkWarnings(Slot& slot) : m_slot(slot) {}
  void Add(std::string_view lines, OutputBuffer& out) override {
    out.Flush();  // into the slot's output, so that its length is where the row ends
    m_slot.warnings += lines;
    m_slot.warned.push_back({m_slot.output.size(), m_slot.warnings.size()});
  }

 private:
  Slot& m_slot;
};

class ChunkAssessment {
 public:
  ChunkAssessment(const ColumnMap& columns, const ResultLayout& layout, AmountReading reading, unsigned threads,
                  size_t chunkBytes, CsvDialect dialect, std::string_view lineEnd, ByteSink& warnings)
      : m_columns(columns), m_layout(layout), m_reading(reading), m_threads(threads), m_chunkBytes(chunkBytes),
        m_dialect(dialect), m_lineEnd(lineEnd), m_warnings(warnings), m_slots(threads * kChunksPerThread) {}

  RecordsEnd Run(RecordFramer& framer, OutputBuffer& out, RowTally& tally);

 private:
  void Work();
  // Tells the threads to end, and waits for them.
  void Stop(std::vector<std::thread>& workers);
  void Assess(Slot& slot, RowAssessor& row, MemorySink& sink, OutputBuffer& buffer) const;
  // Writes an assessed chunk; false when the records end with it.
  bool Deliver(const Slot& slot, OutputBuffer& out, RowTally& tally, RecordsEnd& end);

  const ColumnMap& m_columns;
  const ResultLayout& m_layout;
  AmountReading m_reading;
  unsigned m_threads;
  size_t m_chunkBytes;
  CsvDialect m_dialect;
  std::string_view m_lineEnd;
  ByteSink& m_warnings;
  std::vector<Slot> m_slots;  // used in turn; a slot is free again once its rows are written

  // A flag and plain condition variables, not std::jthread's stop tokens: with GCC 12's
  // library on Windows their waiting can miss a wake-up and hang the run at its end.
  std::mutex m_mutex;                  // guards each slot's state, m_queue and m_stopping
  std::condition_variable m_framed;    // a chunk is queued, or the threads are to end
  std::condition_variable m_assessed;  // a chunk has been assessed
  std::deque<Slot*> m_queue;           // framed chunks in input order
  bool m_stopping = false;
};

RecordsEnd ChunkAssessment::Run(RecordFramer& framer, OutputBuffer& out, RowTally& tally) {
  // Told to end and joined whichever way this returns.
  std::vector<std::thread> workers;
  struct Joined {
    ChunkAssessment& assessment;
    std::vector<std::thread>& workers;
    ~Joined() { assessment.Stop(workers); }
  } joined{*this, workers};
  for (unsigned i = 0; i < m_threads; ++i) workers.emplace_back([this] { Work(); });

  RecordsEnd end;
  size_t framed = 0;   // chunks handed to the threads
  size_t written = 0;  // chunks written, all in order
  bool inputDone = false;
  while (true) {
    Slot& oldest = m_slots[written % m_slots.size()];
    bool oldestAssessed = false;
    if (written < framed) {
      const std::lock_guard lock(m_mutex);
      oldestAssessed = oldest.state == Slot::State::kAssessed;
    }
    if (oldestAssessed) {
      const bool more = Deliver(oldest, out, tally, end);
      {
        const std::lock_guard lock(m_mutex);
        oldest.state = Slot::State::kFree;
      }
      ++written;
      if (!more) break;
      continue;
    }
    if (!inputDone && framed - written < m_slots.size()) {
      Slot& next = m_slots[framed % m_slots.size()];
      if (!framer.Next(next.chunk, m_chunkBytes)) {
        inputDone = true;
        continue;
      }
      {
        const std::lock_guard lock(m_mutex);
        next.state = Slot::State::kFramed;
        m_queue.push_back(&next);
      }
      m_framed.notify_one();
      ++framed;
      continue;
    }
    if (written == framed) break;
    std::unique_lock lock(m_mutex);
    m_assessed.wait(lock, [&oldest] { return oldest.state == Slot::State::kAssessed; });
  }
  return end;
}

void ChunkAssessment::Stop(std::vector<std::thread>& workers) {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_framed.notify_all();
  for (std::thread& worker : workers) worker.join();
}

void ChunkAssessment::Work() {
  RowAssessor row(m_columns, m_reading);
  MemorySink sink(nullptr);
  OutputBuffer buffer(sink);
  while (true) {
    Slot* slot = nullptr;
    {
      std::unique_lock lock(m_mutex);
      m_framed.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
      if (m_stopping) return;
      slot = m_queue.front();
      m_queue.pop_front();
      slot->state = Slot::State::kAssessing;
    }
    Assess(*slot, row, sink, buffer);
    {
      const std::lock_guard lock(m_mutex);
      slot->state = Slot::State::kAssessed;
    }
    m_assessed.notify_one();
  }
}

void ChunkAssessment::Assess(Slot& slot, RowAssessor& row, MemorySink& sink, OutputBuffer& buffer) const {
  slot.output.clear();
  slot.warnings.clear();
  slot.warned.clear();
  sink.Target(&slot.output);
  slot.tally = {};
  CsvReader reader(std::move(slot.chunk.bytes), slot.chunk.size, slot.chunk.firstLine, m_dialect);
  ChunkWarnings warnings(slot);
  AssessRecords(reader, row, m_layout, buffer, slot.tally, m_lineEnd, warnings);
  buffer.Flush();
  slot.end = RecordsEnd::Of(reader);
  if (slot.end.fault == CsvFault::kNone && slot.chunk.readError != 0) {
    slot.end = {CsvFault::kReadFailed, reader.nextLine(), slot.chunk.readError};
  }
  slot.chunk.bytes = reader.ReleaseBuffer();
}

bool ChunkAssessment::Deliver(const Slot& slot, OutputBuffer& out, RowTally& tally, RecordsEnd& end) {
  // Once a write has failed, a single reader would read no further record, nor its fault,
  // and would warn of no row whose writing failed.
  const std::string_view output = slot.output;
  size_t written = 0;
  size_t warned = 0;
  for (const WarnedRow& row : slot.warned) {
    out.Append(output.substr(written, row.outputEnd - written));
    written = row.outputEnd;
    if (out.failed()) break;
    warned = row.warningsEnd;
  }
  if (warned > 0) (void)m_warnings.Write(std::string_view(slot.warnings).substr(0, warned));
  if (!out.failed()) out.Append(output.substr(written));
  if (out.failed()) return false;
  tally.Add(slot.tally);
  end = slot.end;
  return end.fault == CsvFault::kNone;
}

}  // namespace

unsigned AssessingThreads(const Parallelism& parallelism) {
  if (parallelism.threads != 0) return parallelism.threads;
  return payroll::system::ProcessorCount();
}

RecordsEnd AssessInParallel(RecordFramer& framer, const ColumnMap& columns, const ResultLayout& layout,
                            AmountReading reading, unsigned threads, size_t chunkBytes, CsvDialect dialect,
                            std::string_view lineEnd, OutputBuffer& out, RowTally& tally, ByteSink& warnings) {
  ChunkAssessment assessment(columns, layout, reading, threads, chunkBytes, dialect, lineEnd, warnings);
  return assessment.Run(framer, out, tally);
}

}  // namespace varnolix::cli
