#include "tests/cli/run_tool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

extern char** environ;

namespace varnolix::cli::testing {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string TempPath(const std::string& name) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string unique = std::string(test->test_suite_name()) + "_" + test->name();
  std::replace(unique.begin(), unique.end(), '/', '_');  // parameterised names hold slashes
  return ::testing::TempDir() + "varnolix_" + std::to_string(::getpid()) + "_" + unique + "_" + name;
}

ToolRun RunAssess(const std::vector<std::string>& args, const std::string& stdinPath, const std::string& stdoutPath) {
  const std::string outPath = stdoutPath.empty() ? TempPath("stdout") : stdoutPath;
  const std::string errPath = TempPath("stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, stdinPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

  std::vector<std::string> argv{VARNOLIX_ASSESS_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);

  ToolRun run;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << argv[0];
    return run;
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (stdoutPath.empty()) {
    run.out = ReadFile(outPath);
    ::unlink(outPath.c_str());
  }
  run.err = ReadFile(errPath);
  ::unlink(errPath.c_str());
  return run;
}

}  // namespace varnolix::cli::testing
