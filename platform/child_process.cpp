#include "platform/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <thread>

extern char** environ;

namespace varnolix {
namespace {

// Children that outlived their wait, looked at now and then until each has ended.
class Reaper : public QObject {
 public:
  explicit Reaper(QObject* parent) : QObject(parent) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
  }
  void Add(pid_t pid) {
    m_children.push_back(pid);
    m_timer.start();
  }

 private:
  void Poll() {
    std::erase_if(m_children, [](pid_t pid) {
      int status = 0;
      const pid_t result = waitpid(pid, &status, WNOHANG);
      return result == pid || (result < 0 && errno != EINTR);
    });
    if (m_children.empty()) m_timer.stop();
  }

  QTimer m_timer;
  std::vector<pid_t> m_children;
};

std::optional<int> ExitStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return std::nullopt;
}

// Frees what posix_spawn's attributes hold, however the start ends.
struct SpawnSettings {
  SpawnSettings() {
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnSettings() {
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
};

}  // namespace

int StartProgram(const std::vector<std::string>& arguments, pid_t* pid) {
  if (arguments.empty() || arguments.front().empty()) return ENOENT;
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  SpawnSettings settings;
  // The child starts with the signals as a new program expects them, whatever this
  // program blocks or ignores. It gets no terminal of ours: it reads nothing from this
  // program's input, and what it writes never mixes into this program's output.
  sigset_t noSignals;
  sigemptyset(&noSignals);
  sigset_t allSignals;
  sigfillset(&allSignals);
  sigdelset(&allSignals, SIGKILL);
  sigdelset(&allSignals, SIGSTOP);
  posix_spawnattr_setsigmask(&settings.attributes, &noSignals);
  posix_spawnattr_setsigdefault(&settings.attributes, &allSignals);
  posix_spawnattr_setflags(&settings.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
  posix_spawn_file_actions_addopen(&settings.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&settings.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&settings.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  return posix_spawnp(pid, argv.front(), &settings.actions, &settings.attributes, argv.data(), environ);
}

std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t result = waitpid(pid, &status, WNOHANG);
    if (result == pid) return ExitStatus(status);
    if (result < 0 && errno != EINTR) return std::nullopt;  // reaped elsewhere: its end is unknown
    if (Clock::now() >= deadline) {
      ReapWhenDone(pid);
      return std::nullopt;
    }
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void ReapWhenDone(pid_t pid) {
  static QPointer<Reaper> reaper;
  if (reaper.isNull()) {
    if (QCoreApplication::instance() == nullptr) return;  // the child is reaped by init when this program ends
    reaper = new Reaper(QCoreApplication::instance());
  }
  reaper->Add(pid);
}

}  // namespace varnolix
