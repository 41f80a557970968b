// The program's sheet as a person meets it: what it shows at start, the ways to change
// tabs and to close it, the About box, the help file, the flags that remember which
// pages were shown, and the order Tab takes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
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


void KeyInFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

TEST_F(SheetTest, StartsOnTheIncomeTabWithTheFocusInTheBasicSalary) {
  EXPECT_EQ(SheetWindow()->windowTitle(), "Varnolix");
  QStringList captions;
  for (int tab = 0; tab < TabBar()->count(); ++tab) captions << TabBar()->tabText(tab);
  EXPECT_EQ(captions, (QStringList{"Income", "Standard Deduction", "Section 80", "Section 88", "Tax Results"}));
  EXPECT_EQ(TabBar()->currentIndex(), kIncomeTab);
  EXPECT_EQ(sheet().GetActiveIndex(), kIncomeTab);
  EXPECT_EQ(QApplication::focusWidget(), Field(kIncomeTab, income::kBasicPerMonth));

  std::vector<QPushButton*> buttons;  // the sheet's own, not its pages'
  for (QPushButton* button : SheetWindow()->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
    if (button->isVisible()) buttons.push_back(button);
  }
  std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
  QStringList texts;
  for (QPushButton* button : buttons) texts << button->text() + (button->isEnabled() ? "" : " (disabled)");
  EXPECT_EQ(texts, (QStringList{"E&xit", "&Help", "&About"}));
}

// However the person tries to change tabs, the page being left is asked once, and the
// Income page refuses while the basic salary is not above 0.
TEST_F(SheetTest, EveryWayOfChangingTabsAsksThePageBeingLeft) {
  auto onTabBar = [this](Qt::Key key) {
    TabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(TabBar(), key);
  };
  const struct {
    const char* name;
    std::function<void()> act;
    int destination;
    int from = kIncomeTab;
  } ways[] = {
      {"ClickOnTab", [this] { ClickTab(kSection80Tab); }, kSection80Tab},
      {"CtrlTab", [] { KeyInFocus(Qt::Key_Tab, Qt::ControlModifier); }, kStandardDeductionTab},
      {"CtrlPageDown", [] { KeyInFocus(Qt::Key_PageDown, Qt::ControlModifier); }, kStandardDeductionTab},
      {"CtrlShiftTab", [] { KeyInFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, kTaxResultsTab},
      {"CtrlPageUp", [] { KeyInFocus(Qt::Key_PageUp, Qt::ControlModifier); }, kTaxResultsTab},
      {"RightOnTabBar", [&] { onTabBar(Qt::Key_Right); }, kStandardDeductionTab},
      {"DownOnTabBar", [&] { onTabBar(Qt::Key_Down); }, kStandardDeductionTab},
      {"LeftOnTabBar", [&] { onTabBar(Qt::Key_Left); }, kTaxResultsTab},
      {"UpOnTabBar", [&] { onTabBar(Qt::Key_Up); }, kTaxResultsTab},
      {"EndOnTabBar", [&] { onTabBar(Qt::Key_End); }, kTaxResultsTab},
      {"HomeOnTabBar", [&] { onTabBar(Qt::Key_Home); }, kIncomeTab, kStandardDeductionTab},
  };
  for (const auto& way : ways) {
    for (bool mayLeave : {false, true}) {
      if (way.from != kIncomeTab && !mayLeave) continue;
      SCOPED_TRACE(std::string(way.name) + (mayLeave ? " allowed" : " refused"));
      OpenSheet();
      if (mayLeave) FillPage(kIncomeTab, kIncomeAllPositive);
      ClickTab(way.from);
      ASSERT_EQ(sheet().GetActiveIndex(), way.from);
      recorded.boxes.boxes.clear();
      way.act();
      const int expected = mayLeave ? way.destination : way.from;
      EXPECT_EQ(sheet().GetActiveIndex(), expected);
      EXPECT_EQ(TabBar()->currentIndex(), expected);
      const std::vector<std::string> boxes = mayLeave ? std::vector<std::string>{}
                                                      : std::vector<std::string>{"Basic PM must have some value."};
      EXPECT_EQ(recorded.boxes.Texts(), boxes);
    }
  }
}

TEST_F(SheetTest, ClosesWithoutAWord) {
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"ExitButton", [this] { ClickButton(IDCANCEL); }},
      {"EscapeInAField", [] { KeyInFocus(Qt::Key_Escape); }},
      {"AltXInAField", [] { KeyInFocus(Qt::Key_X, Qt::AltModifier); }},
      {"CloseBox", [this] { SheetWindow()->close(); }}};
  for (const auto& [name, close] : ways) {
    OpenSheet();
    TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
    close();
    // A mnemonic presses its button the way a click animates it: a moment later.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !SheetIsOpen(); }, 2000)) << name;
    EXPECT_TRUE(recorded.boxes.boxes.empty()) << name;
  }
}

// Closing would throw away every amount typed, so Enter presses nothing that closes,
// even with every page ready to be left.
TEST_F(SheetTest, EnterInAnyFieldOfAnyPageNeverClosesTheSheet) {
  FillPage(kIncomeTab, kIncomeAllPositive);
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

// F1 anywhere and the "&About" button show a new About box every time, with the focus
// on OK, whichever way it is closed.
TEST_F(SheetTest, F1AndTheAboutButtonShowTheAboutBox) {
  FillPage(kIncomeTab, kIncomeAllPositive);
  const struct {
    int tab;  // -1: the About button, else F1 in the first field of that tab
    CloseBy closeBy;
  } showings[] = {{-1, CloseBy::OkButton},           {-1, CloseBy::EnterKey},          {-1, CloseBy::EscapeKey},
                  {kIncomeTab, CloseBy::OkButton},   {kIncomeTab, CloseBy::EnterKey},  {kSection88Tab, CloseBy::EscapeKey}};
  for (const auto& showing : showings) {
    SCOPED_TRACE(showing.tab);
    if (showing.tab >= 0) ClickTab(showing.tab);
    const ExpectedModal about(showing.closeBy);
    if (showing.tab < 0) {
      ClickButton(IDHELP);
    } else {
      KeyInFocus(Qt::Key_F1);
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

// The help file of the current folder comes first; without one, the manual installed
// beside the program. Neither failure is reported, and the button keeps working.
TEST_F(SheetTest, HelpOpensTheHelpFileElseTheManualAndSaysNothingWhenItFails) {
  const std::string manual = QCoreApplication::applicationDirPath().toStdString() + "/" VARNOLIX_MANUAL_FROM_PROGRAM;
  const struct {
    std::intptr_t answer;
    std::vector<std::string> opened;
  } cases[] = {
      {SE_ERR_FNF, {"Varnolix.hlp", manual}},
      {kShellOpened, {"Varnolix.hlp"}},
      {SE_ERR_NOASSOC, {"Varnolix.hlp"}},  // there is a help file; nothing on this desktop reads it
  };
  for (const auto& c : cases) {
    recorded.shell.requests.clear();
    recorded.shell.answer = c.answer;
    ClickButton(ID_APPLY_NOW);
    std::vector<std::string> opened;
    for (const ShellRequest& request : recorded.shell.requests) {
      opened.push_back(request.file);
      EXPECT_EQ(request.verb + "|" + request.parameters + "|" + request.directory, "open||");
      EXPECT_EQ(request.showCommand, SW_SHOW);
    }
    EXPECT_EQ(opened, c.opened) << c.answer;
  }
  EXPECT_TRUE(QFile::exists(QStringLiteral(VARNOLIX_BUILT_MANUAL))) << "the build folder has no manual beside the program";
  EXPECT_TRUE(recorded.boxes.boxes.empty());
  EXPECT_TRUE(SheetIsOpen());
}

// A flag is set by its page's showing and never cleared; pages never shown have no window.
TEST_F(SheetTest, VisitedFlagsRecordExactlyThePagesShown) {
  const struct {
    std::vector<int> tabs;  // clicked in this order after the Income page
    int section88, section80, standardDeduction;
  } cases[] = {{{}, 0, 0, 0},
               {{kTaxResultsTab}, 0, 0, 0},
               {{kSection80Tab, kIncomeTab}, 0, 1, 0},
               {{kSection88Tab, kIncomeTab}, 1, 0, 0},
               {{kStandardDeductionTab, kTaxResultsTab}, 0, 0, 1},
               {{kStandardDeductionTab, kSection80Tab, kSection88Tab, kTaxResultsTab, kIncomeTab}, 1, 1, 1}};
  for (const auto& c : cases) {
    OpenSheet();
    TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
    std::vector<bool> shown{true, false, false, false, false};
    for (int tab : c.tabs) {
      ClickTab(tab);
      ASSERT_EQ(sheet().GetActiveIndex(), tab);
      shown[static_cast<size_t>(tab)] = true;
    }
    const std::vector<int> flags{sheet().m_bSection88Visited, sheet().m_bSection80Visited,
                                 sheet().m_bStdDeductionVisited};
    EXPECT_EQ(flags, (std::vector<int>{c.section88, c.section80, c.standardDeduction})) << c.tabs.size();
    for (int tab = 0; tab < 5; ++tab) {
      EXPECT_EQ(sheet().GetPage(tab)->IsCreated(), shown[static_cast<size_t>(tab)]) << "tab " << tab;
    }
  }
}

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
      KeyInFocus(Qt::Key_Tab);
    }
  }
}

}  // namespace
}  // namespace varnolix::test
