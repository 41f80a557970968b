// Where the tool's bytes come from and go to: file descriptors in use, strings in tests.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace varnolix::cli {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes into `data`: the count read, 0 at the end, -1 on failure with errno set.
  virtual ssize_t Read(char* data, size_t size) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // All of `bytes`, or false with errno set.
  virtual bool Write(std::string_view bytes) = 0;
};

class FdSource final : public ByteSource {
 public:
  explicit FdSource(int fd) : fd_(fd) {}
  ssize_t Read(char* data, size_t size) override;

 private:
  int fd_;
};

class FdSink final : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  bool Write(std::string_view bytes) override;

 private:
  int fd_;
};

// Keeps what is written at the end of a string, which the caller may change between writes.
class MemorySink final : public ByteSink {
 public:
  explicit MemorySink(std::string* target) : target_(target) {}
  void Target(std::string* target) { target_ = target; }
  bool Write(std::string_view bytes) override {
    target_->append(bytes);
    return true;
  }

 private:
  std::string* target_;
};

}  // namespace varnolix::cli
