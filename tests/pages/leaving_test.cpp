// What each page says when it is left, whether it lets the person go, what its Reset
// button leaves behind, and the colours its texts are drawn in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <optional>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

const Entries kSection80AllPositive{{section80::k80L, "5"},   {section80::k80D, "6"},  {section80::k80E, "7"},
                                    {section80::k80CCC, "8"}, {section80::k80DD, "9"}, {section80::k80DDB, "10"}};
const Entries kSection88AllPositive{{section88::kPfContribution, "5"},   {section88::kLicPremium, "6"},
                                    {section88::kPpf, "7"},              {section88::kMutualFund, "8"},
                                    {section88::kOtherInvestments, "9"}, {section88::kInfrastructureBond, "10"}};

// `entries` without field `id`, or with it typed as `keys`.
Entries Except(Entries entries, int id, const char* keys = nullptr) {
  std::erase_if(entries, [id](const auto& entry) { return entry.first == id; });
  if (keys != nullptr) entries.insert(entries.begin(), {id, keys});
  return entries;
}

constexpr const char* kBasicMissing = "Basic PM must have some value.";
constexpr const char* kSection80Warning =
    "Interest etc. 80L, Mediclaim 80D, 80A, 80 CCC, 80 DD, 80 DDB,  are zero or negative.";
constexpr const char* kSection88Warning =
    "PF Contribution, LIC Primea, Mutual Fund,Other Investments., Infrastructure Bonds,  are zero or negative.";

// A new sheet showing `tab`, the Income page filled so that it leaves without a word
// unless it is the page, `entries` typed there, its Reset pressed if `reset`; the page is
// then left for the Section 80 page, or from there the Section 88 page.
TEST_F(SheetTest, LeavingShowsTheWarningAndLeavesOrStays) {
  const struct {
    const char* name;
    int tab;
    Entries entries;
    int reset;            // the page's Reset button, pressed before leaving; 0 for none
    const char* message;  // the one box shown on leaving, or none
    bool leaves;
  } cases[] = {
      {"IncomeEmpty", kIncomeTab, {}, 0, kBasicMissing, false},
      {"IncomeBasicZero", kIncomeTab, Except(kIncomeAllPositive, income::kBasicPerMonth, "0.00"), 0, kBasicMissing,
       false},
      {"IncomeOnlyBasic", kIncomeTab, {{income::kBasicPerMonth, "10000"}}, 0,
       "Allowences 1 PM, Allowences 2 PM,LTA Taxable annual, Rent PM, HRA received PM,  are zero or negative.", true},
      {"IncomeTinyBasic", kIncomeTab, Except(kIncomeAllPositive, income::kBasicPerMonth, "0.001"), 0, nullptr, true},
      {"IncomeReset", kIncomeTab, kIncomeAllPositive, income::kReset, kBasicMissing, false},
      {"Section80Empty", kSection80Tab, {}, 0, kSection80Warning, true},
      {"Section80OnlyMediclaimEmpty", kSection80Tab, Except(kSection80AllPositive, section80::k80D), 0,
       "Mediclaim 80D,  are zero or negative.", true},
      {"Section80Reset", kSection80Tab, kSection80AllPositive, section80::kReset, kSection80Warning, true},
      {"Section88OnlyPpfFilled", kSection88Tab, {{section88::kPpf, "1"}}, 0, kSection88Warning, true},
      {"Section88AllButPpfFilled", kSection88Tab, Except(kSection88AllPositive, section88::kPpf), 0, nullptr, true},
      {"Section88Reset", kSection88Tab, kSection88AllPositive, section88::kReset, kSection88Warning, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OpenSheet();
    if (c.tab != kIncomeTab) FillPage(kIncomeTab, kIncomeAllPositive);
    FillPage(c.tab, c.entries);
    if (c.reset != 0) ClickButton(c.reset, c.tab);
    recorded.boxes.boxes.clear();
    const int onward = c.tab == kSection80Tab ? kSection88Tab : kSection80Tab;
    ClickTab(onward);
    if (c.message == nullptr) {
      EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{});
    } else {
      ASSERT_EQ(recorded.boxes.boxes.size(), 1u);
      EXPECT_EQ(recorded.boxes.boxes[0].text, c.message);
      EXPECT_EQ(recorded.boxes.boxes[0].type, MB_OK | MB_ICONINFORMATION);
    }
    EXPECT_EQ(sheet().GetActiveIndex(), c.leaves ? onward : c.tab);
    EXPECT_EQ(TabBar()->currentIndex(), sheet().GetActiveIndex());
  }
}

// Reset clears the amounts, the monthly ones echoed again, but never the record that
// the page was shown.
TEST_F(SheetTest, ResetLeavesZerosOrEmptyFieldsAndTheVisitedFlags) {
  FillPage(kIncomeTab, kIncomeAllPositive);
  FillPage(kSection80Tab, kSection80AllPositive);
  FillPage(kSection88Tab, kSection88AllPositive);
  const struct {
    int tab, reset;
    std::vector<int> fields;
    const char* text;
  } pages[] = {
      {kSection80Tab, section80::kReset, {section80::k80L, section80::k80E, section80::k80DDB}, "0"},
      {kSection88Tab, section88::kReset, {section88::kPfContribution, section88::kPpf, section88::kInfrastructureBond}, "0"},
      {kIncomeTab, income::kReset, {income::kAnnualBasic, income::kAnnualAllowances1, income::kAnnualAllowances2}, "0.00"},
      {kIncomeTab, income::kReset, {income::kBasicPerMonth, income::kRentPerMonth, income::kHraReceivedPerMonth}, ""},
  };
  for (const auto& page : pages) {
    if (sheet().GetActiveIndex() != page.tab) ClickTab(page.tab);
    ClickButton(page.reset, page.tab);
    for (int id : page.fields) EXPECT_EQ(Text(page.tab, id), page.text) << "field " << id;
  }
  EXPECT_EQ((std::vector<int>{sheet().m_bSection88Visited, sheet().m_bSection80Visited}), (std::vector<int>{1, 1}));
}

// Every label and field of a page in the page's colour, asked for at every repaint;
// buttons keep theirs.
TEST_F(SheetTest, DrawsEveryLabelAndFieldInThePagesColour) {
  const std::optional<QColor> colours[] = {QColor(0, 125, 0), QColor(0, 0, 125), QColor(125, 0, 125), std::nullopt,
                                           QColor(255, 0, 0)};
  FillPage(kIncomeTab, kIncomeAllPositive);
  for (int tab = kIncomeTab; tab <= kTaxResultsTab; ++tab) {
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    int drawn = 0;
    for (QWidget* widget : sheet().GetPage(tab)->GetSafeHwnd()->findChildren<QWidget*>()) {
      auto* label = qobject_cast<QLabel*>(widget);
      widget->grab();  // a repaint asks the page for the colour again
      if (qobject_cast<QPushButton*>(widget) != nullptr) {
        EXPECT_EQ(widget->palette().color(QPalette::ButtonText), QApplication::palette(widget).color(QPalette::ButtonText));
      }
      if ((label == nullptr || !label->pixmap().isNull()) && qobject_cast<QLineEdit*>(widget) == nullptr) continue;
      const QPalette::ColorRole role = label != nullptr ? QPalette::WindowText : QPalette::Text;
      EXPECT_EQ(widget->palette().color(role), colours[tab].value_or(QApplication::palette(widget).color(role)))
          << "tab " << tab << ": " << (label != nullptr ? label->text().toStdString() : "a field");
      ++drawn;
    }
    EXPECT_GT(drawn, 3) << "tab " << tab;
  }
}

}  // namespace
}  // namespace varnolix::test
