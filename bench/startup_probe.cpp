// Linked into bench-only copies of a Qt program: notices the first top-level window
// that is shown and exposed, lets it finish painting, then prints the time since the
// process started and the peak resident memory, and ends the process at once.
//
// Prints one line on standard output:
//   startup_probe app_ms A shown_ms S vmhwm_kb H vmrss_kb R paints P clock C
// A: time to the end of QApplication's construction; S: time to the first shown window;
// P: paint events delivered to widgets by then (0 would mean nothing was drawn yet);
// C: "harness" when the launcher's clock was given (VARNOLIX_BENCH_T0_NS, CLOCK_MONOTONIC),
// else "proc" (the kernel's start time, in clock ticks of 10 ms).
#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

long long NowNs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Field 22 of /proc/self/stat is the start time in clock ticks since boot; the command
// name in field 2 may hold blanks, so count from its closing parenthesis.
long long ProcessStartBoottimeNs() {
  std::ifstream file("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t close = stat.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  for (int index = 3; index <= 22 && fields >> field; ++index) {
    if (index == 22) return std::stoll(field) * 1'000'000'000LL / sysconf(_SC_CLK_TCK);
  }
  return 0;
}

struct Elapsed {
  double ms;
  const char* clock;
};

Elapsed SinceProcessStart() {
  if (const char* t0 = std::getenv("VARNOLIX_BENCH_T0_NS"); t0 != nullptr && *t0 != '\0') {
    return {static_cast<double>(NowNs(CLOCK_MONOTONIC) - std::atoll(t0)) / 1e6, "harness"};
  }
  return {static_cast<double>(NowNs(CLOCK_BOOTTIME) - ProcessStartBoottimeNs()) / 1e6, "proc"};
}

long StatusKb(const char* key) {
  std::ifstream file("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(file, line)) {
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return -1;
}

class FirstShownWindow : public QObject {
 public:
  explicit FirstShownWindow(double appMs) : m_appMs(appMs) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++m_paints;
    if (!m_seen && event->type() == QEvent::Expose) {
      auto* window = qobject_cast<QWindow*>(watched);
      if (window != nullptr && window->parent() == nullptr && window->isVisible()) {
        m_seen = true;
        // Queued, so the report comes after the exposed window has painted.
        QMetaObject::invokeMethod(this, [this] { Report(); }, Qt::QueuedConnection);
      }
    }
    return false;
  }

 private:
  void Report() const {
    const Elapsed shown = SinceProcessStart();
    std::printf("startup_probe app_ms %.3f shown_ms %.3f vmhwm_kb %ld vmrss_kb %ld paints %d clock %s\n", m_appMs,
                shown.ms, StatusKb("VmHWM"), StatusKb("VmRSS"), m_paints, shown.clock);
    std::fflush(stdout);
    _exit(0);  // nothing after the first sheet is measured, not even tearing it down
  }

  double m_appMs;
  bool m_seen = false;
  int m_paints = 0;
};

void InstallProbe() {
  auto* probe = new FirstShownWindow(SinceProcessStart().ms);
  probe->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(probe);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
