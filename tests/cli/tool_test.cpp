// The whole stream in memory, read a few bytes at a time: the header, rows that cannot
// be assessed, and each fault that stops a run with what it says.
#include "cli/tool.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/cli/string_streams.h"

namespace varnolix::cli {
namespace {

std::string Header(const std::string& columns) {
  return columns + ",taxable_hra,gross_salary,section80_benefit,section88_benefit,tax_payable,error\n";
}

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  while (times-- > 0) repeated += text;
  return repeated;
}

// A header of `count` columns, basic_pm among them, and a row of each column's number.
std::pair<std::string, std::string> WideRecords(int count) {
  std::string header, row;
  for (int i = 0; i < count; ++i) {
    const char* separator = i == 0 ? "" : ",";
    header += separator + (i == count / 2 ? std::string("basic_pm") : "c" + std::to_string(i));
    row += separator + (i == count / 2 ? std::string("10000") : std::to_string(i));
  }
  return {header, row};
}

TEST(AssessStream, WritesRowsAndReports) {
  const std::string manyDigits(400, '9');
  const auto [wideHeader, wideRow] = WideRecords(10000);
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
      {"HeaderNamesMatchIgnoringCaseAndBlanks", " Basic_PM ,RENT_pm\t,id\n10000,5000,E1\n",
       Header(" Basic_PM ,RENT_pm\t,id") + "10000,5000,E1,0.00,120000.00,0.00,0.00,12540.00,\n", 0, ""},
      {"AmountsThatWouldBeInfinite", "basic_pm,lta_annual\n" + twoE307 + ",\n1000," + manyDigits + "\n",
       Header("basic_pm,lta_annual") + twoE307 + ",,,,,,,\"line 2, column basic_pm: '" + twoE307.substr(0, 40) +
           "...' is not an amount\"\n1000," + manyDigits + ",,,,,,\"line 3, column lta_annual: '" +
           manyDigits.substr(0, 40) + "...' is not an amount\"\n",
       1, "varnolix-assess: 2 of 2 rows have errors; the first is on line 2\n"},
      // Bytes pass through as they are, NUL and broken UTF-8 alike; an amount holding them is refused.
      {"NulAndBrokenUtf8", "basic_pm,name,80d\n10000," + nul + ",5\n1\0" "00,x,\n10000,\xff\xfe\xc3,\xe2\x82\n"s,
       Header("basic_pm,name,80d") + "10000," + nul + ",5,0.00,120000.00,5.00,0.00,12538.90,\n" +
           "1\0" "00,x,,,,,,,\"line 3, column basic_pm: '1\0" "00' is not an amount\"\n"s +
           "10000,\xff\xfe\xc3,\xe2\x82,,,,,,\"line 4, column 80d: '\xe2\x82' is not an amount\"\n",
       1, "varnolix-assess: 2 of 3 rows have errors; the first is on line 3\n"},
      {"TenThousandColumns", wideHeader + "\n" + wideRow + "\n",
       Header(wideHeader) + wideRow + ",0.00,120000.00,0.00,0.00,12540.00,\n", 0, ""},
      {"NoBasicColumn", "id,basic\n1,2\n", "", 2, "varnolix-assess: line 1: no basic_pm column\n"},
      {"EmptyInput", "", "", 2, "varnolix-assess: line 1: no basic_pm column\n"},
      {"DuplicateColumn", "\nbasic_pm,80D,80d \n", "", 2,
       "varnolix-assess: line 2: column 80d appears twice (fields 2 and 3)\n"},
      {"BrokenQuotingKeepsTheRowsBefore", "basic_pm\n1000\n10\"00\n2000\n", Header("basic_pm") + row, 2,
       "varnolix-assess: line 3: a quote inside an unquoted field\n"},
      {"CutOffInsideAQuotedField", "basic_pm\n1000\n\"10", Header("basic_pm") + row, 2,
       "varnolix-assess: line 3: a quoted field is still open at the end of the input\n"},
      {"BrokenHeader", "\"basic_pm\n", "", 2,
       "varnolix-assess: line 1: a quoted field is still open at the end of the input\n"},
      {"FailedRead", "basic_pm\n1000\n", Header("basic_pm") + row, 2,
       "varnolix-assess: cannot read 'standard input': Input/output error\n", true},
      // Whole buffers only are written before the failure.
      {"FailedWrite", "basic_pm\n" + Repeated("1000\n", 5000),
       (Header("basic_pm") + Repeated(row, 5000)).substr(0, 65536), 2,
       "varnolix-assess: cannot write 'standard output': No space left on device\n", false, 100000},
  };
  for (const auto& c : cases) {
    testing::StringSource in(c.input, 5, c.readFails);
    testing::StringSink out(c.sinkCapacity);
    std::string diagnostics;
    EXPECT_EQ(AssessStream({}, in, out, {}, diagnostics), c.status) << c.name;
    EXPECT_EQ(out.text, c.output) << c.name;
    EXPECT_EQ(diagnostics, c.diagnostics) << c.name;
  }
}

}  // namespace
}  // namespace varnolix::cli
