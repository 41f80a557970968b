// A payroll file as the program opens and saves it: what a whole file is refused for,
// how its rows are named in the list, the picked row read again, and a saved row that
// reads back to every bit of every amount.
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
      // A spreadsheet's binary file, and a CSV saved as UTF-16: neither is text as the tool reads it.
      {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, "'pay.csv' is not a text file of comma-separated values"},
      {"b\0a\0s\0i\0c\0_\0p\0m\0\n\0"s, "'pay.csv' is not a text file of comma-separated values"},
      {"basic_pm,name\n1,Asha\n2,\"Ra\0vi\"\n"s, "'pay.csv' is not a text file of comma-separated values"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const PayrollRows listed = List(c.text);
    EXPECT_EQ(listed.problem, c.problem);
    EXPECT_TRUE(listed.rows.empty());
  }
}

// Each row by the line it starts on and its first cell that says who it is: never an
// amount, nor a result or error column of the tool's own output.
TEST(PayrollFile, NamesEachRowByItsLineAndItsFirstCellThatIsNoAmount) {
  const PayrollRows listed = List(
      "basic_pm,taxable_hra,error,Employee,dept\n"
      "1000,1,,\"Rao,\nAsha\",Sales\n"
      "\n"
      "2000,2,,  Ravi  ,HR\n"
      "3000\n");
  ASSERT_EQ(listed.problem, "");
  ASSERT_EQ(listed.rows.size(), 3u);
  EXPECT_EQ(listed.rows[0].line, 2);
  EXPECT_EQ(listed.rows[0].name, "Rao, Asha");
  EXPECT_EQ(listed.rows[1].line, 5);
  EXPECT_EQ(listed.rows[1].name, "Ravi");
  EXPECT_EQ(listed.rows[2].line, 6);
  EXPECT_EQ(listed.rows[2].name, "");
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
  ASSERT_EQ(asha.others.size(), 1u);  // the stale result is not kept
  EXPECT_EQ(asha.others[0].column, "name");
  EXPECT_EQ(asha.others[0].cell, "Asha");

  const PickedRow ravi = pick(3, problem);
  EXPECT_FALSE(ravi.reading.amountsRead);
  EXPECT_EQ(ravi.reading.errors, (std::vector<std::string>{"line 3, column basic_pm: 'abc' is not an amount",
                                                          "line 3, column 80d: 'x' is not an amount"}));
  // Every cell an amount: only the basic salary is wrong, which the Income page says itself.
  const PickedRow mala = pick(4, problem);
  EXPECT_TRUE(mala.reading.amountsRead);
  EXPECT_FALSE(mala.reading.ok());

  pick(9, problem);
  EXPECT_EQ(problem, "line 9 of 'pay.csv' changed after the file was opened; open it again");
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
  const std::vector<OtherCell> others{{"name", "Rao, \"Asha\"\nSales"}, {"emp", ""}};

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
  ASSERT_EQ(row.others.size(), 2u);
  EXPECT_EQ(row.others[0].cell, others[0].cell);
  EXPECT_EQ(row.others[1].column, "emp");
}

}  // namespace
}  // namespace varnolix::payroll
