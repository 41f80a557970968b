// The built tool as a user runs it. Files in golden/: NAME.csv in, NAME.expected out,
// checked by hand. After a deliberate change, regenerate one with
//   build/cli/varnolix-assess [FLAGS] tests/cli/golden/NAME.csv > tests/cli/golden/NAME.expected
// and read the difference before keeping it. Then the command line and every exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "varnolix/version.h"

namespace varnolix::cli {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const std::string kTemp = ::testing::TempDir() + "varnolix_" + std::to_string(::getpid());

struct ToolRun {
  int status;
  std::string out, err;
};

// Through the shell, with standard input from `in` and standard output to `out`, or to a
// file that is read back.
ToolRun RunAssess(const std::vector<std::string>& args, const std::string& in, const std::string& out = "") {
  std::string command = "'" VARNOLIX_ASSESS_PATH "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const std::string outPath = out.empty() ? kTemp + ".out" : out;
  command += " <'" + in + "' >'" + outPath + "' 2>'" + kTemp + ".err'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.empty() ? ReadFile(outPath) : "", ReadFile(kTemp + ".err")};
}

TEST(Tool, GoldenFiles) {
  const std::string golden = VARNOLIX_GOLDEN_DIR "/";
  const struct {
    const char* name;
    std::vector<std::string> flags;
    int status;
  } cases[] = {{"assessed", {}, 1}, {"lenient", {"--lenient"}, 1}, {"explained", {"--explain"}, 1},
               {"crlf_bom", {}, 0}, {"assessed", {"--threads", "3"}, 1}};
  for (const auto& c : cases) {
    std::vector<std::string> args = c.flags;
    args.push_back(golden + c.name + ".csv");
    const ToolRun run = RunAssess(args, "/dev/null");
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_EQ(run.out, ReadFile(golden + c.name + ".expected")) << c.name;
  }
}

TEST(Tool, ExitsAndSaysWhy) {
  const std::string in = kTemp + ".in.csv";
  const std::string out = kTemp + ".out.csv";
  std::ofstream(in) << "id,basic_pm\nE1,10000\n";
  const std::string assessed = "id,basic_pm,taxable_hra,gross_salary,section80_benefit,section88_benefit,"
                               "tax_payable,error\nE1,10000,0.00,120000.00,0.00,0.00,12540.00,\n";
  const std::string tryHelp = "\nTry 'varnolix-assess --help' for more information.\n";
  const struct {
    const char* name;
    std::vector<std::string> args;  // IN stands for a small sound input file, OUT for a fresh output file
    int status;
    std::string err;  // the start of standard error
    std::string out;  // what standard output, or OUT when named, holds
    const char* stdoutPath = "";
  } cases[] = {
      {"FileToStandardOutput", {"IN"}, 0, "", assessed},
      {"StandardInput", {}, 0, "", assessed},
      {"Dashes", {"-o", "-", "-"}, 0, "", assessed},
      {"OutputFile", {"-o", "OUT", "IN"}, 0, "", assessed},
      {"OutputFileJoined", {"IN", "-oOUT"}, 0, "", assessed},
      {"OutputFileLong", {"--output=OUT", "--", "IN"}, 0, "", assessed},
      {"Version", {"--version"}, 0, "", std::string("varnolix-assess ") + kVersion + "\n"},
      {"Help", {"--help"}, 0, "", HelpText()},
      {"MissingInput", {"/nonexistent/in.csv"}, 2,
       "varnolix-assess: cannot open '/nonexistent/in.csv': No such file or directory\n", ""},
      {"InputIsAFolder", {"/"}, 2, "varnolix-assess: cannot read '/': Is a directory\n", ""},
      {"UnwritableOutput", {"-o", "/nonexistent/out.csv", "IN"}, 2,
       "varnolix-assess: cannot open '/nonexistent/out.csv' for writing: No such file or directory\n", ""},
      {"FullDevice", {"-o", "/dev/full", "IN"}, 2, "varnolix-assess: cannot write '/dev/full': No space left on device\n",
       ""},
      {"FullStandardOutput", {"IN"}, 2,
       "varnolix-assess: cannot write 'standard output': No space left on device\n", "", "/dev/full"},
      {"SameInputAndOutput", {"-o", "IN", "IN"}, 2, "varnolix-assess: '", ""},
      {"UnknownOption", {"--fast"}, 2, "varnolix-assess: unknown option '--fast'" + tryHelp, ""},
      {"TwoInputs", {"IN", "IN"}, 2, "varnolix-assess: only one input file, please (a second: '", ""},
      {"TwoOutputs", {"-o", "a", "--output", "b"}, 2, "varnolix-assess: only one output file, please" + tryHelp, ""},
      {"NoOutputName", {"-o"}, 2, "varnolix-assess: option '-o' needs a file name" + tryHelp, ""},
      {"EmptyOutputName", {"--output="}, 2, "varnolix-assess: the output file name is empty" + tryHelp, ""},
      {"EmptyInputName", {""}, 2, "varnolix-assess: the input file name is empty" + tryHelp, ""},
      {"NoThreadCount", {"--threads"}, 2, "varnolix-assess: option '--threads' needs a number" + tryHelp, ""},
      {"TooManyThreads", {"--threads=1025"}, 2,
       "varnolix-assess: the number of threads must be from 1 to 1024 (not '1025')" + tryHelp, ""},
  };
  for (const auto& c : cases) {
    ::unlink(out.c_str());
    std::vector<std::string> args = c.args;
    for (std::string& arg : args) {
      if (const size_t at = arg.find("IN"); at != std::string::npos) arg.replace(at, 2, in);
      if (const size_t at = arg.find("OUT"); at != std::string::npos) arg.replace(at, 3, out);
    }
    const ToolRun run = RunAssess(args, in, c.stdoutPath);
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.name;
    const bool toFile = std::any_of(c.args.begin(), c.args.end(), [](const std::string& a) { return a.ends_with("OUT"); });
    EXPECT_EQ(toFile ? ReadFile(out) : run.out, c.out) << c.name;
  }
}

}  // namespace
}  // namespace varnolix::cli
