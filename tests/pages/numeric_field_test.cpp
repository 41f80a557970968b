// The amount fields as a person types into them: the annual echo after every key,
// the filter on typed characters, and text that arrives by pasting, unfiltered.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <memory>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

class NumericFieldTest : public SheetTest {
 protected:
  // Every page's amount fields exist once the page has been shown.
  void ShowEveryInputPage() {
    TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
    for (int tab : {kStandardDeductionTab, kSection80Tab, kSection88Tab, kIncomeTab}) ClickTab(tab);
  }

  // Pastes `text` through the field's context menu, as a person would.
  void PasteInto(int tab, int id, const QString& text) {
    QLineEdit* field = Field(tab, id);
    ASSERT_NE(field, nullptr);
    QTest::mouseClick(field, Qt::LeftButton);
    QApplication::clipboard()->setText(text);
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text().startsWith(QStringLiteral("&Paste"))) paste = action;
    }
    ASSERT_NE(paste, nullptr) << "the context menu has no Paste";
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
  }
};

struct EchoPair {
  const char* name;
  int monthly;
  int annual;
};
void PrintTo(const EchoPair& pair, std::ostream* os) { *os << pair.name; }

class AnnualEchoTest : public NumericFieldTest, public ::testing::WithParamInterface<EchoPair> {};

TEST_P(AnnualEchoTest, FollowsEveryKeystroke) {
  const EchoPair& pair = GetParam();
  QLineEdit* monthly = Field(kIncomeTab, pair.monthly);
  QTest::mouseClick(monthly, Qt::LeftButton);
  const std::pair<Qt::Key, const char*> keys[] = {
      {Qt::Key_1, "12.00"},         {Qt::Key_5, "180.00"},        {Qt::Key_0, "1800.00"},
      {Qt::Key_0, "18000.00"},      {Qt::Key_Backspace, "1800.00"}, {Qt::Key_Backspace, "180.00"},
      {Qt::Key_Backspace, "12.00"}, {Qt::Key_Backspace, "0.00"},
  };
  for (const auto& [key, annual] : keys) {
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(Text(kIncomeTab, pair.annual), annual) << "with \"" << Text(kIncomeTab, pair.monthly) << "\" typed";
  }
}

INSTANTIATE_TEST_SUITE_P(MonthlyFields, AnnualEchoTest,
                         ::testing::Values(EchoPair{"Basic", income::kBasicPerMonth, income::kAnnualBasic},
                                           EchoPair{"Allowances1", income::kAllowances1PerMonth,
                                                    income::kAnnualAllowances1},
                                           EchoPair{"Allowances2", income::kAllowances2PerMonth,
                                                    income::kAnnualAllowances2}),
                         NamedCase());

struct TypedKey {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};
void PrintTo(const TypedKey& key, std::ostream* os) { *os << key.name; }

class RefusedKeyTest : public NumericFieldTest, public ::testing::WithParamInterface<TypedKey> {};

// The text is selected, so any key that got through would change it: typed over,
// cut, pasted over or undone.
TEST_P(RefusedKeyTest, LeavesTheTextAsItWas) {
  QApplication::clipboard()->setText(QStringLiteral("999"));
  TypeInto(kIncomeTab, income::kBasicPerMonth, "12");
  QLineEdit* basic = Field(kIncomeTab, income::kBasicPerMonth);
  QTest::keyClick(basic, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClick(QApplication::focusWidget(), GetParam().key, GetParam().modifiers);
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "12");
  EXPECT_EQ(Text(kIncomeTab, income::kAnnualBasic), "144.00");
}

INSTANTIATE_TEST_SUITE_P(Keys, RefusedKeyTest,
                         ::testing::Values(TypedKey{"Letter", Qt::Key_A, Qt::NoModifier},
                                           TypedKey{"CapitalLetter", Qt::Key_E, Qt::ShiftModifier},
                                           TypedKey{"Minus", Qt::Key_Minus, Qt::NoModifier},
                                           TypedKey{"Plus", Qt::Key_Plus, Qt::ShiftModifier},
                                           TypedKey{"Comma", Qt::Key_Comma, Qt::NoModifier},
                                           TypedKey{"Blank", Qt::Key_Space, Qt::NoModifier},
                                           TypedKey{"CtrlV", Qt::Key_V, Qt::ControlModifier},
                                           TypedKey{"CtrlX", Qt::Key_X, Qt::ControlModifier},
                                           TypedKey{"CtrlZ", Qt::Key_Z, Qt::ControlModifier}),
                         NamedCase());

// Each amount field of each input page is a numeric field, and read-only fields
// take nothing.
TEST_F(NumericFieldTest, EveryAmountFieldKeepsOnlyDigitsAndPoints) {
  ShowEveryInputPage();
  for (int tab : {kIncomeTab, kStandardDeductionTab, kSection80Tab, kSection88Tab}) {
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    for (QLineEdit* field : sheet().GetPage(tab)->GetSafeHwnd()->findChildren<QLineEdit*>()) {
      const int id = CWnd::FromHandle(field)->GetDlgCtrlID();
      const std::string before = field->text().toStdString();
      TypeInto(tab, id, "7a-+, x.5e");
      const std::string expected = field->isReadOnly() ? before : before + "7.5";
      EXPECT_EQ(field->text().toStdString(), expected) << "field " << id << " on tab " << tab;
    }
  }
}

TEST_F(NumericFieldTest, SecondPointsCanBeTypedAndBackspaceAndDeleteEdit) {
  TypeInto(kIncomeTab, income::kBasicPerMonth, "1.2.3");
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "1.2.3");
  EXPECT_EQ(Text(kIncomeTab, income::kAnnualBasic), "14.40");

  QWidget* basic = Field(kIncomeTab, income::kBasicPerMonth);
  QTest::keyClick(basic, Qt::Key_Home);
  QTest::keyClick(basic, Qt::Key_Delete);
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), ".2.3");
  QTest::keyClick(basic, Qt::Key_End);
  QTest::keyClick(basic, Qt::Key_Backspace);
  QTest::keyClick(basic, Qt::Key_Backspace);
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), ".2");
  EXPECT_EQ(Text(kIncomeTab, income::kAnnualBasic), "2.40");
}

struct PasteCase {
  const char* name;
  QString pasted;
  const char* annualEcho;
  bool basicCounts;  // above 0, so the Income page may be left
};
void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }

class PasteTest : public NumericFieldTest, public ::testing::WithParamInterface<PasteCase> {};

// Pasted text is not filtered; whatever it holds, the echo and the results still
// show amount text and the program goes on.
TEST_P(PasteTest, IsTakenAsItIsAndTheProgramGoesOn) {
  const PasteCase& c = GetParam();
  PasteInto(kIncomeTab, income::kBasicPerMonth, c.pasted);
  const QString shown = Field(kIncomeTab, income::kBasicPerMonth)->text();
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_TRUE(c.pasted.startsWith(shown)) << "the field holds text that was not pasted";
  EXPECT_EQ(Text(kIncomeTab, income::kAnnualBasic), c.annualEcho);

  TypeInto(kIncomeTab, income::kAllowances1PerMonth, "1000");
  ClickTab(kTaxResultsTab);
  if (c.basicCounts) {
    ASSERT_EQ(sheet().GetActiveIndex(), kTaxResultsTab);
    const QRegularExpression amountText(QStringLiteral("^-?([0-9]+\\.[0-9][0-9]|inf|nan)$"));
    const Results results = ReadResults();
    for (const std::string& text : {results.taxableHra, results.grossSalary, results.section80Benefit,
                                    results.section88Benefit, results.taxPayable}) {
      EXPECT_TRUE(amountText.match(QString::fromStdString(text)).hasMatch()) << text;
    }
  } else {
    EXPECT_EQ(sheet().GetActiveIndex(), kIncomeTab);
    EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{"Basic PM must have some value."});
  }
  EXPECT_TRUE(SheetIsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PasteTest,
    ::testing::Values(PasteCase{"Negative", QStringLiteral("-500"), "-6000.00", false},
                      PasteCase{"Letters", QStringLiteral("abc"), "0.00", false},
                      PasteCase{"NotANumberWord", QStringLiteral("nan"), "0.00", false},
                      PasteCase{"BeyondDouble", QStringLiteral("1e999"), "inf", true},
                      PasteCase{"HundredThousandDigits", QString(100000, QLatin1Char('9')), "inf", true},
                      PasteCase{"GroupedDigits", QStringLiteral("1,500"), "12.00", true}),
    NamedCase());

TEST_F(NumericFieldTest, APastedNegativeAllowanceIsEchoedWithAMinusAndWarnedAbout) {
  FillPage(kIncomeTab, {{income::kBasicPerMonth, "10000"}, {income::kAllowances2PerMonth, "1"},
                        {income::kLtaTaxableAnnual, "1"}, {income::kRentPerMonth, "1"},
                        {income::kHraReceivedPerMonth, "1"}});
  PasteInto(kIncomeTab, income::kAllowances1PerMonth, QStringLiteral("-2.5"));
  EXPECT_EQ(Text(kIncomeTab, income::kAnnualAllowances1), "-30.00");
  ClickTab(kSection80Tab);
  EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{"Allowences 1 PM,  are zero or negative."});
  EXPECT_EQ(sheet().GetActiveIndex(), kSection80Tab);
}

}  // namespace
}  // namespace varnolix::test
