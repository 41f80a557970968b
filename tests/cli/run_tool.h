// Runs the built varnolix-assess as a user would, without a shell.
#pragma once

#include <string>
#include <vector>

namespace varnolix::cli::testing {

struct ToolRun {
  int status = -1;  // the exit status, or -1 if it did not exit normally
  std::string out;
  std::string err;
};

// Standard input comes from `stdinPath`; standard output goes to `stdoutPath`, or to a
// temporary file whose text is returned in `out`.
ToolRun RunAssess(const std::vector<std::string>& args, const std::string& stdinPath = "/dev/null",
                  const std::string& stdoutPath = "");

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// A fresh path in the test's temporary folder.
std::string TempPath(const std::string& name);

}  // namespace varnolix::cli::testing
