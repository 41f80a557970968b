// The tool: the whole stream in memory, read a few bytes at a time (the header, rows
// that cannot be assessed, each fault that stops a run and what it says); then the built
// tool as a user runs it, on the golden files and with every exit status.
#include "cli/tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "cli/options.h"
#include "tests/payroll/string_streams.h"
#include "varnolix/version.h"

namespace varnolix::cli {
namespace {

std::string Header(const std::string& columns) {
  return columns + ",taxable_hra,gross_salary,section80_benefit,section88_benefit,tax_payable,error\n";
}

// ASCII text as a spreadsheet saves "Unicode text": UTF-16, little-endian, with its mark.
std::string Utf16(std::string_view ascii) {
  std::string text = "\xFF\xFE";
  for (char c : ascii) text += {c, '\0'};
  return text;
}

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  while (times-- > 0) repeated += text;
  return repeated;
}

TEST(AssessStream, WritesRowsAndReports) {
  const std::string manyDigits(400, '9');
  using namespace std::string_literals;
  const std::string nul = "a\0b"s;
  const std::string twoE307 = "2" + std::string(307, '0');  // finite, but twelve times it is not
  const std::string row = "1000,0.00,12000.00,0.00,0.00,0.00,\n";
  const struct {
    const char* name;
    std::string input, output;
    int status;
    std::string diagnostics;
    bool readFails = false;
    size_t sinkCapacity = std::string::npos;
  } cases[] = {
      {"HeaderOnly", "basic_pm\n", Header("basic_pm"), 0, ""},
      // Names match ignoring case and blanks; messages quote them without the blanks.
      {"HeaderNamesMatchIgnoringCaseAndBlanks", " Basic_PM ,RENT_pm\t,id\n10000,5000,E1\n0,x,E2\n",
       Header(" Basic_PM ,RENT_pm\t,id") + "10000,5000,E1,0.00,120000.00,0.00,0.00,12540.00,\n0,x,E2,,,,,,\"line 3, "
           "column Basic_PM: Basic PM must have some value.; line 3, column RENT_pm: 'x' is not an amount\"\n", 1,
       "varnolix-assess: 1 of 2 rows has errors, on line 3\n"},
      {"AmountsThatWouldBeInfinite", "basic_pm,lta_annual\n" + twoE307 + ",\n1000," + manyDigits + "\n",
       Header("basic_pm,lta_annual") + twoE307 + ",,,,,,,\"line 2, column basic_pm: '" + twoE307.substr(0, 40) +
           "...' is not an amount\"\n1000," + manyDigits + ",,,,,,\"line 3, column lta_annual: '" +
           manyDigits.substr(0, 40) + "...' is not an amount\"\n",
       1, "varnolix-assess: 2 of 2 rows have errors; the first is on line 2\n"},
      // Bytes pass through as they are, broken UTF-8 too; an amount holding them is refused.
      {"BrokenUtf8", "basic_pm,name,80d\n10000,\xff\xfe\xc3,\xe2\x82\n",
       Header("basic_pm,name,80d") + "10000,\xff\xfe\xc3,\xe2\x82,,,,,,\"line 2, column 80d: '\xe2\x82' is not an amount\"\n",
       1, "varnolix-assess: 1 of 1 row has errors, on line 2\n"},
      {"BinaryFile", "basic_pm,name\n1000,a" + nul + "\n", "", 2,
       "varnolix-assess: 'standard input' is a binary file, not a CSV file; save it as \"CSV UTF-8\" and use that\n"},
      // A file's separator and line ends come back as they came.
      {"SemicolonsAndBareCrs", "name;basic_pm\rRao, Asha;1000\r", "name;basic_pm;taxable_hra;gross_salary;"
       "section80_benefit;section88_benefit;tax_payable;error\rRao, Asha;1000;0.00;12000.00;0.00;0.00;0.00;\r", 0, ""},
      // UTF-16 ("Unicode text") comes out as UTF-8, marked so for a spreadsheet.
      {"TabsFromUtf16", Utf16("basic_pm\tname\r\n1000\tAsha\r\n"),
       "\xEF\xBB\xBF" "basic_pm\tname\ttaxable_hra\tgross_salary\tsection80_benefit\tsection88_benefit\ttax_payable\terror"
       "\r\n1000\tAsha\t0.00\t12000.00\t0.00\t0.00\t0.00\t\r\n", 0, ""},
      {"NoBasicColumn", "id,basic\n1,2\n", "", 2, "varnolix-assess: line 1: no basic_pm column\n"},
      {"EmptyInput", "\xEF\xBB\xBF\n\r\n", "", 2, "varnolix-assess: 'standard input' is empty\n"},
      {"TheOneRowRefused", "basic_pm\n0\n", Header("basic_pm") + "0,,,,,,\"line 2, column basic_pm: Basic PM must have some value.\"\n",
       1, "varnolix-assess: 1 of 1 row has errors, on line 2\n"},
      {"DuplicateColumn", "\nbasic_pm,80D,80d \n", "", 2,
       "varnolix-assess: line 2: column 80d appears twice (fields 2 and 3)\n"},
      // A stray quote is a plain character: the cell is refused as an amount, and the run goes on.
      {"StrayQuoteIsAPlainCharacter", "basic_pm\n1000\n10\"00\n1000\n",
       Header("basic_pm") + row + "\"10\"\"00\",,,,,,\"line 3, column basic_pm: '10\"\"00' is not an amount\"\n" + row, 1,
       "varnolix-assess: 1 of 3 rows has errors, on line 3\n"},
      {"BrokenQuotingKeepsTheRowsBefore", "basic_pm\n1000\n\"10\"00\n2000\n", Header("basic_pm") + row, 2,
       "varnolix-assess: line 3: text after a closing quote\n"},
      // The first bytes are read before anything is written, to tell what the input is.
      {"FailedRead", "basic_pm\n1000\n", "", 2,
       "varnolix-assess: cannot read 'standard input': Input/output error\n", true},
      // Whole buffers only are written before the failure.
      {"FailedWrite", "basic_pm\n" + Repeated("1000\n", 5000),
       (Header("basic_pm") + Repeated(row, 5000)).substr(0, 65536), 2,
       "varnolix-assess: cannot write 'standard output': No space left on device\n", false, 100000},
  };
  for (const auto& c : cases) {
    payroll::testing::StringSource in(c.input, 5, c.readFails);
    payroll::testing::StringSink out(c.sinkCapacity);
    std::string diagnostics;
    EXPECT_EQ(AssessStream({}, in, out, {}, diagnostics), c.status) << c.name;
    EXPECT_EQ(out.text, c.output) << c.name;
    EXPECT_EQ(diagnostics, c.diagnostics) << c.name;
  }
}

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

// Files in golden/: NAME.csv in, NAME.expected out, checked by hand. After a deliberate
// change, regenerate one with
//   build/cli/varnolix-assess [FLAGS] tests/cli/golden/NAME.csv > tests/cli/golden/NAME.expected
// and read the difference before keeping it.
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
  const std::string broken = kTemp + ".broken.csv";
  std::ofstream(broken) << "id,basic_pm\nE1,10000\nE2,\"10\"00\nE3,20000\n";
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
      {"Dashes", {"-o", "-", "-"}, 0, "", assessed},
      {"OutputFile", {"-o", "OUT", "IN"}, 0, "", assessed},
      {"Version", {"--version"}, 0, "", std::string("varnolix-assess ") + kVersion + "\n"},
      {"Help", {"--help"}, 0, "", HelpText()},
      {"MissingInput", {"/nonexistent/in.csv"}, 2,
       "varnolix-assess: cannot open '/nonexistent/in.csv': No such file or directory\n", ""},
      {"UnwritableOutput", {"-o", "/nonexistent/out.csv", "IN"}, 2,
       "varnolix-assess: cannot open '/nonexistent/out.csv' for writing: No such file or directory\n", ""},
      {"FullStandardOutput", {"IN"}, 2,
       "varnolix-assess: cannot write 'standard output': No space left on device\n", "", "/dev/full"},
      {"SameInputAndOutput", {"-o", "IN", "IN"}, 2, "varnolix-assess: '", ""},
      {"StandardInputIsTheOutput", {"-o", "IN"}, 2, "varnolix-assess: '", ""},
      {"OutputFolderRefuses", {"-o", "/sys/out.csv", "IN"}, 2, "varnolix-assess: cannot write into the folder '/sys': ", ""},
      // A stray quote stops the run: the file it was writing never appears.
      {"BrokenInputLeavesNoFile", {"-o", "OUT", "BROKEN"}, 2, "varnolix-assess: line 3: text after a closing", ""},
      {"UnknownOption", {"--fast"}, 2, "varnolix-assess: unknown option '--fast'" + tryHelp, ""},
  };
  for (const auto& c : cases) {
    ::unlink(out.c_str());
    std::vector<std::string> args = c.args;
    for (std::string& arg : args) {
      if (const size_t at = arg.find("BROKEN"); at != std::string::npos) arg.replace(at, 6, broken);
      if (const size_t at = arg.find("IN"); at != std::string::npos) arg.replace(at, 2, in);
      if (const size_t at = arg.find("OUT"); at != std::string::npos) arg.replace(at, 3, out);
    }
    const ToolRun run = RunAssess(args, in, c.stdoutPath);
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.name;
    const bool toFile = std::any_of(c.args.begin(), c.args.end(), [](const std::string& a) { return a.ends_with("OUT"); });
    EXPECT_EQ(toFile ? ReadFile(out) : run.out, c.out) << c.name;
    EXPECT_TRUE(!toFile || c.status != 2 || ::access(out.c_str(), F_OK) != 0) << c.name << ": a file was left";
  }
  // A run that fails leaves an earlier output file as it was, and nothing beside it.
  std::ofstream(out) << "earlier\n";
  EXPECT_EQ(RunAssess({"-o", out, broken}, in).status, 2);
  EXPECT_EQ(ReadFile(out), "earlier\n");
  EXPECT_EQ(std::system(("test -z \"$(ls -A " + ::testing::TempDir() + " | grep '^\\.varnolix')\"").c_str()), 0);
  // The working keeps the input's byte-order mark and CRLF line breaks too.
  std::ofstream(in) << "\xEF\xBB\xBF" "basic_pm\r\n10000\r\n";
  const std::string explained = RunAssess({"--explain", in}, "/dev/null").out;
  EXPECT_TRUE(explained.starts_with("\xEF\xBB\xBF" "line 2\r\n  Salary\r\n")) << explained.substr(0, 40);
  for (size_t at = explained.find('\n'); at != std::string::npos; at = explained.find('\n', at + 1)) {
    ASSERT_EQ(explained[at - 1], '\r') << at;
  }
}

}  // namespace
}  // namespace varnolix::cli
