#include "payroll/fingerprint.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace varnolix::payroll {
namespace {

constexpr std::uint64_t kMultiplier1 = 0x87C37B91114253D5;
constexpr std::uint64_t kMultiplier2 = 0x4CF5AD432745937F;

// Every bit of the state reaches every bit of the value.
constexpr std::uint64_t Avalanche(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCD;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53;
  h ^= h >> 33;
  return h;
}

}  // namespace

inline void Hash64::Mix(std::uint64_t word) {
  m_state ^= std::rotl(word * kMultiplier1, 31) * kMultiplier2;
  m_state = std::rotl(m_state, 27) * 5 + 0x52DCE729;
}

void Hash64::Add(std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  m_length += left;
  if (m_pendingCount > 0) {
    const std::size_t taken = std::min(left, sizeof m_pending - m_pendingCount);
    std::memcpy(m_pending + m_pendingCount, p, taken);
    m_pendingCount += taken;
    p += taken;
    left -= taken;
    if (m_pendingCount < sizeof m_pending) return;
    std::uint64_t word = 0;
    std::memcpy(&word, m_pending, sizeof word);
    Mix(word);
    m_pendingCount = 0;
  }
  for (; left >= 8; p += 8, left -= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    Mix(word);
  }
  if (left > 0) std::memcpy(m_pending, p, left);
  m_pendingCount = left;
}

std::uint64_t Hash64::value() const {
  std::uint64_t tail = 0;
  std::memcpy(&tail, m_pending, m_pendingCount);
  std::uint64_t h = m_state;
  h ^= std::rotl(tail * kMultiplier1, 31) * kMultiplier2;
  return Avalanche(h ^ m_length);
}

FileFingerprint FingerprintOf(std::string_view bytes) {
  Hash64 hash;
  hash.Add(bytes);
  return {bytes.size(), hash.value()};
}

// Every record of a long file is fingerprinted as it is listed: its cells are mixed in
// place, a word at a time, with no state carried between pieces.
std::uint64_t RecordFingerprint(std::span<const std::string_view> cells) {
  std::uint64_t state = 0x13198A2E03707344;
  const auto mix = [&state](std::uint64_t word) {
    state ^= std::rotl(word * kMultiplier1, 31) * kMultiplier2;
    state = std::rotl(state, 27) * 5 + 0x52DCE729;
  };
  for (std::string_view cell : cells) {
    mix(cell.size());
    const char* p = cell.data();
    std::size_t left = cell.size();
    for (; left >= 8; p += 8, left -= 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, p, sizeof word);
      mix(word);
    }
    if (left > 0) {
      std::uint64_t tail = 0;
      std::memcpy(&tail, p, left);
      mix(tail);
    }
  }
  return Avalanche(state ^ cells.size());
}

std::uint64_t RecordFingerprint(const CsvReader& reader) {
  if (!reader.verbatim()) return RecordFingerprint(reader.fields());
  return FingerprintOf(reader.text()).hash;
}

ssize_t FingerprintingSource::Read(char* data, size_t size) {
  const ssize_t count = m_source.Read(data, size);
  if (count > 0) {
    m_hash.Add({data, static_cast<size_t>(count)});
    m_size += static_cast<std::uint64_t>(count);
  }
  return count;
}

}  // namespace varnolix::payroll
