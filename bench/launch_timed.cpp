// Starts a command with the launch time in its environment, so a probe inside it can
// tell the time since its process started, and prints the command's peak resident
// memory as the kernel counted it.
//
//   launch_timed COMMAND [ARGS...]
// The child gets VARNOLIX_BENCH_T0_NS (CLOCK_MONOTONIC, taken just before the start);
// prints "launch wall_ms W maxrss_kb K status S" on standard error.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: launch_timed COMMAND [ARGS...]\n");
    return 2;
  }
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::string(*variable).rfind("VARNOLIX_BENCH_T0_NS=", 0) != 0) variables.emplace_back(*variable);
  }
  variables.emplace_back();  // the launch time, filled in at the last moment
  std::vector<char*> environment;
  for (std::string& variable : variables) environment.push_back(variable.data());
  environment.push_back(nullptr);

  const long long start = MonotonicNs();
  variables.back() = "VARNOLIX_BENCH_T0_NS=" + std::to_string(start);
  environment[variables.size() - 1] = variables.back().data();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[1], nullptr, nullptr, argv + 1, environment.data()) != 0) {
    std::perror(argv[1]);
    return 2;
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) < 0) {
    std::perror("wait4");
    return 2;
  }
  const long long end = MonotonicNs();
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::fprintf(stderr, "launch wall_ms %.3f maxrss_kb %ld status %d\n", static_cast<double>(end - start) / 1e6,
               usage.ru_maxrss, code);
  return code;
}
