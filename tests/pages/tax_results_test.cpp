// The Tax Results page shows how each result was reached: each field's tooltip and
// description give its own working, wrapped to fit, and each field's context menu, opened by the
// pointer, the Menu key or Shift+F10, copies the whole working of the results shown. The
// standard deduction it uses is that of the gross salary of the moment.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <algorithm>
#include <string>

#include "assessment/amount.h"
#include "computation/computation.h"
#include "computation/render.h"
#include "pages/field_controls.h"
#include "resources/resource_ids.h"
#include "tests/assessment/typed.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

class WorkingTest : public SheetTest {
 protected:
  // Every page shown, the Section 80 and Section 88 amounts above their caps.
  void FillEveryPage() {
    const TypedRow typed =
        Typed("25000,5000,1000,10000,8000,10000,2500,20000,18000,30000,5000,50000,0,30000,20000,15000,0,0,15000");
    for (const FieldInfo& info : kFields) {
      FillPage(static_cast<int>(info.page), {{ControlsOf(info.field).controlId, typed.texts[info.field].c_str()}});
    }
  }
  QString Description(int id) const { return Field(kTaxResultsTab, id)->accessibleDescription(); }
};

// Each field's tooltip and description hold its own result's working, no two alike: a
// heading that names the result as the page does, with its figure, then lines wrapped
// to fit beside the window.
TEST_F(WorkingTest, EachResultGivesItsOwnWorkingAsItsTooltipAndDescription) {
  FillEveryPage();
  ASSERT_EQ(ShowResults(), "54000.00 436000.00 105000.00 70000.00 9493.00");
  QStringList descriptions;
  for (const ResultInfo& result : kResults) {
    const int id = ControlOf(result.result);
    const QString description = Description(id);
    descriptions << description;
    const QString heading = QString::fromUtf8(ResultLabel(result.result)) + QStringLiteral(": ") +
                            QString::fromStdString(GroupIndian(Field(kTaxResultsTab, id)->text().toStdString()));
    EXPECT_EQ(description.section(u'\n', 0, 0), heading);
    for (const QString& line : description.split(u'\n')) EXPECT_LE(line.size(), kTipWidth) << line.toStdString();
    // The tooltip is the same working in a fixed-pitch font, so that its columns line up.
    EXPECT_EQ(Field(kTaxResultsTab, id)->toolTip(), QStringLiteral("<pre>%1</pre>").arg(description.toHtmlEscaped()));
  }
  EXPECT_EQ(descriptions.removeDuplicates(), 0);
}

// The working shown is always that of the results shown: it follows every change.
TEST_F(WorkingTest, TheWorkingFollowsTheResults) {
  FillPage(kIncomeTab, kIncomeAllPositive);
  ShowResults();
  const std::string before = CopyWorking(tax_results::kGrossSalary, MenuBy::RightClick);
  const QString tipBefore = Description(tax_results::kTaxPayable);
  ClickTab(kIncomeTab);
  TypeInto(kIncomeTab, income::kBasicPerMonth, "20000", true);
  ShowResults();
  const std::string after = CopyWorking(tax_results::kGrossSalary, MenuBy::RightClick);
  EXPECT_NE(after, before);
  // Every result's menu copies the same whole working, however the menu is opened.
  const MenuBy ways[] = {MenuBy::RightClick, MenuBy::MenuKey, MenuBy::ShiftF10};
  for (size_t i = 0; i < kResultControls.size(); ++i) {
    EXPECT_EQ(CopyWorking(kResultControls[i], ways[i % 3]), after) << kResultControls[i];
  }
  EXPECT_NE(Description(tax_results::kTaxPayable), tipBefore);
  // The working's results are those the fields show.
  const QStringList lines = QString::fromStdString(after).section(QStringLiteral("  Results\n"), 1).split(u'\n');
  for (const ResultInfo& result : kResults) {
    const QString shown = QString::fromUtf8(ResultLabel(result.result)) + u' ' +
                          QString::fromStdString(GroupIndian(Text(kTaxResultsTab, ControlOf(result.result))));
    EXPECT_TRUE(std::ranges::any_of(lines, [&](const QString& line) { return line.simplified() == shown; }))
        << shown.toStdString();
  }
}

// The standard deduction follows the gross salary of the moment, even when its page was
// last shown with another salary: showing Tax Results brings the page up to date.
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
