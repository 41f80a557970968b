// The names live in fixed storage, written before a file is made, so that the signal
// handler, which may run on any thread at any moment (a worker's, the toolkit's), only
// reads them and unlinks: no allocation, no lock, nothing but async-signal-safe calls.
// A name is changed under a sequence count, odd while it changes, so that the handler
// never unlinks half of one name and half of another.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <mutex>

#include "payroll/system/temporary_files.h"

namespace varnolix::payroll::system {
namespace {

// A process writes a file or two at a time; more just go without this cover.
constexpr int kSlots = 8;
constexpr std::size_t kLongestPath = PATH_MAX;

struct Slot {
  std::atomic<bool> taken{false};
  std::atomic<unsigned> sequence{0};
  std::atomic<char> path[kLongestPath];  // empty when no file is to be removed
};

Slot g_slots[kSlots];

static_assert(std::atomic<char>::is_always_lock_free && std::atomic<unsigned>::is_always_lock_free,
              "the handler may only touch lock-free atomics");

void WritePath(Slot& slot, const std::string& path) {
  const unsigned sequence = slot.sequence.load(std::memory_order_relaxed);
  slot.sequence.store(sequence + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  for (std::size_t i = 0; i < path.size(); ++i) slot.path[i].store(path[i], std::memory_order_relaxed);
  slot.path[path.size()].store('\0', std::memory_order_relaxed);
  slot.sequence.store(sequence + 2, std::memory_order_release);
}

// Copies the slot's path as it stood at one moment into `copy`; false when it was being
// changed all along (by the very thread the signal interrupted, say: then its file is
// not made yet).
bool ReadPath(const Slot& slot, char (&copy)[kLongestPath]) {
  for (int attempt = 0; attempt < (1 << 16); ++attempt) {
    const unsigned before = slot.sequence.load(std::memory_order_acquire);
    if (before % 2 != 0) continue;
    std::size_t i = 0;
    while (i + 1 < kLongestPath && (copy[i] = slot.path[i].load(std::memory_order_relaxed)) != '\0') ++i;
    copy[i] = '\0';
    std::atomic_thread_fence(std::memory_order_acquire);
    if (slot.sequence.load(std::memory_order_relaxed) == before) return true;
  }
  return false;
}

extern "C" void RemoveAndEnd(int signal) {
  const int savedErrno = errno;
  for (const Slot& slot : g_slots) {
    char path[kLongestPath];
    if (ReadPath(slot, path) && path[0] != '\0') ::unlink(path);
  }
  // Ended by the signal itself, the process's exit status says what ended it. Reset only
  // now: a second signal meanwhile runs this again rather than ending the process early.
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  ::sigaction(signal, &standard, nullptr);
  ::raise(signal);
  errno = savedErrno;
}

// Once, on the first name: until then the handler would have nothing to do. A signal
// with a disposition of its own is left so: ignored (a run under nohup) stays immune, and
// a handler someone else installed keeps its job.
void InstallHandlers() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0) continue;
    if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
    struct sigaction removing {};
    removing.sa_handler = &RemoveAndEnd;
    ::sigemptyset(&removing.sa_mask);
    removing.sa_flags = SA_NODEFER;  // a second signal during the removal starts it over
    ::sigaction(signal, &removing, nullptr);
  }
}

}  // namespace

int RemoveOnInterruption(const std::string& path) {
  static std::once_flag installed;
  std::call_once(installed, InstallHandlers);
  if (path.empty() || path.size() >= kLongestPath || path.find('\0') != std::string::npos) return -1;
  for (int ticket = 0; ticket < kSlots; ++ticket) {
    bool expected = false;
    if (g_slots[ticket].taken.compare_exchange_strong(expected, true, std::memory_order_acquire)) {
      WritePath(g_slots[ticket], path);
      return ticket;
    }
  }
  return -1;
}

void ForgetOnInterruption(int ticket) {
  if (ticket < 0 || ticket >= kSlots) return;
  WritePath(g_slots[ticket], {});
  g_slots[ticket].taken.store(false, std::memory_order_release);
}

}  // namespace varnolix::payroll::system
