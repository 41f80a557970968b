// The standard deduction follows the gross salary of the moment, even when its page was
// last shown with another salary: showing Tax Results brings the page up to date.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

TEST_F(SheetTest, TheStandardDeductionFollowsAnIncomeChangedAfterItsPageWasShown) {
  FillPage(kIncomeTab, {{income::kBasicPerMonth, "10000"}, {income::kAllowances1PerMonth, "2000"},
                        {income::kRentPerMonth, "5000"}, {income::kHraReceivedPerMonth, "4000"}});
  ClickTab(kStandardDeductionTab);
  EXPECT_EQ(Text(kStandardDeductionTab, standard_deduction::kStandardDeduction), "20000");
  EXPECT_EQ(ShowResults(), "0.00 144000.00 0.00 0.00 18348.00");
  const struct {
    const char* basic;
    const char* tier;
    const char* shown;
  } changes[] = {{"3000", "25000", "30000.00 90000.00 0.00 0.00 4180.00"}, {"50000", "0", "0.00 624000.00 0.00 0.00 196812.00"}};
  for (const auto& change : changes) {
    ClickTab(kIncomeTab);
    TypeInto(kIncomeTab, income::kBasicPerMonth, change.basic, true);
    EXPECT_EQ(ShowResults(), change.shown);
    EXPECT_EQ(Text(kStandardDeductionTab, standard_deduction::kStandardDeduction), change.tier);
  }
}

}  // namespace
}  // namespace varnolix::test
