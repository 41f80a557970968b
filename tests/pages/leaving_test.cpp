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

// `entries` with field `id` typed as `keys` instead, or left out when `keys` is null.
Entries Except(Entries entries, int id, const char* keys = nullptr) {
  std::erase_if(entries, [id](const auto& entry) { return entry.first == id; });
  if (keys != nullptr) entries.insert(entries.begin(), {id, keys});
  return entries;
}

// The same text in every field of `entries`.
Entries AllAs(Entries entries, const char* text) {
  for (auto& entry : entries) entry.second = text;
  return entries;
}

constexpr const char* kBasicMissing = "Basic PM must have some value.";
constexpr const char* kSection80Warning =
    "Interest etc. 80L, Mediclaim 80D, 80A, 80 CCC, 80 DD, 80 DDB,  are zero or negative.";
constexpr const char* kSection88Warning =
    "PF Contribution, LIC Primea, Mutual Fund,Other Investments., Infrastructure Bonds,  are zero or negative.";

class PageTest : public SheetTest {
 protected:
  // A new sheet showing `tab`, with the Income page filled so that it leaves without a
  // word unless it is the page, and `entries` typed there; no box recorded so far.
  void ArriveAt(int tab, const Entries& entries) {
    OpenSheet();
    if (tab != kIncomeTab) FillPage(kIncomeTab, kIncomeAllPositive);
    FillPage(tab, entries);
    recorded.boxes.boxes.clear();
  }
  // Where a page is left for: the Section 80 page, or from there the Section 88 page.
  static int Onward(int tab) { return tab == kSection80Tab ? kSection88Tab : kSection80Tab; }
};

TEST_F(PageTest, LeavingShowsTheWarningAndLeavesOrStays) {
  const struct {
    const char* name;
    int tab;
    Entries entries;      // typed on that page, from empty
    const char* message;  // the one box shown on leaving, or none
    bool leaves;
  } cases[] = {
      {"IncomeEmpty", kIncomeTab, {}, kBasicMissing, false},
      {"IncomeBasicZero", kIncomeTab, Except(kIncomeAllPositive, income::kBasicPerMonth, "0.00"), kBasicMissing, false},
      {"IncomeOnlyBasic", kIncomeTab, {{income::kBasicPerMonth, "10000"}},
       "Allowences 1 PM, Allowences 2 PM,LTA Taxable annual, Rent PM, HRA received PM,  are zero or negative.", true},
      {"IncomeRentAndHraMissing", kIncomeTab,
       Except(Except(kIncomeAllPositive, income::kRentPerMonth), income::kHraReceivedPerMonth),
       "Rent PM, HRA received PM,  are zero or negative.", true},
      {"IncomeTinyBasic", kIncomeTab, Except(kIncomeAllPositive, income::kBasicPerMonth, "0.001"), nullptr, true},
      {"StandardDeductionEmpty", kStandardDeductionTab, {}, nullptr, true},
      {"Section80Empty", kSection80Tab, {}, kSection80Warning, true},
      {"Section80Zeros", kSection80Tab, AllAs(kSection80AllPositive, "0.0"), kSection80Warning, true},
      {"Section80OnlyMediclaimEmpty", kSection80Tab, Except(kSection80AllPositive, section80::k80D),
       "Mediclaim 80D,  are zero or negative.", true},
      {"Section80AllFilled", kSection80Tab, kSection80AllPositive, nullptr, true},
      {"Section88Empty", kSection88Tab, {}, kSection88Warning, true},
      {"Section88OnlyPpfFilled", kSection88Tab, {{section88::kPpf, "1"}}, kSection88Warning, true},
      {"Section88AllButPpfFilled", kSection88Tab, Except(kSection88AllPositive, section88::kPpf), nullptr, true},
      {"TaxResults", kTaxResultsTab, {}, nullptr, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ArriveAt(c.tab, c.entries);
    ClickTab(Onward(c.tab));
    if (c.message == nullptr) {
      EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{});
    } else {
      ASSERT_EQ(recorded.boxes.boxes.size(), 1u);
      EXPECT_EQ(recorded.boxes.boxes[0].text, c.message);
      EXPECT_EQ(recorded.boxes.boxes[0].caption, "Varnolix");
      EXPECT_EQ(recorded.boxes.boxes[0].type, MB_OK | MB_ICONINFORMATION);
    }
    EXPECT_EQ(sheet().GetActiveIndex(), c.leaves ? Onward(c.tab) : c.tab);
    EXPECT_EQ(TabBar()->currentIndex(), sheet().GetActiveIndex());
  }
}

// Reset clears the amounts but never the record that the page was shown. Fields already
// empty are set again, and a monthly one is echoed again.
TEST_F(PageTest, ResetClearsThePageButNotTheVisitedFlags) {
  const struct {
    int tab;
    int resetButton;
    Entries entries;
    Entries after;  // every field's text after Reset
    const char* messageOnLeaving;
    bool leaves;
  } cases[] = {
      {kIncomeTab, income::kReset, {{income::kBasicPerMonth, "10000"}, {income::kRentPerMonth, "5"}},
       {{income::kBasicPerMonth, ""}, {income::kAllowances1PerMonth, ""}, {income::kAllowances2PerMonth, ""},
        {income::kAnnualBasic, "0.00"}, {income::kAnnualAllowances1, "0.00"}, {income::kAnnualAllowances2, "0.00"},
        {income::kLtaTaxableAnnual, ""}, {income::kRentPerMonth, ""}, {income::kHraReceivedPerMonth, ""}},
       kBasicMissing, false},
      {kSection80Tab, section80::kReset, kSection80AllPositive, AllAs(kSection80AllPositive, "0"), kSection80Warning,
       true},
      {kSection88Tab, section88::kReset, kSection88AllPositive, AllAs(kSection88AllPositive, "0"), kSection88Warning,
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab);
    ArriveAt(c.tab, c.entries);
    ClickTab(kStandardDeductionTab);
    ClickTab(c.tab);
    const auto flags = [this] {
      return std::vector<int>{sheet().m_bSection88Visited, sheet().m_bSection80Visited, sheet().m_bStdDeductionVisited};
    };
    const std::vector<int> flagsBefore = flags();
    recorded.boxes.boxes.clear();

    ClickButton(c.resetButton, c.tab);
    for (const auto& [id, text] : c.after) EXPECT_EQ(Text(c.tab, id), text) << "field " << id;
    EXPECT_EQ(flags(), flagsBefore);
    EXPECT_TRUE(recorded.boxes.boxes.empty());
    ClickTab(Onward(c.tab));
    EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{c.messageOnLeaving});
    EXPECT_EQ(sheet().GetActiveIndex(), c.leaves ? Onward(c.tab) : c.tab);
  }
}

// Every label and field of a page in the page's colour, asked for at every repaint;
// buttons keep theirs.
TEST_F(PageTest, DrawsEveryLabelAndFieldInThePagesColour) {
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
