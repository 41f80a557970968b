// The road of one assessment: amounts typed page by page, then the five texts the
// Tax Results page shows.
#include <gtest/gtest.h>

#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

struct Entry {
  int tab;
  int id;
  const char* keys;
};

struct RoadCase {
  const char* name;
  std::vector<Entry> entries;  // in tab order
  Results expected;
  const char* standardDeduction = nullptr;  // what its page shows, when it is shown
};
void PrintTo(const RoadCase& c, std::ostream* os) { *os << c.name; }

class AssessmentRoadTest : public SheetTest, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(AssessmentRoadTest, ShowsTheFiveResults) {
  const RoadCase& c = GetParam();
  for (const Entry& entry : c.entries) {
    if (sheet().GetActiveIndex() != entry.tab) ClickTab(entry.tab);
    ASSERT_EQ(sheet().GetActiveIndex(), entry.tab);
    TypeInto(entry.tab, entry.id, entry.keys);
  }
  EXPECT_EQ(ShowResults(), c.expected);
  if (c.standardDeduction != nullptr) {
    EXPECT_EQ(Text(kStandardDeductionTab, standard_deduction::kStandardDeduction), c.standardDeduction);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, AssessmentRoadTest,
    ::testing::Values(
        RoadCase{"OnlyBasic", {{kIncomeTab, income::kBasicPerMonth, "10000"}},
                 {"0.00", "120000.00", "0.00", "0.00", "12540.00"}},
        RoadCase{"OnlyTheIncomePage",
                 {{kIncomeTab, income::kBasicPerMonth, "10000"}, {kIncomeTab, income::kAllowances1PerMonth, "2000"},
                  {kIncomeTab, income::kRentPerMonth, "5000"}, {kIncomeTab, income::kHraReceivedPerMonth, "4000"}},
                 {"0.00", "144000.00", "0.00", "0.00", "18348.00"}},
        RoadCase{"EveryPage",
                 {{kIncomeTab, income::kBasicPerMonth, "25000"}, {kIncomeTab, income::kAllowances1PerMonth, "5000"},
                  {kIncomeTab, income::kAllowances2PerMonth, "1000"}, {kIncomeTab, income::kLtaTaxableAnnual, "10000"},
                  {kIncomeTab, income::kRentPerMonth, "8000"}, {kIncomeTab, income::kHraReceivedPerMonth, "10000"},
                  {kStandardDeductionTab, standard_deduction::kProfessionTax, "2500"},
                  {kSection80Tab, section80::k80L, "20000"}, {kSection80Tab, section80::k80D, "18000"},
                  {kSection80Tab, section80::k80E, "30000"}, {kSection80Tab, section80::k80CCC, "5000"},
                  {kSection80Tab, section80::k80DD, "50000"}, {kSection80Tab, section80::k80DDB, "0"},
                  {kSection88Tab, section88::kPfContribution, "30000"},
                  {kSection88Tab, section88::kLicPremium, "20000"},
                  {kSection88Tab, section88::kPpf, "15000"}, {kSection88Tab, section88::kMutualFund, "0"},
                  {kSection88Tab, section88::kOtherInvestments, "0"},
                  {kSection88Tab, section88::kInfrastructureBond, "15000"}},
                 {"54000.00", "436000.00", "105000.00", "70000.00", "9493.00"},
                 "20000"},
        RoadCase{"NarrowingTie", {{kIncomeTab, income::kBasicPerMonth, "12345.67"}},
                 {"0.00", "148148.05", "0.00", "0.00", "19351.82"}},
        RoadCase{"LowIncome",
                 {{kIncomeTab, income::kBasicPerMonth, "3000"}, {kIncomeTab, income::kHraReceivedPerMonth, "1000"}},
                 {"0.00", "36000.00", "0.00", "0.00", "0.00"}},
        RoadCase{"AboveTheTopTier",
                 {{kIncomeTab, income::kBasicPerMonth, "50000"},
                  {kStandardDeductionTab, standard_deduction::kProfessionTax, "1000"}},
                 {"0.00", "600000.00", "0.00", "0.00", "187770.00"},
                 "0"}),
    NamedCase());

// The tier follows the gross salary of the moment, even when the Standard
// Deduction page was last shown with another salary.
TEST_F(SheetTest, TheStandardDeductionFollowsAnIncomeChangedAfterItsPageWasShown) {
  FillPage(kIncomeTab, {{income::kBasicPerMonth, "10000"}, {income::kAllowances1PerMonth, "2000"},
                        {income::kRentPerMonth, "5000"}, {income::kHraReceivedPerMonth, "4000"}});
  ClickTab(kStandardDeductionTab);
  ASSERT_EQ(Text(kStandardDeductionTab, standard_deduction::kStandardDeduction), "20000");
  EXPECT_EQ(ShowResults().taxPayable, "18348.00");

  ClickTab(kIncomeTab);
  Retype(kIncomeTab, income::kBasicPerMonth, "3000");
  const Results results = ShowResults();
  EXPECT_EQ(results.grossSalary, "90000.00");
  EXPECT_EQ(results.taxPayable, "4180.00");
  EXPECT_EQ(Text(kStandardDeductionTab, standard_deduction::kStandardDeduction), "25000");
}

}  // namespace
}  // namespace varnolix::test
