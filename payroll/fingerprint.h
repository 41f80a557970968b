// Telling whether a file, or one record of it, is still what it was when it was listed:
// a 64-bit hash of its bytes, quick enough to take of every record of a long file. It
// tells a change, which nobody hides on purpose; it keeps no secret.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "payroll/byte_stream.h"
#include "payroll/csv_reader.h"

namespace varnolix::payroll {

// Hashes bytes handed in pieces of any size; the same bytes give the same value however
// they were cut.
class Hash64 {
 public:
  void Add(std::string_view bytes);
  std::uint64_t value() const;

 private:
  void Mix(std::uint64_t word);

  std::uint64_t m_state = 0x243F6A8885A308D3;
  std::uint64_t m_length = 0;
  unsigned char m_pending[8] = {};
  std::size_t m_pendingCount = 0;
};

struct FileFingerprint {
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
  bool operator==(const FileFingerprint&) const = default;
};

FileFingerprint FingerprintOf(std::string_view bytes);

// A record's cells, each with its length, so that moving a separator changes it too.
std::uint64_t RecordFingerprint(std::span<const std::string_view> cells);
// The reader's current record: as it stands in the file when that says its cells
// exactly, as most records do, else by its cells.
std::uint64_t RecordFingerprint(const CsvReader& reader);

// Passes the bytes of `source` through and takes the fingerprint of all it passed.
class FingerprintingSource final : public ByteSource {
 public:
  explicit FingerprintingSource(ByteSource& source) : m_source(source) {}
  ssize_t Read(char* data, size_t size) override;
  FileFingerprint fingerprint() const { return {m_size, m_hash.value()}; }

 private:
  ByteSource& m_source;
  Hash64 m_hash;
  std::uint64_t m_size = 0;
};

}  // namespace varnolix::payroll
