#include "payroll/utf16_source.h"

#include <algorithm>
#include <cstring>

namespace varnolix::payroll {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr size_t kReadBytes = size_t{16} << 10;

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

Utf16Source::Utf16Source(ByteSource& source, std::string_view already, bool bigEndian)
    : m_source(source), m_bigEndian(bigEndian), m_pending(already) {}

void Utf16Source::Put(char32_t c) {
  if (c < 0x80) {
    m_decoded += static_cast<char>(c);
  } else if (c < 0x800) {
    m_decoded += static_cast<char>(0xC0 | (c >> 6));
    m_decoded += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    m_decoded += static_cast<char>(0xE0 | (c >> 12));
    m_decoded += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    m_decoded += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    m_decoded += static_cast<char>(0xF0 | (c >> 18));
    m_decoded += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    m_decoded += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    m_decoded += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool Utf16Source::Decode() {
  size_t i = 0;
  for (; i + 1 < m_pending.size(); i += 2) {
    const auto first = static_cast<unsigned char>(m_pending[i]);
    const auto second = static_cast<unsigned char>(m_pending[i + 1]);
    const auto unit = static_cast<char16_t>(m_bigEndian ? (first << 8) | second : (second << 8) | first);
    if (m_highSurrogate != 0) {
      const char16_t high = m_highSurrogate;
      m_highSurrogate = 0;
      if (IsLow(unit)) {
        Put(0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{unit} - 0xDC00));
        continue;
      }
      Put(kReplacement);
    }
    if (IsHigh(unit)) {
      m_highSurrogate = unit;
    } else {
      Put(IsLow(unit) ? kReplacement : char32_t{unit});
    }
  }
  m_pending.erase(0, i);
  if (!m_ended) return true;
  if (m_highSurrogate != 0 || !m_pending.empty()) Put(kReplacement);
  m_highSurrogate = 0;
  m_pending.clear();
  return !m_decoded.empty();
}

ssize_t Utf16Source::Read(char* data, size_t size) {
  while (m_handedOut == m_decoded.size()) {
    m_decoded.clear();
    m_handedOut = 0;
    if (m_ended) return 0;
    char bytes[kReadBytes];
    const ssize_t count = m_source.Read(bytes, sizeof bytes);
    if (count < 0) return -1;
    if (count == 0) m_ended = true;
    m_pending.append(bytes, static_cast<size_t>(count));
    if (!Decode() && m_ended) return 0;
  }
  const size_t count = std::min(size, m_decoded.size() - m_handedOut);
  std::memcpy(data, m_decoded.data() + m_handedOut, count);
  m_handedOut += count;
  return static_cast<ssize_t>(count);
}

}  // namespace varnolix::payroll
