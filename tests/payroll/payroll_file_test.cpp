// A payroll file as the program opens and saves it: what a whole file is refused for,
// how its rows are named in the list and who they are about, the picked row read again,
// and a saved row that reads back to every bit of every amount.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "payroll/payroll_file.h"
#include "payroll/saved_entries.h"
#include "tests/payroll/string_streams.h"

namespace varnolix::payroll {
namespace {

using namespace std::string_literals;

PayrollRows List(const std::string& text) {
  testing::StringSource source(text, 7);  // in small pieces, as a slow disk hands them out
  return ListRows(source, "pay.csv");
}

TEST(PayrollFile, RefusesWhatIsNoPayrollFileAndSaysWhy) {
  const struct {
    std::string text;
    std::string problem;
  } cases[] = {
      {"", "'pay.csv' is empty"},
      {"name,80d\nAsha,100\n", "line 1: no basic_pm column"},
      {"basic_pm,BASIC_PM\n1,2\n", "line 1: 'basic_pm' (field 1) and 'BASIC_PM' (field 2) both name column basic_pm"},
      {"basic_pm\n", "'pay.csv' has no rows below its header"},
      // The program has no --keep-column: it says how to change the file instead.
      {"basic_pm,Rent\n1,2\n", "line 1, field 2: 'Rent' is not the name of an amount column; did you mean rent_pm? "
                                "Name the column rent_pm in the file to read its amounts, or give it another name to "
                                "keep it as it is."},
      {"basic_pm,name\n1,\"Asha\n2,Ravi\n", "line 2: a quoted field is still open at the end of the input"},
      // Spreadsheets and binary files, in the words the tool uses; UTF-16 without its mark too.
      {"PK\x03\x04\x14\0\x06\0"s, "'pay.csv' is a spreadsheet (xlsx or ods), not a CSV file; save it as \"CSV UTF-8\" "
                                  "and use that"},
      {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0"s, "'pay.csv' is a spreadsheet in the old binary format (xls), not a CSV "
                                                "file; save it as \"CSV UTF-8\" and use that"},
      {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, "'pay.csv' is a binary file, not a CSV file; save it as \"CSV UTF-8\" and use that"},
      {"b\0a\0s\0i\0c\0_\0p\0m\0\n\0"s, "'pay.csv' is a binary file, not a CSV file; save it as \"CSV UTF-8\" and use that"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const PayrollRows listed = List(c.text);
    EXPECT_EQ(listed.problem, c.problem);
    EXPECT_TRUE(listed.rows.empty());
  }
}

// Each row by the line it starts on and the cells that say who it is: never an amount,
// nor a result or error column of the tool's own output. A record of bare separators,
// as spreadsheets leave below their data, is no row.
TEST(PayrollFile, ListsEachRowByItsLineAndTheCellsThatAreNoAmount) {
  const PayrollRows listed = List(
      "basic_pm,taxable_hra,error,Employee,dept\n"
      "1000,1,,\"Rao,\nAsha\",Sales\n"
      "\n"
      " , ,,,\n"
      "2000,2,,  Ravi  ,HR\n"
      "3000\n");
  ASSERT_EQ(listed.problem, "");
  ASSERT_EQ(listed.rows.size(), 3u);
  const struct {
    long long line;
    std::string cells;
  } expected[] = {{2, "Rao, Asha\x1FSales"}, {6, "Ravi\x1FHR"}, {7, "\x1F"}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(listed.rows[i].line, expected[i].line);
    EXPECT_EQ(listed.CellsOf(listed.rows[i]), expected[i].cells);
  }
  EXPECT_EQ(listed.who.code, 0u);  // "Employee" is the code; positions count the kept cells
  EXPECT_EQ(listed.who.department, 1u);
  EXPECT_NE(listed.rows[0].fingerprint, listed.rows[1].fingerprint);

  EXPECT_EQ(List("basic_pm,name\n,\n , \n").problem, "'pay.csv' has no rows below its header");
}

// Where a row's name, code, department and PAN stand, however a clerk heads them.
TEST(PayrollFile, FindsWhoARowIsAboutFromTheHeader) {
  const struct {
    std::vector<std::string_view> header;
    WhoColumns who;
  } cases[] = {
      {{"Emp ID", "Employee Name", "basic_pm", "Dept.", "PAN No"}, {0, 1, 3, 4}},
      {{"basic_pm", "employee_code", "full-name", "DEPARTMENT"}, {1, 2, 3, std::nullopt}},
      {{"id", "code", "name", "basic_pm"}, {0, 2, std::nullopt, std::nullopt}},
      // Neither a name nor a code: the first cell that is neither an amount nor a result.
      {{"tax_payable", "basic_pm", "location", "Dept"}, {std::nullopt, 2, 3, std::nullopt}},
      {{"basic_pm", "80d"}, {}},
  };
  for (const auto& c : cases) {
    std::optional<ColumnMap::Duplicate> duplicate;
    const WhoColumns who = FindWhoColumns(ColumnMap::FromHeader(c.header, duplicate));
    SCOPED_TRACE(c.header.front());
    EXPECT_EQ(who.code, c.who.code);
    EXPECT_EQ(who.name, c.who.name);
    EXPECT_EQ(who.department, c.who.department);
    EXPECT_EQ(who.pan, c.who.pan);
  }
}

// UTF-8 as the standard has it; Latin-1, overlong forms and surrogates are not.
TEST(PayrollFile, CountsTheRowsHoldingBytesThatAreNotUtf8) {
  const struct {
    std::string cell;
    bool utf8;
  } cases[] = {
      {"Asha Rao, a long name beyond eight bytes", true}, {"\xE0\xA4\xAE\xE0\xA5\x80\xE0\xA4\xB0\xE0\xA4\xBE", true},
      {"\xF0\x9F\x98\x80", true},    {"Jos\xE9", false},       {"\xC0\xAF", false},
      {"\xED\xA0\x80", false},        {"\xF4\x90\x80\x80", false}, {"abcdefgh\xE0\xA4", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    const PayrollRows listed = List("basic_pm,name\n1,ok\n1,\"" + c.cell + "\"\n");
    ASSERT_EQ(listed.problem, "");
    EXPECT_EQ(listed.nonUtf8Lines, c.utf8 ? 0 : 1);
    EXPECT_EQ(listed.firstNonUtf8Line, c.utf8 ? 0 : 3);
  }
}

TEST(PayrollFile, ReadsThePickedRowAgainAsTheToolReadsIt) {
  const std::string file =
      "name,basic_pm,80d,taxable_hra\n"
      "Asha,\"1,00,000\",Rs 2500,5\n"
      "Ravi,abc,x,6\n"
      "Mala,0,,7\n";
  const auto pick = [&](long long line, std::string& problem) {
    testing::StringSource source(file);
    return ReadPickedRow(source, "pay.csv", line, problem);
  };
  std::string problem;
  const PickedRow asha = pick(2, problem);
  ASSERT_EQ(problem, "");
  EXPECT_TRUE(asha.reading.ok());
  EXPECT_EQ(asha.reading.typed[Field::kBasic], "100000");
  EXPECT_EQ(asha.reading.typed[Field::k80D], "2500");
  ASSERT_EQ(asha.cells.size(), 3u);  // the stale result is not kept
  EXPECT_EQ(asha.cells[0].column, "name");
  EXPECT_EQ(asha.cells[0].cell, "Asha");
  EXPECT_EQ(asha.cells[1].field, Field::kBasic);
  EXPECT_EQ(asha.who.name, "Asha");

  const PickedRow ravi = pick(3, problem);
  EXPECT_FALSE(ravi.reading.amountsRead);
  EXPECT_EQ(ravi.reading.errors, (std::vector<std::string>{"line 3, column basic_pm: 'abc' is not an amount",
                                                          "line 3, column 80d: 'x' is not an amount"}));
  // Every cell an amount: only the basic salary is wrong, which the Income page says itself.
  const PickedRow mala = pick(4, problem);
  EXPECT_TRUE(mala.reading.amountsRead);
  EXPECT_FALSE(mala.reading.ok());

  pick(9, problem);
  EXPECT_EQ(problem, "'pay.csv' changed after its rows were listed; open it again");
}

// Every amount, however many digits it needs, comes back as the same double, and the
// other cells come back as they were, commas, quotes and line breaks and all.
TEST(PayrollFile, ASavedRowReadsBackToTheSameAmountsAndCells) {
  PerField<std::optional<double>> amounts;
  amounts[Field::kBasic] = 0.1;
  amounts[Field::kAllowances1] = std::numeric_limits<double>::max() / 13;  // times 12 still holds
  amounts[Field::kLta] = std::numeric_limits<double>::denorm_min();
  amounts[Field::k80D] = 123456789.125;
  amounts[Field::kPpf] = 0.0;
  amounts[Field::kInfrastructureBond] = 1e22;
  const std::vector<RowCell> others{{"name", std::nullopt, "Rao, \"Asha\"\nSales"}, {"emp", std::nullopt, ""}};

  testing::StringSource source(SavedEntriesCsv(amounts, others));
  std::string problem;
  const PickedRow row = ReadPickedRow(source, "saved.csv", 2, problem);
  ASSERT_EQ(problem, "");
  ASSERT_TRUE(row.reading.ok()) << row.reading.errors.front();
  for (const FieldInfo& info : kFields) {
    SCOPED_TRACE(info.column);
    const std::optional<double>& saved = amounts[info.field];
    EXPECT_EQ(row.reading.typed[info.field].empty(), !saved.has_value());  // an empty field stays empty
    if (saved) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(row.reading.amounts[info.field]), std::bit_cast<std::uint64_t>(*saved));
    }
  }
  ASSERT_EQ(row.cells.size(), kFieldCount + 2);
  EXPECT_EQ(row.cells[0].cell, others[0].cell);
  EXPECT_EQ(row.cells[1].column, "emp");
}

}  // namespace
}  // namespace varnolix::payroll
