// The built tool interrupted while it writes its output file: it reads from a named pipe
// that the test feeds until the output is seen growing, then gets a signal. Whatever the
// signal, the earlier output stays byte for byte and nothing new is left in its folder,
// and the exit status names the signal. Each step waits on what can be seen of the tool
// (the pipe opened, its descriptors in /proc), never on the clock.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace varnolix::cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Generous: a loaded machine is slow, but a tool that hangs still fails the test.
constexpr auto kPatience = std::chrono::seconds(60);

enum class Route { kUnnamed, kNamed };

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

bool TakesUnnamedFiles(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd >= 0) ::close(fd);
  return fd >= 0;
}

bool Ended(pid_t pid) {
  siginfo_t info {};
  return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// Polls `seen` until it holds, the tool ends, or patience runs out.
template <typename Condition>
bool WaitFor(pid_t pid, Condition seen) {
  for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
    if (seen()) return true;
    if (Ended(pid)) return seen();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// The tool's environment, with unnamed files refused for the named route.
std::vector<std::string> Environment(Route route) {
  std::vector<std::string> variables;
  std::string asanOptions = "verify_asan_link_order=0";
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string text = *variable;
    if (text.starts_with("LD_PRELOAD=")) continue;
    if (text.starts_with("ASAN_OPTIONS=")) {
      asanOptions = text.substr(13) + ":" + asanOptions;
      continue;
    }
    variables.push_back(text);
  }
  if (route == Route::kNamed) {
    variables.push_back("LD_PRELOAD=" VARNOLIX_NO_UNNAMED_FILES);
    variables.push_back("ASAN_OPTIONS=" + asanOptions);
  }
  return variables;
}

// Starts the tool with the interrupting signals at their defaults, but for `ignored`
// (0 for none), ignored as nohup leaves SIGHUP.
pid_t Start(const std::vector<std::string>& args, Route route, int ignored, const std::string& errors) {
  std::vector<std::string> arguments{VARNOLIX_ASSESS_PATH};
  arguments.insert(arguments.end(), args.begin(), args.end());
  const std::vector<std::string> variables = Environment(route);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& variable : variables) envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::signal(signal, signal == ignored ? SIG_IGN : SIG_DFL);
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    const int null = ::open("/dev/null", O_RDWR);
    const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  return pid;
}

// The writing end of the pipe, once the tool has opened the other.
int OpenFeed(const std::string& fifo, pid_t pid) {
  int fd = -1;
  WaitFor(pid, [&] {
    fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0 || errno != ENXIO;
  });
  return fd;
}

bool Feed(int fd, pid_t pid, std::string_view bytes) {
  return WaitFor(pid, [&] {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) bytes.remove_prefix(static_cast<size_t>(written));
    if (written < 0 && errno != EAGAIN) return true;
    return bytes.empty();
  }) && bytes.empty();
}

// What the tool has open in `folder`: the name /proc gives it, and its size so far.
struct Writing {
  std::string name;
  off_t size = 0;
};

std::optional<Writing> WritingIn(pid_t pid, const std::string& folder) {
  const std::string descriptors = "/proc/" + std::to_string(pid) + "/fd";
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(descriptors, error)) {
    const std::string name = fs::read_symlink(entry.path(), error).string();
    struct stat status {};
    if (!error && name.starts_with(folder + "/") && ::stat(entry.path().c_str(), &status) == 0) {
      return Writing{name, status.st_size};
    }
  }
  return std::nullopt;
}

// A thread of the tool's other than the first, which assesses rows.
pid_t AWorkerOf(pid_t pid) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    const pid_t thread = std::stoi(entry.path().filename());
    if (thread != pid) return thread;
  }
  return 0;
}

std::string Rows(int first, int count) {
  std::string rows;
  for (int row = first; row < first + count; ++row) rows += "E" + std::to_string(row) + ",1" + std::to_string(row % 9000) + "0\n";
  return rows;
}

class Interruption : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pipeAction = ::signal(SIGPIPE, SIG_IGN);  // a tool that ended early must fail the test, not end it
    const std::string base = ::testing::TempDir() + "interruption_" + std::to_string(::getpid());
    fs::remove_all(base);
    fs::create_directories(base + "/out");
    fs::create_directories(base + "/in");
    m_base = fs::canonical(base);
  }
  void TearDown() override {
    fs::remove_all(m_base);
    ::signal(SIGPIPE, m_pipeAction);
  }

  std::string m_base;
  sighandler_t m_pipeAction = SIG_DFL;
};

TEST_F(Interruption, LeavesTheEarlierOutputAndNothingBesideIt) {
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
  const std::string earlier = "id,basic_pm,tax_payable\nE0,1,0.00\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = m_base + "/out";
    const std::string output = folder + "/keep.csv";
    const std::string fifo = m_base + "/in/big.csv";
    if (c.route == Route::kUnnamed && !TakesUnnamedFiles(folder)) {
      std::cout << c.name << ": skipped, as " << folder << " takes no unnamed files\n";
      continue;
    }
    fs::remove_all(folder);
    fs::create_directory(folder);
    std::ofstream(output, std::ios::binary) << earlier;
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const pid_t tool = Start({"--threads", "2", "-o", output, fifo}, c.route, c.ignored ? c.signal : 0,
                             m_base + "/in/errors");
    ASSERT_GT(tool, 0);
    const int feed = OpenFeed(fifo, tool);
    ASSERT_GE(feed, 0) << "the tool never opened its input";
    ASSERT_TRUE(Feed(feed, tool, "id,basic_pm\n"));
    int rows = 1;
    std::optional<Writing> writing;
    ASSERT_TRUE(WaitFor(tool, [&] {
      writing = WritingIn(tool, folder);
      if (writing && writing->size > 0) return true;
      const bool fed = Feed(feed, tool, Rows(rows, 1000));
      rows += 1000;
      return !fed;
    }) && writing && writing->size > 0) << "the output was never written: " << Contents(m_base + "/in/errors");
    EXPECT_EQ(writing->name.ends_with(" (deleted)"), c.route == Route::kUnnamed) << writing->name;

    if (c.toAWorker) {
      const pid_t worker = AWorkerOf(tool);
      ASSERT_NE(worker, 0);
      ASSERT_EQ(::syscall(SYS_tgkill, tool, worker, c.signal), 0);
    } else {
      ASSERT_EQ(::kill(tool, c.signal), 0);
    }
    if (c.ignored) ::close(feed);  // the signal is dropped as it is sent, so the run goes on to its end
    const bool ended = WaitFor(tool, [&] { return Ended(tool); });
    if (!ended) ::kill(tool, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(tool, &status, 0), tool);
    if (!c.ignored) ::close(feed);
    ASSERT_TRUE(ended) << "the tool did not end";

    if (c.ignored) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
      EXPECT_TRUE(Contents(output).starts_with("id,basic_pm,taxable_hra,")) << Contents(output).substr(0, 80);
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << "status " << status;
      EXPECT_EQ(Contents(output), earlier);
    }
    EXPECT_EQ(Listing(folder), std::vector<std::string>{"keep.csv"});
  }
}

}  // namespace
}  // namespace varnolix::cli
