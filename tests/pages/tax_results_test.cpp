// The Tax Results page shows how each result was reached: each field's tooltip and
// description give its own working, and each field's context menu, opened by the
// pointer, the Menu key or Shift+F10, copies the whole working of the results shown.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRegularExpression>
#include <string>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

// Every page shown, the Section 80 and Section 88 amounts above their caps.
const std::vector<std::pair<int, Entries>> kAllPages{
    {kIncomeTab,
     {{income::kBasicPerMonth, "25000"}, {income::kAllowances1PerMonth, "5000"}, {income::kAllowances2PerMonth, "1000"},
      {income::kLtaTaxableAnnual, "10000"}, {income::kRentPerMonth, "8000"}, {income::kHraReceivedPerMonth, "10000"}}},
    {kStandardDeductionTab, {{standard_deduction::kProfessionTax, "2500"}}},
    {kSection80Tab,
     {{section80::k80L, "20000"}, {section80::k80D, "18000"}, {section80::k80E, "30000"}, {section80::k80CCC, "5000"},
      {section80::k80DD, "50000"}, {section80::k80DDB, "0"}}},
    {kSection88Tab,
     {{section88::kPfContribution, "30000"}, {section88::kLicPremium, "20000"}, {section88::kPpf, "15000"},
      {section88::kMutualFund, "0"}, {section88::kOtherInvestments, "0"}, {section88::kInfrastructureBond, "15000"}}},
};

class WorkingTest : public SheetTest {
 protected:
  void FillEveryPage() {
    for (const auto& [tab, entries] : kAllPages) FillPage(tab, entries);
  }
  QString Description(int id) const { return Field(kTaxResultsTab, id)->accessibleDescription(); }
};

// Each field's working holds its own figures, and only the parts that lead to it.
TEST_F(WorkingTest, EachResultGivesItsOwnWorkingAsItsTooltipAndDescription) {
  FillEveryPage();
  ASSERT_EQ(ShowResults(), "54000.00 436000.00 105000.00 70000.00 9493.00");
  const struct {
    int id;
    std::vector<const char*> shows;
    std::vector<const char*> leavesOut;
  } cases[] = {
      {tax_results::kTaxableHra, {"HRA exemption", "rent over a tenth of basic           66000                least",
                                  "taxable HRA                          54000"}, {"Slab tax", "Section 88"}},
      {tax_results::kGrossSalary, {"Gross salary", "exact                               436000"}, {"Slab tax"}},
      {tax_results::kSection80Benefit, {"80D, cap 15000                       15000                read 18000, capped",
                                        "total                               105000"}, {"Income", "Section 88"}},
      {tax_results::kSection88Benefit, {"above 60000: counts 60000", "Section 88 amount                    70000"},
       {"Income", "Section 80"}},
      {tax_results::kTaxPayable, {"taxable amount                      352100", "upper line                           78630",
                                  "Section 88 amount                    70000", "tax payable                           9493"},
       {"Income\n", "HRA exemption", "Gross salary", "Section 80 (counted)"}},
  };
  QStringList descriptions;
  for (const auto& c : cases) {
    const QString description = Description(c.id);
    descriptions << description;
    for (const char* shown : c.shows) EXPECT_TRUE(description.contains(QLatin1String(shown))) << c.id << ": " << shown;
    for (const char* left : c.leavesOut) EXPECT_FALSE(description.contains(QLatin1String(left))) << c.id << ": " << left;
    // The tooltip is the same working in a fixed-pitch font, so that its columns line up.
    EXPECT_EQ(Field(kTaxResultsTab, c.id)->toolTip(), QStringLiteral("<pre>%1</pre>").arg(description.toHtmlEscaped()));
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
  const std::string shown = ShowResults();
  const std::string after = CopyWorking(tax_results::kGrossSalary, MenuBy::RightClick);
  EXPECT_NE(after, before);
  EXPECT_NE(Description(tax_results::kTaxPayable), tipBefore);
  // The working ends with the results as they stand in the fields.
  const QString results = QString::fromStdString(after).section(QStringLiteral("  Results\n"), 1);
  QStringList figures;
  for (const QString& line : results.split(u'\n', Qt::SkipEmptyParts)) figures << line.section(u' ', -1);
  EXPECT_EQ(figures.join(u' ').toStdString(), shown);
}

TEST_F(WorkingTest, EveryResultsContextMenuCopiesTheWholeWorkingHoweverItIsOpened) {
  FillEveryPage();
  ShowResults();
  const std::string whole = CopyWorking(tax_results::kTaxPayable, MenuBy::RightClick);
  for (const char* part : {"  Income\n", "  Section 80 (counted)\n", "  Slab tax\n", "  Results\n"}) {
    EXPECT_NE(whole.find(part), std::string::npos) << part;
  }
  for (const ResultInfo& result : kResults) {
    for (MenuBy how : {MenuBy::RightClick, MenuBy::MenuKey, MenuBy::ShiftF10}) {
      EXPECT_EQ(CopyWorking(result.controlId, how), whole) << result.controlId << " by " << static_cast<int>(how);
    }
  }
}

}  // namespace
}  // namespace varnolix::test
