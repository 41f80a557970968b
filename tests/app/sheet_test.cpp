// The program's sheet as a person meets it: what it shows at start, its buttons and
// keys, the About box, the help file, and the flags that remember which pages were shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui_support/modal_windows.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

// The visible push buttons of the sheet itself (not of its pages), left to right.
std::vector<QPushButton*> VisibleSheetButtons(QWidget* sheetWindow) {
  std::vector<QPushButton*> buttons;
  for (QPushButton* button : sheetWindow->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
    if (button->isVisible()) buttons.push_back(button);
  }
  std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
  return buttons;
}

TEST_F(SheetTest, StartsOnTheIncomeTabWithTheFocusInTheBasicSalary) {
  EXPECT_EQ(SheetWindow()->windowTitle(), "Varnolix");
  ASSERT_EQ(TabBar()->count(), 5);
  const QStringList captions{"Income", "Standard Deduction", "Section 80", "Section 88", "Tax Results"};
  for (int tab = 0; tab < 5; ++tab) EXPECT_EQ(TabBar()->tabText(tab), captions[tab]);
  EXPECT_EQ(TabBar()->currentIndex(), kIncomeTab);
  EXPECT_EQ(sheet().GetActiveIndex(), kIncomeTab);
  EXPECT_EQ(QApplication::focusWidget(), Field(kIncomeTab, income::kBasicPerMonth));
}

TEST_F(SheetTest, ShowsExactlyTheButtonsExitHelpAndAbout) {
  QStringList texts;
  for (QPushButton* button : VisibleSheetButtons(SheetWindow())) {
    texts << button->text();
    EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
  }
  EXPECT_EQ(texts, (QStringList{"E&xit", "&Help", "&About"}));
}

struct CloseWay {
  const char* name;
  std::function<void(CWnd& sheet)> act;
};

void PrintTo(const CloseWay& way, std::ostream* os) { *os << way.name; }

class SheetClosingTest : public SheetTest, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(SheetClosingTest, ClosesTheSheetWithoutAWord) {
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  GetParam().act(sheet());
  // A mnemonic presses its button the way a click animates it: a moment later.
  EXPECT_TRUE(QTest::qWaitFor([this] { return !SheetIsOpen(); }, 2000));
  EXPECT_TRUE(recorded.boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SheetClosingTest,
    ::testing::Values(
        CloseWay{"ExitButton",
                 [](CWnd& sheet) { QTest::mouseClick(sheet.GetDlgItem(IDCANCEL)->GetSafeHwnd(), Qt::LeftButton); }},
        CloseWay{"EscapeInAField", [](CWnd&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        CloseWay{"AltXInAField",
                 [](CWnd&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier); }},
        CloseWay{"CloseBox", [](CWnd& sheet) { sheet.GetSafeHwnd()->close(); }}),
    NamedCase());

// Closing would throw away every amount typed, so Enter presses nothing that closes.
TEST_F(SheetTest, EnterInAnyFieldOfAnyPageNeverClosesTheSheet) {
  // Every page could be left, so a pressed OK would close the sheet at once.
  FillPage(kIncomeTab, {{income::kBasicPerMonth, "10000"}, {income::kAllowances1PerMonth, "1"},
                        {income::kAllowances2PerMonth, "1"}, {income::kLtaTaxableAnnual, "1"},
                        {income::kRentPerMonth, "1"}, {income::kHraReceivedPerMonth, "1"}});
  for (int tab = kIncomeTab; tab <= kTaxResultsTab; ++tab) {
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    for (QLineEdit* field : sheet().GetPage(tab)->GetSafeHwnd()->findChildren<QLineEdit*>()) {
      QTest::mouseClick(field, Qt::LeftButton);
      QTest::keyClick(field, Qt::Key_Return);
      QTest::keyClick(field, Qt::Key_Enter);
      ASSERT_TRUE(SheetIsOpen()) << "Enter closed the sheet on tab " << tab;
      EXPECT_EQ(sheet().GetActiveIndex(), tab);
    }
  }
  QTest::keyClick(SheetWindow(), Qt::Key_Return);
  QTest::keyClick(TabBar(), Qt::Key_Return);
  EXPECT_TRUE(SheetIsOpen());
}

struct AboutWay {
  const char* name;
  bool byF1;
  CloseBy closeBy;
};

void PrintTo(const AboutWay& way, std::ostream* os) { *os << way.name; }

class AboutBoxTest : public SheetTest, public ::testing::WithParamInterface<AboutWay> {};

// F1 anywhere in the sheet and the "&About" button show a new About box every time.
TEST_P(AboutBoxTest, OpensWithTheFocusOnOkAndCloses) {
  const AboutWay& way = GetParam();
  for (int showing = 1; showing <= 2; ++showing) {
    SCOPED_TRACE(showing);
    const ExpectedModal about(way.closeBy);
    if (way.byF1) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    } else {
      ClickSheetButton(IDHELP);
    }
    ASSERT_TRUE(about.seen().appeared);
    EXPECT_EQ(about.seen().title, "About Varnolix");
    EXPECT_EQ(about.seen().focusedButton, "OK");
    EXPECT_TRUE(about.seen().window.isNull()) << "the box outlived its closing";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(SheetIsOpen());
    // Offscreen, no window manager hands the activation back to the sheet.
    SheetWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(SheetWindow()));
  }
  EXPECT_TRUE(recorded.boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBoxTest,
                         ::testing::Values(AboutWay{"AboutButtonThenOk", false, CloseBy::OkButton},
                                           AboutWay{"AboutButtonThenEnter", false, CloseBy::EnterKey},
                                           AboutWay{"AboutButtonThenEscape", false, CloseBy::EscapeKey},
                                           AboutWay{"F1ThenOk", true, CloseBy::OkButton},
                                           AboutWay{"F1ThenEnter", true, CloseBy::EnterKey},
                                           AboutWay{"F1ThenEscape", true, CloseBy::EscapeKey}),
                         NamedCase());

TEST_F(SheetTest, F1OnAnotherPageAlsoShowsTheAboutBox) {
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  ClickTab(kSection88Tab);
  const ExpectedModal about(CloseBy::EscapeKey);
  QTest::keyClick(Field(kSection88Tab, section88::kPpf), Qt::Key_F1);
  EXPECT_EQ(about.seen().title, "About Varnolix");
}

// A missing help file is not reported, and the button keeps working.
TEST_F(SheetTest, HelpAsksTheShellToOpenTheHelpFileAndSaysNothingWhenItFails) {
  ClickSheetButton(ID_APPLY_NOW);
  ClickSheetButton(ID_APPLY_NOW);
  ASSERT_EQ(recorded.shell.requests.size(), 2u);
  for (const ShellRequest& request : recorded.shell.requests) {
    EXPECT_EQ(request.verb, "open");
    EXPECT_EQ(request.file, "Varnolix.hlp");
    EXPECT_EQ(request.parameters, "");
    EXPECT_EQ(request.directory, "");
    EXPECT_EQ(request.showCommand, SW_SHOW);
  }
  EXPECT_TRUE(recorded.boxes.boxes.empty());
  EXPECT_TRUE(SheetIsOpen());
  EXPECT_TRUE(sheet().GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
}

struct VisitCase {
  const char* name;
  std::vector<int> tabs;  // clicked in this order after the Income page
  int section88, section80, standardDeduction;
};

void PrintTo(const VisitCase& c, std::ostream* os) { *os << c.name; }

class VisitedFlagsTest : public SheetTest, public ::testing::WithParamInterface<VisitCase> {};

// A flag is set by its page's activation, never cleared; pages never shown have no window.
TEST_P(VisitedFlagsTest, RecordExactlyThePagesShown) {
  const VisitCase& c = GetParam();
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  std::vector<bool> shown(5, false);
  shown[kIncomeTab] = true;
  for (int tab : c.tabs) {
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    shown[static_cast<size_t>(tab)] = true;
  }
  EXPECT_EQ(sheet().m_bSection88Visited, c.section88);
  EXPECT_EQ(sheet().m_bSection80Visited, c.section80);
  EXPECT_EQ(sheet().m_bStdDeductionVisited, c.standardDeduction);
  for (int tab = 0; tab < 5; ++tab) {
    EXPECT_EQ(sheet().GetPage(tab)->IsCreated(), shown[static_cast<size_t>(tab)]) << "tab " << tab;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Visits, VisitedFlagsTest,
    ::testing::Values(VisitCase{"NothingButIncome", {}, 0, 0, 0},
                      VisitCase{"TaxResultsFirst", {kTaxResultsTab}, 0, 0, 0},
                      VisitCase{"Section80Only", {kSection80Tab, kIncomeTab}, 0, 1, 0},
                      VisitCase{"Section88ThenBack", {kSection88Tab, kIncomeTab}, 1, 0, 0},
                      VisitCase{"StandardDeductionThenResults", {kStandardDeductionTab, kTaxResultsTab}, 0, 0, 1},
                      VisitCase{"EveryPageAndBack",
                                {kStandardDeductionTab, kSection80Tab, kSection88Tab, kTaxResultsTab, kIncomeTab},
                                1, 1, 1}),
    NamedCase());

struct Stop {
  int id;
  const char* label;  // the label that names the control, if any
};

// Each page's tab stops in the order Tab visits them, with the labels beside them.
const std::vector<std::vector<Stop>> kTabStops{
    {{income::kBasicPerMonth, "Basic Per Month:"}, {income::kAllowances1PerMonth, "Allowances1 pm:"},
     {income::kAllowances2PerMonth, "Allowances 2 pm:"}, {income::kAnnualBasic, nullptr},
     {income::kAnnualAllowances1, nullptr}, {income::kAnnualAllowances2, nullptr},
     {income::kLtaTaxableAnnual, "LTA Taxable Annual:"}, {income::kRentPerMonth, "Rent Per Month:"},
     {income::kHraReceivedPerMonth, "HRA Received pm :"}, {income::kReset, nullptr}},
    {{standard_deduction::kStandardDeduction, "Standard Deduction:"},
     {standard_deduction::kProfessionTax, "Professional Tax:"}},
    {{section80::k80L, "Interest etc., 80L:"}, {section80::k80CCC, "80 CCC:"}, {section80::k80D, "Mediclaim 80D:"},
     {section80::k80DD, "80 DD:"}, {section80::k80E, "80 E:"}, {section80::k80DDB, "80 DDB:"},
     {section80::kReset, nullptr}},
    {{section88::kPfContribution, "PF Contribution PA:"}, {section88::kLicPremium, "Lic. Primea:"},
     {section88::kPpf, "PPF PA:"}, {section88::kMutualFund, "Mutual Fund:"},
     {section88::kOtherInvestments, "Other Investments:"}, {section88::kInfrastructureBond, "Infrastructure Bond:"},
     {section88::kReset, nullptr}},
    {{tax_results::kGrossSalary, "Gross Salary:"}, {tax_results::kTaxableHra, "Taxable HRA:"},
     {tax_results::kSection80Benefit, "Exemption benefit under 80:"},
     {tax_results::kSection88Benefit, "Exemption benefit under 88:"}, {tax_results::kTaxPayable, "Tax Payable:"}},
};

// Tab runs through each page in reading order, and each label names its field for
// screen readers.
TEST_F(SheetTest, TabVisitsEachPagesControlsInOrderAndLabelsNameTheirFields) {
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  for (int tab = kIncomeTab; tab <= kTaxResultsTab; ++tab) {
    SCOPED_TRACE(tab);
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    const CPropertyPage& page = *sheet().GetPage(tab);
    const QList<QLabel*> labels = page.GetSafeHwnd()->findChildren<QLabel*>();
    for (const Stop& stop : kTabStops[static_cast<size_t>(tab)]) {
      QWidget* control = page.GetDlgItem(stop.id)->GetSafeHwnd();
      EXPECT_EQ(QApplication::focusWidget(), control) << "Tab should have reached control " << stop.id;
      if (stop.label != nullptr) {
        EXPECT_EQ(control->accessibleName(), stop.label);
        const auto named =
            std::find_if(labels.begin(), labels.end(), [&](QLabel* label) { return label->text() == stop.label; });
        ASSERT_NE(named, labels.end());
        EXPECT_EQ((*named)->buddy(), control) << stop.label;
      }
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
  }
}

}  // namespace
}  // namespace varnolix::test
