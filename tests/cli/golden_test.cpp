// The built tool on files in golden/: NAME.csv in, NAME.expected out, checked by hand.
// After a deliberate change, regenerate one with
//   build/cli/varnolix-assess [FLAGS] tests/cli/golden/NAME.csv > tests/cli/golden/NAME.expected
// and read the difference before keeping it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/run_tool.h"
#include "varnolix/version.h"

namespace varnolix::cli {
namespace {

using testing::ReadFile;
using testing::RunAssess;
using testing::TempPath;
using testing::WriteFile;

const std::string kGolden = VARNOLIX_GOLDEN_DIR;

struct GoldenCase {
  const char* name;
  std::vector<std::string> flags;
  int status;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, OutputMatches) {
  const GoldenCase& c = GetParam();
  std::vector<std::string> args = c.flags;
  args.push_back(kGolden + "/" + c.name + ".csv");
  const testing::ToolRun run = RunAssess(args);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, ReadFile(kGolden + "/" + c.name + ".expected"));
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTest,
                         ::testing::Values(GoldenCase{"assessed", {}, 1}, GoldenCase{"lenient", {"--lenient"}, 1},
                                           GoldenCase{"explained", {"--explain"}, 1},
                                           GoldenCase{"crlf_bom", {}, 0}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct StatusCase {
  const char* name;
  std::vector<std::string> args;  // "IN" stands for a small sound input file
  int status;
  std::string err;  // the start of standard error
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

class ExitStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(ExitStatusTest, ExitsAndSaysWhy) {
  const StatusCase& c = GetParam();
  const std::string input = TempPath("in.csv");
  WriteFile(input, "id,basic_pm\nE1,10000\n");
  std::vector<std::string> args;
  for (const std::string& arg : c.args) args.push_back(arg == "IN" ? input : arg);
  const testing::ToolRun run = RunAssess(args);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ExitStatusTest,
    ::testing::Values(
        StatusCase{"Sound", {"IN"}, 0, ""},
        StatusCase{"MissingInput", {"/nonexistent/in.csv"}, 2,
                   "varnolix-assess: cannot open '/nonexistent/in.csv': No such file or directory\n"},
        StatusCase{"InputIsAFolder", {"/"}, 2, "varnolix-assess: cannot read '/': Is a directory\n"},
        StatusCase{"UnwritableOutput", {"-o", "/nonexistent/out.csv", "IN"}, 2,
                   "varnolix-assess: cannot open '/nonexistent/out.csv' for writing: No such file or directory\n"},
        StatusCase{"FullDevice", {"-o", "/dev/full", "IN"}, 2,
                   "varnolix-assess: cannot write '/dev/full': No space left on device\n"},
        StatusCase{"SameInputAndOutput", {"-o", "IN", "IN"}, 2, "varnolix-assess: '"},
        StatusCase{"UnknownOption", {"--fast"}, 2,
                   "varnolix-assess: unknown option '--fast'\nTry 'varnolix-assess --help' for more information.\n"},
        StatusCase{"TwoInputs", {"IN", "IN"}, 2, "varnolix-assess: only one input file"},
        StatusCase{"Help", {"--help"}, 0, ""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(Tool, ReadsStandardInputAndWritesTheNamedFile) {
  const std::string input = TempPath("in.csv");
  const std::string output = TempPath("out.csv");
  WriteFile(input, "basic_pm\n10000\n");
  const std::string expected =
      "basic_pm,taxable_hra,gross_salary,section80_benefit,section88_benefit,tax_payable,error\n"
      "10000,0.00,120000.00,0.00,0.00,12540.00,\n";
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"-"}, {"-o", "-", "-"}}) {
    EXPECT_EQ(RunAssess(args, input).out, expected);
  }
  EXPECT_EQ(RunAssess({"-o", output}, input).status, 0);
  EXPECT_EQ(ReadFile(output), expected);
}

TEST(Tool, FullStandardOutputFails) {
  const std::string input = TempPath("in.csv");
  WriteFile(input, "basic_pm\n10000\n");
  const testing::ToolRun run = RunAssess({input}, "/dev/null", "/dev/full");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "varnolix-assess: cannot write 'standard output': No space left on device\n");
}

TEST(Tool, PrintsItsVersion) {
  const testing::ToolRun run = RunAssess({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("varnolix-assess ") + kVersion + "\n");
}

TEST(Tool, KeepsTheRowsWrittenBeforeBrokenQuoting) {
  const std::string input = TempPath("in.csv");
  const std::string output = TempPath("out.csv");
  WriteFile(input, "basic_pm,name\n10000,Asha\n10000,\"Ravi\n");
  const testing::ToolRun run = RunAssess({"-o", output, input});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "varnolix-assess: line 3: a quoted field is still open at the end of the input\n");
  EXPECT_EQ(ReadFile(output),
            "basic_pm,name,taxable_hra,gross_salary,section80_benefit,section88_benefit,tax_payable,error\n"
            "10000,Asha,0.00,120000.00,0.00,0.00,12540.00,\n");
}

}  // namespace
}  // namespace varnolix::cli
