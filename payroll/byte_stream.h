// Where the tool's bytes come from and go to: file descriptors in use, strings in tests.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace varnolix::payroll {

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
  explicit FdSource(int fd) : m_fd(fd) {}
  ssize_t Read(char* data, size_t size) override;

 private:
  int m_fd;
};

class FdSink final : public ByteSink {
 public:
  explicit FdSink(int fd) : m_fd(fd) {}
  bool Write(std::string_view bytes) override;

 private:
  int m_fd;
};

// Keeps what is written at the end of a string, which the caller may change between writes.
class MemorySink final : public ByteSink {
 public:
  explicit MemorySink(std::string* target) : m_target(target) {}
  void Target(std::string* target) { m_target = target; }
  bool Write(std::string_view bytes) override {
    m_target->append(bytes);
    return true;
  }

 private:
  std::string* m_target;
};

}  // namespace varnolix::payroll
