// The built tool interrupted while it writes its output file: it reads from a named pipe
// that the test feeds until the output is seen growing, then gets a signal. Whatever the
// signal, the earlier output stays byte for byte and nothing new is left in its folder,
// and the exit status names the signal. Each step waits on what can be seen of the tool
// (the pipe opened, its descriptors in /proc), never on the clock.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/shared/files.h"

namespace varnolix::cli {
namespace {

namespace fs = std::filesystem;

enum class Route { kUnnamed, kNamed };

bool Ended(pid_t pid) {
  siginfo_t info {};
  return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// Polls `seen` until it holds, the tool ends, or a generous patience runs out.
template <typename Condition>
bool WaitFor(pid_t pid, Condition seen) {
  for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
       std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
    if (seen()) return true;
    if (Ended(pid)) return seen();
  }
  return false;
}

// Starts the tool with the interrupting signals at their defaults, but for `ignored`
// (0 for none), ignored as nohup leaves SIGHUP; for the named route, unnamed files refused.
pid_t Start(std::vector<std::string> args, Route route, int ignored, const std::string& errors) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::signal(signal, signal == ignored ? SIG_IGN : SIG_DFL);
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  if (route == Route::kNamed) {
    ::setenv("LD_PRELOAD", VARNOLIX_NO_UNNAMED_FILES, 1);
    const char* asan = std::getenv("ASAN_OPTIONS");
    ::setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":verify_asan_link_order=0").c_str(), 1);
  }
  ::dup2(::open("/dev/null", O_RDWR), STDIN_FILENO);
  ::dup2(STDIN_FILENO, STDOUT_FILENO);
  ::dup2(::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
  args.insert(args.begin(), VARNOLIX_ASSESS_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  ::execv(argv[0], argv.data());
  ::_exit(127);
}

bool Feed(int fd, pid_t pid, std::string_view bytes) {
  return WaitFor(pid, [&] {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) bytes.remove_prefix(static_cast<size_t>(written));
    return bytes.empty() || (written < 0 && errno != EAGAIN);
  }) && bytes.empty();
}

// The name /proc gives the tool's file in `folder` once something is written to it.
std::string WrittenIn(pid_t pid, const std::string& folder) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
    const std::string name = fs::read_symlink(entry.path(), error).string();
    struct stat status {};
    if (!error && name.starts_with(folder + "/") && ::stat(entry.path().c_str(), &status) == 0 && status.st_size > 0) {
      return name;
    }
  }
  return {};
}

// A thread of the tool's other than the first: one that assesses rows.
pid_t AWorkerOf(pid_t pid) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    if (const pid_t thread = std::stoi(entry.path().filename()); thread != pid) return thread;
  }
  return 0;
}

TEST(Interruption, LeavesTheEarlierOutputAndNothingBesideIt) {
  const struct {
    const char* name;
    int signal;
    Route route;
    bool toAWorker = false;  // sent to a thread that assesses, not to the process
    bool ignored = false;    // ignored when the tool starts, as under nohup
  } cases[] = {
      {"CtrlC", SIGINT, Route::kNamed},
      {"RequestToEnd", SIGTERM, Route::kNamed},
      {"ClosedTerminal", SIGHUP, Route::kNamed},
      {"RequestToEndTakenByAWorker", SIGTERM, Route::kNamed, true},
      {"CtrlCWhileUnnamed", SIGINT, Route::kUnnamed},
      {"Killed", SIGKILL, Route::kUnnamed},
      // Immune, the run carries on and its output takes the earlier one's place.
      {"HangUpUnderNohup", SIGHUP, Route::kNamed, false, true},
  };
  const sighandler_t pipeAction = ::signal(SIGPIPE, SIG_IGN);  // a tool ended early fails the test, not ends it
  const std::string base = test::FreshFolder();
  const std::string folder = base + "/out";
  const std::string output = folder + "/keep.csv";
  const std::string fifo = base + "/big.csv";
  const std::string earlier = "id,basic_pm,tax_payable\nE0,1,0.00\n";
  std::string rows;
  for (int row = 0; row < 1000; ++row) rows += "E1,10000\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(base);
    fs::create_directories(folder);
    const int probe = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe >= 0) ::close(probe);
    if (c.route == Route::kUnnamed && probe < 0) {
      std::cout << c.name << ": skipped, as " << folder << " takes no unnamed files\n";
      continue;
    }
    test::Write(output, earlier);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const pid_t tool = Start({"--threads", "2", "-o", output, fifo}, c.route, c.ignored ? c.signal : 0, base + "/err");
    ASSERT_GT(tool, 0);
    int feed = -1;
    ASSERT_TRUE(WaitFor(tool, [&] { return (feed = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) >= 0; }))
        << "the tool never opened its input";
    ASSERT_TRUE(Feed(feed, tool, "id,basic_pm\n"));
    std::string written;
    ASSERT_TRUE(WaitFor(tool, [&] { return !(written = WrittenIn(tool, fs::canonical(folder))).empty() || !Feed(feed, tool, rows); }) &&
                !written.empty())
        << "the output was never written: " << test::Read(base + "/err");
    EXPECT_EQ(written.ends_with(" (deleted)"), c.route == Route::kUnnamed) << written;

    const pid_t worker = c.toAWorker ? AWorkerOf(tool) : 0;
    ASSERT_EQ(c.toAWorker ? ::syscall(SYS_tgkill, tool, worker, c.signal) : ::kill(tool, c.signal), 0);
    if (c.ignored) ::close(feed);  // dropped as it was sent, the signal leaves the run to go on to its end
    const bool ended = WaitFor(tool, [&] { return Ended(tool); });
    if (!ended) ::kill(tool, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(tool, &status, 0), tool);
    if (!c.ignored) ::close(feed);
    ASSERT_TRUE(ended) << "the tool did not end";

    if (c.ignored) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
      EXPECT_TRUE(test::Read(output).starts_with("id,basic_pm,taxable_hra,")) << test::Read(output).substr(0, 80);
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << "status " << status;
      EXPECT_EQ(test::Read(output), earlier);
    }
    EXPECT_EQ(test::Listing(folder), std::vector<std::string>{"keep.csv"});
  }
  fs::remove_all(base);
  ::signal(SIGPIPE, pipeAction);
}

}  // namespace
}  // namespace varnolix::cli
