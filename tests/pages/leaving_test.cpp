// What each page says when it is left, whether it lets the person go, what its
// Reset button leaves behind, and the colours its texts are drawn in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <optional>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

using Entries = std::vector<std::pair<int, const char*>>;

const Entries kIncomeAllPositive{{income::kBasicPerMonth, "10000"},    {income::kAllowances1PerMonth, "1"},
                                 {income::kAllowances2PerMonth, "1"}, {income::kLtaTaxableAnnual, "1"},
                                 {income::kRentPerMonth, "1"},        {income::kHraReceivedPerMonth, "1"}};
const Entries kSection80AllPositive{{section80::k80L, "5"},   {section80::k80D, "6"},  {section80::k80E, "7"},
                                    {section80::k80CCC, "8"}, {section80::k80DD, "9"}, {section80::k80DDB, "10"}};
const Entries kSection88AllPositive{{section88::kPfContribution, "5"},    {section88::kLicPremium, "6"},
                                    {section88::kPpf, "7"},               {section88::kMutualFund, "8"},
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
  // Shows `tab` with the Income page filled so that it leaves without a word, then
  // types `entries` there; the boxes recorded so far are forgotten.
  void ArriveAt(int tab, const Entries& entries) {
    for (const auto& [id, keys] : kIncomeAllPositive) TypeInto(kIncomeTab, id, keys);
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    for (const auto& [id, keys] : entries) TypeInto(tab, id, keys);
    recorded.boxes.boxes.clear();
  }
};

struct LeaveCase {
  const char* name;
  int tab;
  Entries entries;  // typed on that page, from empty
  const char* message;  // the one box shown on leaving, or none
  bool leaves;
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }

class LeavingTest : public PageTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeavingTest, ShowsTheWarningAndLeavesOrStays) {
  const LeaveCase& c = GetParam();
  if (c.tab == kIncomeTab) {
    for (const auto& [id, keys] : c.entries) TypeInto(kIncomeTab, id, keys);
  } else {
    ArriveAt(c.tab, c.entries);
  }
  const int target = c.tab == kSection80Tab ? kSection88Tab : kSection80Tab;
  ClickTab(target);

  if (c.message == nullptr) {
    EXPECT_TRUE(recorded.boxes.boxes.empty()) << recorded.boxes.boxes.front().text;
  } else {
    ASSERT_EQ(recorded.boxes.boxes.size(), 1u);
    EXPECT_EQ(recorded.boxes.boxes[0].text, c.message);
    EXPECT_EQ(recorded.boxes.boxes[0].caption, "Varnolix");
    EXPECT_EQ(recorded.boxes.boxes[0].type, MB_OK | MB_ICONINFORMATION);
  }
  EXPECT_EQ(sheet().GetActiveIndex(), c.leaves ? target : c.tab);
  EXPECT_EQ(TabBar()->currentIndex(), sheet().GetActiveIndex());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, LeavingTest,
    ::testing::Values(
        LeaveCase{"IncomeEmpty", kIncomeTab, {}, kBasicMissing, false},
        LeaveCase{"IncomeBasicZeroOthersFilled", kIncomeTab, Except(kIncomeAllPositive, income::kBasicPerMonth, "0.00"),
                  kBasicMissing, false},
        LeaveCase{"IncomeOnlyBasic", kIncomeTab, {{income::kBasicPerMonth, "10000"}},
                  "Allowences 1 PM, Allowences 2 PM,LTA Taxable annual, Rent PM, HRA received PM,  are zero or "
                  "negative.",
                  true},
        LeaveCase{"IncomeRentAndHraMissing", kIncomeTab,
                  Except(Except(kIncomeAllPositive, income::kRentPerMonth), income::kHraReceivedPerMonth),
                  "Rent PM, HRA received PM,  are zero or negative.", true},
        LeaveCase{"IncomeTinyBasicAllFilled", kIncomeTab, Except(kIncomeAllPositive, income::kBasicPerMonth, "0.001"),
                  nullptr, true},
        LeaveCase{"StandardDeductionEmpty", kStandardDeductionTab, {}, nullptr, true},
        LeaveCase{"Section80Empty", kSection80Tab, {}, kSection80Warning, true},
        LeaveCase{"Section80Zeros", kSection80Tab, AllAs(kSection80AllPositive, "0.0"), kSection80Warning, true},
        LeaveCase{"Section80OnlyMediclaimEmpty", kSection80Tab, Except(kSection80AllPositive, section80::k80D),
                  "Mediclaim 80D,  are zero or negative.", true},
        LeaveCase{"Section80AllFilled", kSection80Tab, kSection80AllPositive, nullptr, true},
        LeaveCase{"Section88Empty", kSection88Tab, {}, kSection88Warning, true},
        LeaveCase{"Section88OnlyPpfFilled", kSection88Tab, {{section88::kPpf, "1"}}, kSection88Warning, true},
        LeaveCase{"Section88AllButPpfFilled", kSection88Tab, Except(kSection88AllPositive, section88::kPpf), nullptr,
                  true},
        LeaveCase{"TaxResults", kTaxResultsTab, {}, nullptr, true}),
    NamedCase());

struct ResetCase {
  const char* name;
  int tab;
  int resetButton;
  Entries entries;
  Entries after;  // every field's text after Reset
  const char* messageOnLeaving;
  bool leaves;
};
void PrintTo(const ResetCase& c, std::ostream* os) { *os << c.name; }

class ResetTest : public PageTest, public ::testing::WithParamInterface<ResetCase> {};

// Reset clears the amounts but never the record that the page was shown.
TEST_P(ResetTest, ClearsThePageButNotTheVisitedFlags) {
  const ResetCase& c = GetParam();
  ArriveAt(c.tab, c.entries);
  ClickTab(kIncomeTab);
  ClickTab(c.tab);
  const auto flags = [this] {
    return std::vector<int>{sheet().m_bSection88Visited, sheet().m_bSection80Visited, sheet().m_bStdDeductionVisited};
  };
  const std::vector<int> flagsBefore = flags();
  recorded.boxes.boxes.clear();

  ClickPageButton(c.tab, c.resetButton);
  for (const auto& [id, text] : c.after) EXPECT_EQ(Text(c.tab, id), text) << "field " << id;
  EXPECT_EQ(flags(), flagsBefore);
  EXPECT_TRUE(recorded.boxes.boxes.empty());

  const int target = c.tab == kSection80Tab ? kSection88Tab : kSection80Tab;
  ClickTab(target);
  EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{c.messageOnLeaving});
  EXPECT_EQ(sheet().GetActiveIndex(), c.leaves ? target : c.tab);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ResetTest,
    ::testing::Values(ResetCase{"Income",
                                kIncomeTab,
                                income::kReset,
                                {},
                                {{income::kBasicPerMonth, ""}, {income::kAllowances1PerMonth, ""},
                                 {income::kAllowances2PerMonth, ""}, {income::kAnnualBasic, "0.00"},
                                 {income::kAnnualAllowances1, "0.00"}, {income::kAnnualAllowances2, "0.00"},
                                 {income::kLtaTaxableAnnual, ""}, {income::kRentPerMonth, ""},
                                 {income::kHraReceivedPerMonth, ""}},
                                kBasicMissing,
                                false},
                      ResetCase{"Section80", kSection80Tab, section80::kReset, kSection80AllPositive,
                                AllAs(kSection80AllPositive, "0"), kSection80Warning, true},
                      ResetCase{"Section88", kSection88Tab, section88::kReset, kSection88AllPositive,
                                AllAs(kSection88AllPositive, "0"), kSection88Warning, true}),
    NamedCase());

struct ColourCase {
  const char* name;
  int tab;
  std::optional<QColor> colour;  // none: the standard colours
};
void PrintTo(const ColourCase& c, std::ostream* os) { *os << c.name; }

class PageColourTest : public PageTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(PageColourTest, DrawsEveryLabelAndFieldInThePagesColour) {
  const ColourCase& c = GetParam();
  ArriveAt(c.tab, {});
  int drawn = 0;
  for (QWidget* widget : sheet().GetPage(c.tab)->GetSafeHwnd()->findChildren<QWidget*>()) {
    auto* label = qobject_cast<QLabel*>(widget);
    const bool isText = (label != nullptr && label->pixmap().isNull()) || qobject_cast<QLineEdit*>(widget) != nullptr;
    if (!isText) continue;
    widget->grab();  // a repaint asks the page for the colour again
    const QPalette::ColorRole role = label != nullptr ? QPalette::WindowText : QPalette::Text;
    const QColor expected = c.colour.value_or(QApplication::palette(widget).color(role));
    EXPECT_EQ(widget->palette().color(role), expected)
        << (label != nullptr ? label->text().toStdString() : "field") << " is drawn in "
        << widget->palette().color(role).name().toStdString();
    ++drawn;
  }
  EXPECT_GT(drawn, 3);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageColourTest,
                         ::testing::Values(ColourCase{"Income", kIncomeTab, QColor(0, 125, 0)},
                                           ColourCase{"StandardDeduction", kStandardDeductionTab, QColor(0, 0, 125)},
                                           ColourCase{"Section80", kSection80Tab, QColor(125, 0, 125)},
                                           ColourCase{"Section88", kSection88Tab, std::nullopt},
                                           ColourCase{"TaxResults", kTaxResultsTab, QColor(255, 0, 0)}),
                         NamedCase());

}  // namespace
}  // namespace varnolix::test
