// The whole stream in memory: how rows, their errors and the faults that stop a run come out.
#include "cli/tool.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/cli/string_streams.h"

namespace varnolix::cli {
namespace {

using testing::StringSink;
using testing::StringSource;

constexpr std::string_view kResults = "taxable_hra,gross_salary,section80_benefit,section88_benefit,tax_payable,error";

struct StreamCase {
  const char* name;
  Options options;
  std::string input;
  std::string output;
  int status;
  std::string diagnostics;
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class StreamTest : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamTest, WritesRowsAndReports) {
  const StreamCase& c = GetParam();
  StringSource in(c.input, 5);
  StringSink out;
  std::string diagnostics;
  EXPECT_EQ(AssessStream(c.options, in, out, {}, diagnostics), c.status);
  EXPECT_EQ(out.text, c.output);
  EXPECT_EQ(diagnostics, c.diagnostics);
}

std::string Header(std::string_view columns) { return std::string(columns) + "," + std::string(kResults) + "\n"; }

const std::string kManyDigits(400, '9');
const std::string k2e307 = "2" + std::string(307, '0');  // finite, but twelve times it is not

INSTANTIATE_TEST_SUITE_P(
    Rows, StreamTest,
    ::testing::Values(
        StreamCase{"HeaderOnly", {}, "basic_pm\n", Header("basic_pm"), 0, ""},
        StreamCase{"HeaderNamesMatchIgnoringCaseAndBlanks",
                   {},
                   " Basic_PM ,RENT_pm\t,id\n10000,5000,E1\n",
                   Header(" Basic_PM ,RENT_pm\t,id") + "10000,5000,E1,0.00,120000.00,0.00,0.00,12540.00,\n",
                   0,
                   ""},
        StreamCase{"ShortRowIsPaddedAndLongRowKeepsItsSurplusLast",
                   {},
                   "id,basic_pm,name\nE1,1000\nE2,1000,Asha,extra,\"x,y\"\n",
                   Header("id,basic_pm,name") + "E1,1000,,,,,,,\"line 2: expected 3 fields, found 2\"\n" +
                       "E2,1000,Asha,,,,,,\"line 3: expected 3 fields, found 5\",extra,\"x,y\"\n",
                   1,
                   "varnolix-assess: 2 of 2 rows have errors; the first is on line 2\n"},
        StreamCase{"ErrorsJoinInColumnOrder",
                   {},
                   "80d,id,basic_pm,ppf\nabc,E1,1.2.3,-5,more\n",
                   Header("80d,id,basic_pm,ppf") +
                       "abc,E1,1.2.3,-5,,,,,,\"line 2: expected 4 fields, found 5; line 2, column 80d: 'abc' is not "
                       "an amount; line 2, column basic_pm: '1.2.3' is not an amount; line 2, column ppf: '-5' is "
                       "not an amount\",more\n",
                   1,
                   "varnolix-assess: 1 of 1 rows have errors; the first is on line 2\n"},
        StreamCase{"BasicMustHaveSomeValue",
                   {},
                   "basic_pm,80d\n0,x\n,\n0.00,\n",
                   Header("basic_pm,80d") +
                       "0,x,,,,,,\"Basic PM must have some value.; line 2, column 80d: 'x' is not an amount\"\n"
                       ",,,,,,,Basic PM must have some value.\n0.00,,,,,,,Basic PM must have some value.\n",
                   1,
                   "varnolix-assess: 3 of 3 rows have errors; the first is on line 2\n"},
        StreamCase{"LenientReadsAsTheFieldsDo",
                   {.lenient = true},
                   "basic_pm,allowances1_pm,80l\n\"10,000\",abc,-5\n-5,,\n",
                   Header("basic_pm,allowances1_pm,80l") + "\"10,000\",abc,-5,0.00,120.00,-5.00,0.00,0.00,\n" +
                       "-5,,,,,,,,Basic PM must have some value.\n",
                   1,
                   "varnolix-assess: 1 of 2 rows have errors; the first is on line 3\n"},
        StreamCase{"GroupedAndPrefixedAmountsAreTheirDigits",
                   {},
                   "basic_pm,allowances1_pm\n\"Rs. 10,000\",\"\xE2\x82\xB9 2,000.00\"\n",
                   Header("basic_pm,allowances1_pm") +
                       "\"Rs. 10,000\",\"\xE2\x82\xB9 2,000.00\",0.00,144000.00,0.00,0.00,18348.00,\n",
                   0,
                   ""},
        StreamCase{"LongCellIsCutAtFortyCharacters",
                   {},
                   "basic_pm\n" + std::string(41, 'x') + "\xE2\x82\xB9\n",
                   Header("basic_pm") + std::string(41, 'x') + "\xE2\x82\xB9,,,,,,\"line 2, column basic_pm: '" +
                       std::string(40, 'x') + "...' is not an amount\"\n",
                   1,
                   "varnolix-assess: 1 of 1 rows have errors; the first is on line 2\n"},
        StreamCase{"AmountsThatWouldBeInfinite",
                   {},
                   "basic_pm,lta_annual\n" + k2e307 + ",\n1000," + kManyDigits + "\n",
                   Header("basic_pm,lta_annual") + k2e307 + ",,,,,,,\"line 2, column basic_pm: '" +
                       k2e307.substr(0, 40) + "...' is not an amount\"\n" + "1000," + kManyDigits +
                       ",,,,,,\"line 3, column lta_annual: '" + kManyDigits.substr(0, 40) + "...' is not an amount\"\n",
                   1,
                   "varnolix-assess: 2 of 2 rows have errors; the first is on line 2\n"},
        StreamCase{"LineNumbersCountEveryPhysicalLine",
                   {},
                   "\n\nname,basic_pm\n\"two\nlines\",x\n\ny,z\n",
                   Header("name,basic_pm") + "\"two\nlines\",x,,,,,,\"line 4, column basic_pm: 'x' is not an amount\"\n" +
                       "y,z,,,,,,\"line 7, column basic_pm: 'z' is not an amount\"\n",
                   1,
                   "varnolix-assess: 2 of 2 rows have errors; the first is on line 4\n"},
        StreamCase{"NoBasicColumn", {}, "id,basic\n1,2\n", "", 2, "varnolix-assess: line 1: no basic_pm column\n"},
        StreamCase{"EmptyInput", {}, "", "", 2, "varnolix-assess: line 1: no basic_pm column\n"},
        StreamCase{"DuplicateColumn", {}, "\nbasic_pm,80D,80d \n", "", 2,
                   "varnolix-assess: line 2: column 80d appears twice (fields 2 and 3)\n"},
        StreamCase{"BrokenQuotingKeepsTheRowsBefore",
                   {},
                   "basic_pm\n1000\n10\"00\n2000\n",
                   Header("basic_pm") + "1000,0.00,12000.00,0.00,0.00,0.00,\n",
                   2,
                   "varnolix-assess: line 3: a quote inside an unquoted field\n"},
        StreamCase{"BrokenHeader", {}, "\"basic_pm\n", "", 2,
                   "varnolix-assess: line 1: a quoted field is still open at the end of the input\n"},
        StreamCase{"ExplainPrintsErrorsInstead",
                   {.explain = true},
                   "id,basic_pm,name\nE1,x,\"Rao, Asha\"\nE2,0\n",
                   "line 2: id=E1, name=\"Rao, Asha\"\n  error: line 2, column basic_pm: 'x' is not an amount\n\n"
                   "line 3: id=E2\n  error: line 3: expected 3 fields, found 2\n  error: Basic PM must have some value.\n",
                   1,
                   "varnolix-assess: 2 of 2 rows have errors; the first is on line 2\n"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(AssessStream, ReportsAFailedWrite) {
  std::string input = "basic_pm\n";
  for (int i = 0; i < 5000; ++i) input += "1000\n";
  StringSource in(input);
  StringSink out(100000);
  std::string diagnostics;
  EXPECT_EQ(AssessStream({}, in, out, {.output = "out.csv"}, diagnostics), kExitFailed);
  EXPECT_EQ(diagnostics, "varnolix-assess: cannot write 'out.csv': No space left on device\n");
  EXPECT_EQ(out.text.size() % 65536, 0u);  // whole buffers only
}

TEST(AssessStream, ReportsAFailedRead) {
  StringSource in("basic_pm\n1000\n", 100, /*failAtEnd=*/true);
  StringSink out;
  std::string diagnostics;
  EXPECT_EQ(AssessStream({}, in, out, {.input = "in.csv"}, diagnostics), kExitFailed);
  EXPECT_EQ(diagnostics, "varnolix-assess: cannot read 'in.csv': Input/output error\n");
  EXPECT_EQ(out.text, Header("basic_pm") + "1000,0.00,12000.00,0.00,0.00,0.00,\n");
}

}  // namespace
}  // namespace varnolix::cli
