// In-memory stand-ins for the tool's input and output.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "payroll/byte_stream.h"

namespace varnolix::payroll::testing {

// Hands out the text at most `chunk` bytes per read, as a pipe may; then fails if asked.
class StringSource final : public ByteSource {
 public:
  explicit StringSource(std::string text, size_t chunk = 1 << 20, bool failAtEnd = false)
      : m_text(std::move(text)), m_chunk(chunk), m_failAtEnd(failAtEnd) {}
  ssize_t Read(char* data, size_t size) override {
    if (m_offset == m_text.size() && m_failAtEnd) {
      errno = EIO;
      return -1;
    }
    const size_t count = std::min({size, m_chunk, m_text.size() - m_offset});
    std::memcpy(data, m_text.data() + m_offset, count);
    m_offset += count;
    return static_cast<ssize_t>(count);
  }

 private:
  std::string m_text;
  size_t m_chunk;
  bool m_failAtEnd;
  size_t m_offset = 0;
};

// Keeps what is written; refuses with ENOSPC once `capacity` bytes are taken.
struct StringSink final : ByteSink {
  explicit StringSink(size_t limit = std::string::npos) : capacity(limit) {}
  bool Write(std::string_view bytes) override {
    if (text.size() + bytes.size() > capacity) {
      errno = ENOSPC;
      return false;
    }
    text += bytes;
    return true;
  }
  std::string text;
  size_t capacity;
};

}  // namespace varnolix::payroll::testing
