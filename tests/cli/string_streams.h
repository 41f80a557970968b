// In-memory stand-ins for the tool's input and output.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/byte_stream.h"

namespace varnolix::cli::testing {

// Hands out the text at most `chunk` bytes per read, as a pipe may; then fails if asked.
class StringSource final : public ByteSource {
 public:
  explicit StringSource(std::string text, size_t chunk = 1 << 20, bool failAtEnd = false)
      : text_(std::move(text)), chunk_(chunk), failAtEnd_(failAtEnd) {}
  ssize_t Read(char* data, size_t size) override {
    if (offset_ == text_.size() && failAtEnd_) {
      errno = EIO;
      return -1;
    }
    const size_t count = std::min({size, chunk_, text_.size() - offset_});
    std::memcpy(data, text_.data() + offset_, count);
    offset_ += count;
    return static_cast<ssize_t>(count);
  }

 private:
  std::string text_;
  size_t chunk_;
  bool failAtEnd_;
  size_t offset_ = 0;
};

// Keeps what is written; refuses with ENOSPC once `capacity` bytes are taken.
class StringSink final : public ByteSink {
 public:
  explicit StringSink(size_t capacity = std::string::npos) : capacity_(capacity) {}
  bool Write(std::string_view bytes) override {
    if (text.size() + bytes.size() > capacity_) {
      errno = ENOSPC;
      return false;
    }
    text += bytes;
    return true;
  }
  std::string text;

 private:
  size_t capacity_;
};

}  // namespace varnolix::cli::testing
