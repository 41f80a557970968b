// A header as clerks write it: the names that are an amount column's, the near misses of
// one the file lacks, the names that pass through, the tool's own columns by their exact
// names, and how many fields a record of a file the tool assessed before should have.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payroll/columns.h"
#include "payroll/file_header.h"
#include "payroll/near_miss.h"
#include "payroll/row_reading.h"
#include "tests/payroll/string_streams.h"

namespace varnolix::payroll {
namespace {

ColumnMap MapOf(const std::vector<std::string_view>& header, std::span<const std::string> kept = {}) {
  std::optional<ColumnMap::Duplicate> duplicate;
  return ColumnMap::FromHeader(header, duplicate, kept);
}

// Each cell beside an "id" column: the column it is, the one it looks meant for, or neither.
TEST(Columns, ReadsNamesAsClerksWriteThemAndStopsOnANearMissOnly) {
  const struct {
    std::string_view cell;
    std::string_view is = "";     // the column it names
    std::string_view meant = "";  // the column it looks meant for
  } cases[] = {
      {"HRA Received PM", "hra_received_pm"}, {"Rent P.M.", "rent_pm"}, {"80 D", "80d"},
      {"LIC-Premium", "lic_premium"}, {" BASIC_pm\t", "basic_pm"}, {"Other.Investments", "other_investments"},
      // Misspelt: a few edits, a swap of neighbours counting one.
      {"hra_recieved_pm", "", "hra_received_pm"}, {"rnet_pm", "", "rent_pm"},
      {"Professional Tax", "", "profession_tax"}, {"Mutual Funds", "", "mutual_fund"},
      {"allowance1_pm", "", "allowances1_pm"},
      // The bare start of a name, alone or with words that say it is an amount.
      {"Rent", "", "rent_pm"}, {"Basic", "", "basic_pm"}, {"HRA", "", "hra_received_pm"}, {"PF", "", "pf_contribution"},
      {"Basic Salary", "", "basic_pm"}, {"Rent Paid", "", "rent_pm"}, {"LTA p.a.", "", "lta_annual"},
      {"PPF Amount", "", "ppf"}, {"Allowances", "", "allowances1_pm"},
      {"Section 80D", "", "80d"}, {"80D Amount", "", "80d"}, {"u/s 80CCC", "", "80ccc"},
      // Plain columns that are no amount of ours.
      {"Name"}, {"Employee"}, {"Emp ID"}, {"Code"}, {"Department"}, {"PAN"}, {"Notes"}, {"Remarks"},
      {"Gross Salary"}, {"Designation"}, {"Location"}, {"Month"}, {"Date"}, {"Other"}, {"Others"}, {"PF No"},
      {"LIC Policy No"}, {"DA"}, {"Net Pay"}, {"Total"}, {"Salary"}, {"Taxable HRA"}, {"tax_payable"},
      // Other sections of the law, however close to ours.
      {"80C"}, {"80CCD"}, {"80G"}, {"80U"}, {"80EE"}, {"80TTA"}, {"Section 80G"}, {"80 CCD(1B)"}, {"80DDA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    const ColumnMap map = MapOf({"id", c.cell});
    const std::optional<Field> field = RecognisedField(c.cell);
    EXPECT_EQ(field ? Info(*field).column : "", c.is);
    EXPECT_EQ(map.nearMiss() ? Info(map.nearMiss()->meant).column : "", c.meant);
    if (map.nearMiss()) {
      EXPECT_EQ(map.nearMiss()->position, 2u);
      EXPECT_EQ(map.nearMiss()->cell, c.cell);
    }
  }
}

TEST(Columns, ANameLikeAColumnTheFileHasOrKeepsPassesThrough) {
  EXPECT_FALSE(MapOf({"basic_pm", "Basic Salary", "Rent", "rent_pm"}).nearMiss());
  const std::vector<std::string> kept{"rent", "Basic P.M."};
  const ColumnMap map = MapOf({"basic_pm", "BASIC_PM", "Rent"}, kept);
  EXPECT_FALSE(map.nearMiss());
  EXPECT_FALSE(map.IndexOf(Field::kBasic));  // kept: a column like any other
  EXPECT_EQ(map.passthrough().size(), 3u);
}

TEST(Columns, TheToolsOwnColumnsGoByTheirExactNamesAndAreRefilledOnlyWhenAllAreThere) {
  const struct {
    std::string_view cell;
    bool assessed;
  } names[] = {{"taxable_hra", true}, {" error ", true}, {"tax_payable", true}, {"Gross Salary", false},
               {"gross salary", false}, {"GROSS_SALARY", false}, {"Error", false}, {"errors", false}};
  for (const auto& n : names) EXPECT_EQ(IsAssessedColumnName(n.cell), n.assessed) << n.cell;

  const std::vector<std::string_view> own{"taxable_hra", "gross_salary", "section80_benefit", "section88_benefit",
                                          "tax_payable", "error"};
  std::vector<std::string_view> header{"id"};
  header.insert(header.end(), own.begin(), own.end());
  header.push_back("basic_pm");
  const ColumnMap all = MapOf(header);
  ASSERT_TRUE(all.assessedColumns());
  EXPECT_EQ(all.assessedColumns()->results[Result::kGrossSalary], 2u);
  EXPECT_EQ(all.assessedColumns()->error, 6u);
  EXPECT_EQ(std::vector<size_t>(all.ownColumns().begin(), all.ownColumns().end()), (std::vector<size_t>{0, 7}));
  header.push_back("error");
  EXPECT_FALSE(MapOf(header).assessedColumns()) << "one of them twice";
  EXPECT_FALSE(MapOf({"basic_pm", "taxable_hra", "error"}).assessedColumns()) << "some only";
}

std::string HeaderProblem(const std::string& text, const HeaderReading& how = {}) {
  testing::StringSource source(text);
  CsvReader reader(source);
  std::string problem;
  ReadHeader(reader, "pay.csv", problem, how);
  return problem;
}

TEST(Columns, AHeaderThatCannotBeReadSaysWhichCellsAndWhatToDo) {
  EXPECT_EQ(HeaderProblem("id,Basic PM,x,basic_pm\n"),
            "line 1: 'Basic PM' (field 2) and 'basic_pm' (field 4) both name column basic_pm");
  EXPECT_EQ(HeaderProblem("\nid,basic_pm,Rent Paid\n"),
            "line 2, field 3: 'Rent Paid' is not the name of an amount column; did you mean rent_pm? Name the column "
            "rent_pm in the file to read its amounts, or give it another name to keep it as it is.");
  EXPECT_EQ(HeaderProblem("basic_pm,PF\n", {.keepColumnOption = true}),
            "line 1, field 2: 'PF' is not the name of an amount column; did you mean pf_contribution? To pass the "
            "column through untouched, add --keep-column PF");
  EXPECT_EQ(ShellWord("Rent's PM"), "'Rent'\\''s PM'");
  EXPECT_EQ(HeaderProblem("id,Basic\n"), HeaderProblem("id,Basic,Rent\n")) << "the first near miss";
}

TEST(Columns, EditDistanceCountsASwapOfNeighboursAsOne) {
  EXPECT_EQ(EditDistance("hrarecievedpm", "hrareceivedpm"), 1u);
  EXPECT_EQ(EditDistance("basicpm", "bsaicpm"), 1u);
  EXPECT_EQ(EditDistance("rentpm", "rent"), 2u);
  EXPECT_EQ(EditDistance("", "ppf"), 3u);
  EXPECT_EQ(EditDistance("ca", "abc"), 3u);  // no edit of a swapped pair again
}

// In a file the tool assessed before, its own columns do not count, and a row it padded
// out for being short stays short until a padded cell is filled in.
TEST(Columns, ARecordOfAFileAssessedBeforeIsCountedWithoutTheToolsColumns) {
  const std::vector<std::string_view> header{"id", "basic_pm", "taxable_hra", "gross_salary", "section80_benefit",
                                             "section88_benefit", "tax_payable", "error"};
  const ColumnMap columns = MapOf(header);
  const std::string padded = "line 2: expected 2 fields, found 1";
  const std::string paddedAndMore = padded + "; line 2, column x";
  const struct {
    const char* name;
    std::vector<std::string_view> fields;
    std::optional<FieldCount> wrong;
    long long line = 2;
  } cases[] = {
      {"Whole", {"E1", "1", "", "", "", "", "", ""}, std::nullopt},
      {"LacksOnlyTheToolsCells", {"E1", "1", "9"}, std::nullopt},
      {"Long", {"E1", "1", "", "", "", "", "", "", "x"}, FieldCount{2, 3}},
      {"Short", {"E1"}, FieldCount{2, 1}},
      {"PaddedBefore", {"E1", "", "", "", "", "", "", padded}, FieldCount{2, 1}},
      {"PaddedWithMoreErrors", {"E1", " ", "", "", "", "", "", paddedAndMore}, FieldCount{2, 1}},
      {"PaddedCellFilledSince", {"E1", "1000", "", "", "", "", "", padded}, std::nullopt},
      {"PaddedOnAnotherLine", {"E1", "", "", "", "", "", "", padded}, std::nullopt, 3},
      {"ErrorOfAnotherKind", {"E1", "", "", "", "", "", "", "line 2: expected 2 fields, found 10"}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<FieldCount> wrong = WrongFieldCount(columns, c.fields, c.line);
    ASSERT_EQ(wrong.has_value(), c.wrong.has_value());
    if (wrong) {
      EXPECT_EQ(wrong->expected, c.wrong->expected);
      EXPECT_EQ(wrong->found, c.wrong->found);
    }
  }
  const std::optional<FieldCount> plain = WrongFieldCount(MapOf({"basic_pm", "error"}), header, 2);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->found, 8u) << "some of the tool's columns only: every cell counts";
}

}  // namespace
}  // namespace varnolix::payroll
