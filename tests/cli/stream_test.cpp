// The built tool over a pipe far larger than its memory: every row comes out, in order,
// while its peak memory stays that of a small file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

namespace varnolix::cli {
namespace {

// Writes all of `text`, or gives up when the reader has gone.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

struct Streamed {
  long long rows = 0;        // result rows read back
  long long outOfOrder = 0;  // rows whose id is not the one expected next
  long long unassessed = 0;  // rows that carry an error
  long peakKb = 0;
  int status = -1;
};

// Feeds `bytes` of generated rows to varnolix-assess and checks what comes back as it comes.
Streamed StreamThroughTool(long long bytes) {
  int in[2], out[2];
  if (::pipe(in) != 0 || ::pipe(out) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::close(in[0]), ::close(in[1]), ::close(out[0]), ::close(out[1]);
    ::execl(VARNOLIX_ASSESS_PATH, "varnolix-assess", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);

  // A wide pass-through column, so that the rows are few enough to check quickly.
  const std::string padding(96, 'p');
  std::thread feeder([&] {
    std::string block = "id,basic_pm,allowances1_pm,rent_pm,80d,note\n";
    long long sent = 0;
    for (long long id = 0; sent < bytes; ++id) {
      block += std::to_string(id) + ',' + std::to_string(10000 + id % 5000) + ',' + std::to_string(id % 700) + ',' +
               std::to_string(id % 3000) + ',' + std::to_string(id % 20000) + ',' + padding + '\n';
      if (block.size() >= (1 << 16)) {
        if (!WriteAll(in[1], block)) break;
        sent += static_cast<long long>(block.size());
        block.clear();
      }
    }
    WriteAll(in[1], block);
    ::close(in[1]);
  });

  Streamed result;
  std::string pending;
  char buffer[1 << 16];
  bool header = true;
  for (;;) {
    const ssize_t got = ::read(out[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    pending.append(buffer, static_cast<size_t>(got));
    size_t start = 0;
    for (size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
      const std::string_view line(pending.data() + start, end - start);
      if (header) {
        header = false;
        continue;
      }
      if (line.substr(0, line.find(',')) != std::to_string(result.rows)) ++result.outOfOrder;
      if (!line.ends_with(',')) ++result.unassessed;  // the error column is filled
      ++result.rows;
    }
    pending.erase(0, start);
  }
  ::close(out[0]);
  feeder.join();
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.peakKb = usage.ru_maxrss;
  return result;
}

TEST(Tool, StreamsAnyLengthInFlatMemoryKeepingEveryRowInOrder) {
  std::signal(SIGPIPE, SIG_IGN);
  const Streamed small = StreamThroughTool(1 << 20);
  const Streamed large = StreamThroughTool(VARNOLIX_STREAM_TEST_BYTES);
  for (const Streamed* run : {&small, &large}) {
    EXPECT_EQ(run->status, 0);
    EXPECT_GT(run->rows, 0);
    EXPECT_EQ(run->outOfOrder, 0) << "of " << run->rows << " rows";
    EXPECT_EQ(run->unassessed, 0) << "of " << run->rows << " rows";
  }
  EXPECT_GT(large.rows, small.rows * 50);
#ifndef VARNOLIX_SANITIZED
  // Buffers of a fixed size per thread: what a megabyte needs, a gigabyte needs too.
  EXPECT_LT(large.peakKb, small.peakKb + 8 * 1024) << "small: " << small.peakKb << " kB";
#endif
}

}  // namespace
}  // namespace varnolix::cli
