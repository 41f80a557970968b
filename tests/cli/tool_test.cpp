// The tool: the whole stream in memory, read a few bytes at a time (the header, rows
// that cannot be assessed, each fault that stops a run and what it says); then the built
// tool as a user runs it, on the golden files and with every exit status.
#include "cli/tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "cli/options.h"
#include "tests/payroll/string_streams.h"
#include "tests/shared/files.h"
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
      // A semicolon file comes from a decimal-comma locale: an amount read two ways is refused.
      {"DecimalCommaDoubts", "basic_pm;80d\n45.000;\n45000;1.234,56\n45000;45.5\n",
       "basic_pm;80d;taxable_hra;gross_salary;section80_benefit;section88_benefit;tax_payable;error\n"
       "45.000;;;;;;;\"line 2, column basic_pm: '45.000' is 45 with a decimal point but 45000 with a decimal comma; "
       "write it without separators between thousands\"\n45000;1.234,56;;;;;;\"line 3, column 80d: '1.234,56' is "
       "written the decimal-comma way; write it as 1234.56\"\n45000;45.5;0.00;540000.00;45.50;0.00;166304.98;\n",
       1, "varnolix-assess: 2 of 3 rows have errors; the first is on line 2\n"},
      // UTF-16 ("Unicode text") comes out as UTF-8, marked so for a spreadsheet.
      {"TabsFromUtf16", Utf16("basic_pm\tname\r\n1000\tAsha\r\n"),
       "\xEF\xBB\xBF" "basic_pm\tname\ttaxable_hra\tgross_salary\tsection80_benefit\tsection88_benefit\ttax_payable\terror"
       "\r\n1000\tAsha\t0.00\t12000.00\t0.00\t0.00\t0.00\t\r\n", 0, ""},
      {"NearMissOfALackedColumn", "id,basic_pm,HRA Recieved PM\n1,2,3\n", "", 2,
       "varnolix-assess: line 1, field 3: 'HRA Recieved PM' is not the name of an amount column; did you mean "
       "hra_received_pm? To pass the column through untouched, add --keep-column 'HRA Recieved PM'\n"},
      // A stray quote is a plain character: the cell is refused as an amount, and the run goes on.
      {"StrayQuoteIsAPlainCharacter", "basic_pm\n1000\n10\"00\n1000\n",
       Header("basic_pm") + row + "\"10\"\"00\",,,,,,\"line 3, column basic_pm: '10\"\"00' is not an amount\"\n" + row, 1,
       "varnolix-assess: 1 of 3 rows has errors, on line 3\n"},
      // A line break in a refused cell is named, not copied: the error cell spans no more
      // lines than its record, so the lines below keep their numbers in a second run.
      {"LineBreakInARefusedCell", "basic_pm\n\"10\r\n00\"\n0\n",
       Header("basic_pm") + "\"10\r\n00\",,,,,,\"line 2, column basic_pm: '10\\r\\n00' is not an amount\"\n"
       "0,,,,,,\"line 4, column basic_pm: Basic PM must have some value.\"\n", 1,
       "varnolix-assess: 2 of 2 rows have errors; the first is on line 2\n"},
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
    payroll::testing::StringSink diagnostics;
    EXPECT_EQ(AssessStream({}, in, out, {}, diagnostics), c.status) << c.name;
    EXPECT_EQ(out.text, c.output) << c.name;
    EXPECT_EQ(diagnostics.text, c.diagnostics) << c.name;
  }
}

// What a run writes for a file the tool assessed before, for rows of empty cells, for
// columns kept by name, and for cells --lenient reads only in part; each on one thread
// and on several, in chunks of a record or two.
TEST(AssessStream, FillsItsOwnColumnsAgainPassesBlankRowsAndWarnsOfCellsReadInPart) {
  const std::string results = "taxable_hra,gross_salary,section80_benefit,section88_benefit,tax_payable,error";
  const struct {
    const char* name;
    Options options;
    std::string input, output;
    int status;
    std::string diagnostics;
  } cases[] = {
      // Its own columns anywhere, stale, "0" for "0.00": filled again where they stand.
      {"OwnColumnsFilledInPlace", {},
       "id," + results + ",basic_pm\nE1,9,9,0,0,9,old,10000\nE2,1,2,3,4,5,,0\nE3,,,,,,,\nE4,,,,,\n",
       "id," + results + ",basic_pm\nE1,0.00,120000.00,0.00,0.00,12540.00,,10000\n"
       "E2,,,,,,\"line 3, column basic_pm: Basic PM must have some value.\",0\n"
       "E3,,,,,,\"line 4, column basic_pm: Basic PM must have some value.\",\n"
       "E4,,,,,,\"line 5: expected 2 fields, found 1; line 5, column basic_pm: Basic PM must have some value.\",\n",
       1, "varnolix-assess: 3 of 4 rows have errors; the first is on line 3\n"},
      // Rows of empty cells, as spreadsheets leave them, pass as they are, in line; empty lines too.
      {"BlankRows", {}, "basic_pm,id,80d\n,,\n  \n1000,a,\n,,,\n\n",
       Header("basic_pm,id,80d") + ",,,,,,,,\n  ,,,,,,,,\n1000,a,,0.00,12000.00,0.00,0.00,0.00,\n,,,,,,,,,\n\n", 0, ""},
      {"KeptColumnsPassThrough", {.keptColumns = {"HRA", "rent p.m."}}, "basic_pm,HRA,Rent_PM\n1000,5,6\n",
       Header("basic_pm,HRA,Rent_PM") + "1000,5,6,0.00,12000.00,0.00,0.00,0.00,\n", 0, ""},
      // Each cell read in part is named; blanks around a number and empty cells are not.
      {"LenientNamesCellsReadInPart", {.lenient = true},
       "basic_pm,80d,ppf\n\"1,00,000\",abc, 7 \n  12000  ,,\nx,15000.5xyz,\n",
       Header("basic_pm,80d,ppf") + "\"1,00,000\",abc, 7 ,0.00,12.00,0.00,7.00,0.00,\n"
       "  12000  ,,,0.00,144000.00,0.00,0.00,18348.00,\n"
       "x,15000.5xyz,,,,,,,\"line 4, column basic_pm: Basic PM must have some value.\"\n",
       1,
       "varnolix-assess: line 2, column basic_pm: '1,00,000' read as 1\n"
       "varnolix-assess: line 2, column 80d: 'abc' read as 0\n"
       "varnolix-assess: line 4, column basic_pm: 'x' read as 0\n"
       "varnolix-assess: line 4, column 80d: '15000.5xyz' read as 15000.5\n"
       "varnolix-assess: 1 of 3 rows has errors, on line 4\n"},
  };
  for (const auto& c : cases) {
    for (const Parallelism parallelism : {Parallelism{.threads = 1}, Parallelism{.threads = 3, .chunkBytes = 9}}) {
      SCOPED_TRACE(std::string(c.name) + " on " + std::to_string(parallelism.threads) + " threads");
      payroll::testing::StringSource in(c.input, 5);
      payroll::testing::StringSink out;
      payroll::testing::StringSink diagnostics;
      EXPECT_EQ(AssessStream(c.options, in, out, {}, diagnostics, parallelism), c.status);
      EXPECT_EQ(out.text, c.output);
      EXPECT_EQ(diagnostics.text, c.diagnostics);
    }
  }
}

// Warnings go out row by row (chunk by chunk on threads), not gathered to the end, so a
// file of any length with a warning on every row needs no more memory than one without.
TEST(AssessStream, WritesEachWarningAsItsRowIsWritten) {
  struct WriteCounter final : payroll::ByteSink {
    bool Write(std::string_view bytes) override {
      writes.emplace_back(bytes);
      return true;
    }
    std::vector<std::string> writes;
  };
  const std::string input = "basic_pm\n" + Repeated("1000x\n", 50) + "0\n";
  for (const Parallelism parallelism : {Parallelism{.threads = 1}, Parallelism{.threads = 2, .chunkBytes = 60}}) {
    payroll::testing::StringSource in(input, 7);  // a pipe's pieces, which the chunks follow
    payroll::testing::StringSink out;
    WriteCounter diagnostics;
    EXPECT_EQ(AssessStream({.lenient = true}, in, out, {}, diagnostics, parallelism), 1);
    ASSERT_GE(diagnostics.writes.size(), parallelism.threads == 1 ? 51u : 5u);
    const std::string first = "varnolix-assess: line 2, column basic_pm: '1000x' read as 1000\n";
    EXPECT_TRUE(diagnostics.writes.front().starts_with(first));
    EXPECT_EQ(diagnostics.writes.back(), "varnolix-assess: 1 of 51 rows has errors, on line 52\n");
  }
}

using test::Read;
using test::Write;

// The tool's files, in a folder of this process's own, so that another run's leftovers
// are never taken for this one's.
const std::string& Temp() {
  static const std::string folder = [] {
    const std::filesystem::path path = test::kProcessFolder.path / "tool";
    std::filesystem::create_directories(path);
    return test::Utf8Of(path);
  }();
  return folder;
}

struct ToolRun {
  int status;
  std::string out, err;
};

// Through the shell, with standard input from `in` and standard output to `out`, or to a
// file that is read back.
ToolRun RunAssess(const std::vector<std::string>& args, const std::string& in, const std::string& out = "") {
  std::string command = "'" VARNOLIX_ASSESS_PATH "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const std::string outPath = out.empty() ? Temp() + "/run.out" : out;
  command += " <'" + in + "' >'" + outPath + "' 2>'" + Temp() + "/run.err'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.empty() ? Read(outPath) : "", Read(Temp() + "/run.err")};
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
    EXPECT_EQ(run.out, Read(golden + c.name + ".expected")) << c.name;
  }
}

// The tool on its own output, and on a spreadsheet's copy of it that writes "0" for "0.00",
// changes nothing: the same columns, rows, results and errors, on one thread or several.
TEST(Tool, ASecondRunChangesNothing) {
  const std::string golden = VARNOLIX_GOLDEN_DIR "/";
  const struct {
    const char* name;
    std::vector<std::string> flags;
    int status;
  } cases[] = {{"assessed", {}, 1}, {"lenient", {"--lenient"}, 1}, {"crlf_bom", {}, 0},
               {"assessed", {"--threads", "3"}, 1}};
  for (const auto& c : cases) {
    const std::string first = Read(golden + c.name + ".expected");
    std::string zeros = first;
    for (size_t at = zeros.find(",0.00"); at != std::string::npos; at = zeros.find(",0.00", at + 1)) {
      if (std::string_view(",\r\n").find(zeros[at + 5]) != std::string_view::npos) zeros.erase(at + 2, 3);
    }
    ASSERT_NE(zeros, first);
    for (const std::string& again : {first, zeros}) {
      const std::string in = Temp() + "/run.again.csv";
      Write(in, again);
      std::vector<std::string> args = c.flags;
      args.push_back(in);
      const ToolRun run = RunAssess(args, "/dev/null");
      EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
      EXPECT_EQ(run.out, first) << c.name;
    }
  }
}

TEST(Tool, ExitsAndSaysWhy) {
  const std::string in = Temp() + "/run.in.csv";
  const std::string out = Temp() + "/run.out.csv";
  Write(in, "id,basic_pm\nE1,10000\n");
  const std::string broken = Temp() + "/run.broken.csv";
  Write(broken, "id,basic_pm\nE1,10000\nE2,\"10\"00\nE3,20000\n");
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
      {"FullStandardOutput", {"IN"}, 2,
       "varnolix-assess: cannot write 'standard output': No space left on device\n", "", "/dev/full"},
      {"SameInputAndOutput", {"-o", "IN", "IN"}, 2, "varnolix-assess: '", ""},
      {"StandardInputIsTheOutput", {"-o", "IN"}, 2, "varnolix-assess: '", ""},
      // A stray quote stops the run: the file it was writing never appears.
      {"BrokenInputLeavesNoFile", {"-o", "OUT", "BROKEN"}, 2, "varnolix-assess: line 3: text after a closing", ""},
      {"UnknownOption", {"--fast"}, 2, "varnolix-assess: unknown option '--fast'" + tryHelp, ""},
      {"KeepColumnWithoutName", {"IN", "--keep-column"}, 2,
       "varnolix-assess: option '--keep-column' needs a column name" + tryHelp, ""},
      {"KeepColumnEmptyName", {"--keep-column=_ ", "IN"}, 2,
       "varnolix-assess: the column name to keep is empty" + tryHelp, ""},
      {"KeepColumnTwice", {"--keep-column", "x", "--keep-column=y", "IN"}, 0, "", assessed},
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
    EXPECT_EQ(toFile ? Read(out) : run.out, c.out) << c.name;
    EXPECT_TRUE(!toFile || c.status != 2 || ::access(out.c_str(), F_OK) != 0) << c.name << ": a file was left";
  }
  // A run that fails leaves an earlier output file as it was, and nothing beside it.
  Write(out, "earlier\n");
  EXPECT_EQ(RunAssess({"-o", out, broken}, in).status, 2);
  EXPECT_EQ(Read(out), "earlier\n");
  EXPECT_EQ(std::system(("test -z \"$(ls -A '" + Temp() + "' | grep '^\\.')\"").c_str()), 0);
  // The working keeps the input's CRLF line breaks, but is a text, which no byte-order mark
  // begins; a row of empty cells has none.
  Write(in, "\xEF\xBB\xBF" "basic_pm,id\r\n10000,E1\r\n,\r\n");
  const std::string explained = RunAssess({"--explain", in}, "/dev/null").out;
  EXPECT_TRUE(explained.starts_with("line 2: id=E1\r\n  Salary\r\n")) << explained.substr(0, 40);
  EXPECT_EQ(explained.find("line 3"), std::string::npos);
  for (size_t at = explained.find('\n'); at != std::string::npos; at = explained.find('\n', at + 1)) {
    ASSERT_EQ(explained[at - 1], '\r') << at;
  }
}

}  // namespace
}  // namespace varnolix::cli
