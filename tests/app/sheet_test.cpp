// The program's sheet as a person meets it: what it shows at start, the ways to change
// tabs and to close it, the About box, the help file, the flags that remember which
// pages were shown, and the order Tab takes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

#include "hyperlink/hyperlink.h"
#include "resources/resource_ids.h"
#include "tests/gui_support/modal_windows.h"
#include "tests/gui_support/sheet_fixture.h"
#include "varnolix/version.h"

namespace varnolix::test {
namespace {

using namespace ids;

void KeyInFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

COLORREF DrawnColour(QWidget* widget) {
  widget->repaint();  // a repaint asks for the colour again
  const QColor colour = widget->palette().color(QPalette::WindowText);
  return RGB(colour.red(), colour.green(), colour.blue());
}

TEST_F(SheetTest, StartsOnTheIncomeTabWithTheFocusInTheBasicSalary) {
  EXPECT_EQ(SheetWindow()->windowTitle(), "Varnolix");
  QStringList captions;
  for (int tab = 0; tab < TabBar()->count(); ++tab) captions << TabBar()->tabText(tab);
  EXPECT_EQ(captions, (QStringList{"Income", "Standard Deduction", "Section 80", "Section 88", "Tax Results"}));
  EXPECT_EQ(TabBar()->currentIndex(), kIncomeTab);
  EXPECT_EQ(sheet().GetActiveIndex(), kIncomeTab);
  EXPECT_EQ(QApplication::focusWidget(), Field(kIncomeTab, income::kBasicPerMonth));

  // The sheet's own buttons, from the left: the three for files, OK hidden, then the
  // three relabelled.
  QStringList texts;
  for (int id : {ids::sheet::kOpen, ids::sheet::kSave, ids::sheet::kPrint, IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
    QWidget* button = sheet().GetDlgItem(id)->GetSafeHwnd();
    if (button->isVisible() && button->isEnabled()) texts << sheet().GetDlgItem(id)->GetWindowText().c_str();
  }
  EXPECT_EQ(texts, (QStringList{"&Open…", "&Save…", "&Print…", "E&xit", "&Help", "&About"}));
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
  } ways[] = {
      {"ClickOnTab", [this] { ClickTab(kSection80Tab); }, kSection80Tab},
      {"CtrlTab", [] { KeyInFocus(Qt::Key_Tab, Qt::ControlModifier); }, kStandardDeductionTab},
      {"CtrlShiftTab", [] { KeyInFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, kTaxResultsTab},
      {"LeftOnTabBar", [&] { onTabBar(Qt::Key_Left); }, kTaxResultsTab},
  };
  for (const auto& way : ways) {
    for (bool mayLeave : {false, true}) {
      SCOPED_TRACE(std::string(way.name) + (mayLeave ? " allowed" : " refused"));
      OpenSheet();
      if (mayLeave) FillPage(kIncomeTab, kIncomeAllPositive);
      recorded.boxes.boxes.clear();
      way.act();
      const int expected = mayLeave ? way.destination : kIncomeTab;
      EXPECT_EQ(sheet().GetActiveIndex(), expected);
      EXPECT_EQ(TabBar()->currentIndex(), expected);
      const std::vector<std::string> boxes = mayLeave ? std::vector<std::string>{}
                                                      : std::vector<std::string>{"Basic PM must have some value."};
      EXPECT_EQ(recorded.boxes.Texts(), boxes);
    }
  }
}

// However the sheet is closed, typed entries are never lost without a word: it asks, and
// each answer does what it says. With nothing typed, or all of it saved, it closes at once.
TEST_F(SheetTest, AsksBeforeClosingOverUnsavedEntriesAndDoesWhatTheAnswerSays) {
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"ExitButton", [this] { ClickButton(IDCANCEL); }},
      {"EscapeInAField", [] { KeyInFocus(Qt::Key_Escape); }},
      {"AltXInAField", [] { KeyInFocus(Qt::Key_X, Qt::AltModifier); }},
      {"CloseBox", [this] { SheetWindow()->close(); }}};
  const std::string saved = QDir::tempPath().toStdString() + "/varnolix-closing.csv";
  const struct {
    const char* name;
    bool typed;
    std::deque<int> answers;
    std::deque<std::string> paths;  // what the file dialog answers
    bool closes;
  } cases[] = {
      {"nothing typed", false, {}, {}, true},
      {"Cancel", true, {IDCANCEL}, {}, false},
      {"Discard", true, {IDDISCARD}, {}, true},
      {"Save", true, {IDSAVE}, {saved}, true},
      {"Save, then no file chosen", true, {IDSAVE}, {}, false},
  };
  const auto closed = [this](int wait) { return QTest::qWaitFor([this] { return !SheetIsOpen(); }, wait); };
  for (const auto& [way, close] : ways) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(way) + ", " + c.name);
      OpenSheet();
      QFile::remove(QString::fromStdString(saved));
      recorded.boxes.boxes.clear();
      recorded.boxes.answers = c.answers;
      recorded.files.paths = c.paths;
      if (c.typed) TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
      close();
      // A mnemonic presses its button the way a click animates it: a moment later.
      EXPECT_EQ(closed(c.closes ? 2000 : 400), c.closes);
      EXPECT_EQ(recorded.boxes.Texts(), c.typed ? std::vector<std::string>{"Save changes?"} : std::vector<std::string>{});
      EXPECT_EQ(QFile::exists(QString::fromStdString(saved)), !c.paths.empty());
    }
  }

  // Saved or opened entries are kept until they change again. Ctrl+S and Ctrl+O work
  // from inside a field.
  recorded.boxes.boxes.clear();
  OpenSheet();
  TypeInto(kIncomeTab, income::kBasicPerMonth, "20000");
  recorded.files.paths = {saved};
  KeyInFocus(Qt::Key_S, Qt::ControlModifier);
  KeyInFocus(Qt::Key_Escape);
  EXPECT_TRUE(closed(2000));
  OpenSheet();
  recorded.files.paths = {saved};
  TypeInto(kIncomeTab, income::kAllowances1PerMonth, "5");
  recorded.boxes.answers = {IDDISCARD};
  KeyInFocus(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "20000");
  KeyInFocus(Qt::Key_Escape);
  EXPECT_TRUE(closed(2000));
  EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{"Save changes?"});  // only before the opening
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
  EXPECT_TRUE(SheetIsOpen());
}

// F1 anywhere and the "&About" button show a new About box every time, with the focus
// on OK, whichever way it is closed. Tab reaches its link, whose Space opens the maker's
// page, and each new box starts with a link not yet followed.
TEST_F(SheetTest, F1AndTheAboutButtonShowTheAboutBoxAndItsLink) {
  FillPage(kIncomeTab, kIncomeAllPositive);
  recorded.shell.answer = kShellOpened;
  const QString address = QString::fromUtf8(kHomepage.data(), static_cast<qsizetype>(kHomepage.size()));
  const auto followTheLink = [&](QWidget* box) {
    QLabel* link = nullptr;
    for (QLabel* label : box->findChildren<QLabel*>()) link = label->text() == address ? label : link;
    ASSERT_NE(link, nullptr) << "no link shows the address " << kHomepage;
    EXPECT_EQ(DrawnColour(link), CHyperLink::s_crLink);
    KeyInFocus(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link);
    QTest::keyClick(link, Qt::Key_Space);
    KeyInFocus(Qt::Key_Tab);
    EXPECT_EQ(DrawnColour(link), CHyperLink::s_crFollowed);
  };
  const struct {
    int tab;  // -1: the About button, else F1 in the first field of that tab
    CloseBy closeBy;
  } showings[] = {{-1, CloseBy::OkButton}, {kIncomeTab, CloseBy::EnterKey}, {kSection88Tab, CloseBy::EscapeKey}};
  for (const auto& showing : showings) {
    SCOPED_TRACE(showing.tab);
    if (showing.tab >= 0) ClickTab(showing.tab);
    const ExpectedModal about(showing.closeBy, showing.closeBy == CloseBy::EnterKey
                                                   ? std::function<void(QWidget*)>()
                                                   : std::function<void(QWidget*)>(followTheLink));
    if (showing.tab < 0) {
      ClickButton(IDHELP);
    } else {
      KeyInFocus(Qt::Key_F1);
    }
    ASSERT_TRUE(about.seen().appeared);
    EXPECT_EQ(about.seen().title, "About Varnolix");
    EXPECT_EQ(about.seen().focusedButton, "OK");
    EXPECT_TRUE(about.seen().window.isNull()) << "the box outlived its closing";
    EXPECT_TRUE(SheetIsOpen());
    // Offscreen, no window manager hands the activation back to the sheet.
    SheetWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(SheetWindow()));
  }
  ASSERT_EQ(recorded.shell.requests.size(), 2u);
  EXPECT_EQ(recorded.shell.requests.front().file, kHomepage);
  EXPECT_TRUE(recorded.boxes.boxes.empty());
}

// The help file of the current folder comes first; where it does not open, the manual
// installed beside the program; where neither opens, a box says where the manual is.
TEST_F(SheetTest, HelpOpensTheHelpFileElseTheManualElseSaysWhereTheManualIs) {
  const std::string manual =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" VARNOLIX_MANUAL_FROM_PROGRAM).toStdString();
  const struct {
    std::intptr_t help, manual;
    std::vector<std::string> opened;
    bool told;
  } cases[] = {
      {kShellOpened, kShellOpened, {"Varnolix.hlp"}, false},
      {SE_ERR_FNF, kShellOpened, {"Varnolix.hlp", manual}, false},
      {SE_ERR_NOASSOC, kShellOpened, {"Varnolix.hlp", manual}, false},  // nothing on this desktop reads it
      {SE_ERR_NOASSOC, SE_ERR_NOASSOC, {"Varnolix.hlp", manual}, true},
  };
  for (const auto& c : cases) {
    recorded.shell.requests.clear();
    recorded.boxes.boxes.clear();
    recorded.shell.answers = {{"Varnolix.hlp", c.help}, {manual, c.manual}};
    ClickButton(ID_APPLY_NOW);
    std::vector<std::string> opened;
    for (const ShellRequest& request : recorded.shell.requests) {
      opened.push_back(request.file);
      EXPECT_EQ(request.verb + "|" + request.parameters + "|" + request.directory, "open||");
    }
    EXPECT_EQ(opened, c.opened) << c.help;
    EXPECT_EQ(recorded.boxes.Texts(), c.told ? std::vector<std::string>{"No help could be opened. The manual is at:\n\n" + manual}
                                             : std::vector<std::string>{});
  }
  EXPECT_EQ(recorded.boxes.boxes.at(0).type, MB_OK | MB_ICONINFORMATION);
  EXPECT_TRUE(QFile::exists(QStringLiteral(VARNOLIX_BUILT_MANUAL))) << "the build folder has no manual beside the program";
  EXPECT_TRUE(SheetIsOpen());
}

// Tab runs through each page's controls in reading order.
TEST_F(SheetTest, TabVisitsEachPagesControlsInOrder) {
  const std::vector<std::vector<int>> stops{
      {income::kBasicPerMonth, income::kAllowances1PerMonth, income::kAllowances2PerMonth, income::kAnnualBasic,
       income::kAnnualAllowances1, income::kAnnualAllowances2, income::kLtaTaxableAnnual, income::kRentPerMonth,
       income::kHraReceivedPerMonth, income::kReset},
      {standard_deduction::kStandardDeduction, standard_deduction::kProfessionTax},
      {section80::k80L, section80::k80CCC, section80::k80D, section80::k80DD, section80::k80E, section80::k80DDB,
       section80::kReset},
      {section88::kPfContribution, section88::kLicPremium, section88::kPpf, section88::kMutualFund,
       section88::kOtherInvestments, section88::kInfrastructureBond, section88::kReset},
      {tax_results::kGrossSalary, tax_results::kTaxableHra, tax_results::kSection80Benefit,
       tax_results::kSection88Benefit, tax_results::kTaxPayable},
  };
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  for (int tab = kIncomeTab; tab <= kTaxResultsTab; ++tab) {
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    for (int id : stops[static_cast<size_t>(tab)]) {
      EXPECT_EQ(QApplication::focusWidget(), sheet().GetPage(tab)->GetDlgItem(id)->GetSafeHwnd())
          << "on tab " << tab << ", Tab should have reached control " << id;
      KeyInFocus(Qt::Key_Tab);
    }
  }
  // Then the sheet's buttons, in the order they stand.
  for (int id : {ids::sheet::kOpen, ids::sheet::kSave, ids::sheet::kPrint, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
    EXPECT_EQ(QApplication::focusWidget(), sheet().GetDlgItem(id)->GetSafeHwnd()) << "Tab should have reached button " << id;
    KeyInFocus(Qt::Key_Tab);
  }
}

}  // namespace
}  // namespace varnolix::test
