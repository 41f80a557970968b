// The amount fields as a person types into them: the annual echo after every key, the
// filter on typed characters, and text that arrives by pasting, unfiltered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTest>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;
using NumericFieldTest = SheetTest;

TEST_F(NumericFieldTest, EachMonthlyFieldIsEchoedTimesTwelveAfterEveryKey) {
  for (const auto& [monthly, annual] : {std::pair{income::kBasicPerMonth, income::kAnnualBasic},
                                        std::pair{income::kAllowances1PerMonth, income::kAnnualAllowances1},
                                        std::pair{income::kAllowances2PerMonth, income::kAnnualAllowances2}}) {
    QTest::mouseClick(Field(kIncomeTab, monthly), Qt::LeftButton);
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_1, "12.00"},         {Qt::Key_5, "180.00"},          {Qt::Key_0, "1800.00"},
        {Qt::Key_0, "18000.00"},      {Qt::Key_Backspace, "1800.00"}, {Qt::Key_Backspace, "180.00"},
        {Qt::Key_Backspace, "12.00"}, {Qt::Key_Backspace, "0.00"},
    };
    for (const auto& [key, echo] : keys) {
      QTest::keyClick(QApplication::focusWidget(), key);
      EXPECT_EQ(Text(kIncomeTab, annual), echo) << "field " << monthly << " holding " << Text(kIncomeTab, monthly);
    }
  }
}

// The text is selected, so any key that got through would change it: typed over, cut,
// pasted over or undone.
TEST_F(NumericFieldTest, TakesDigitsPointsAndEditingKeysOnly) {
  QApplication::clipboard()->setText(QStringLiteral("999"));
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
  } cases[] = {
      {Qt::Key_7, {}, "7"},    {Qt::Key_Period, {}, "."}, {Qt::Key_Backspace, {}, ""}, {Qt::Key_Delete, {}, ""},
      {Qt::Key_A, {}, "12"},   {Qt::Key_E, Qt::ShiftModifier, "12"}, {Qt::Key_Minus, {}, "12"},
      {Qt::Key_Plus, Qt::ShiftModifier, "12"}, {Qt::Key_Comma, {}, "12"}, {Qt::Key_Space, {}, "12"},
      {Qt::Key_V, Qt::ControlModifier, "12"},  {Qt::Key_X, Qt::ControlModifier, "12"},
      {Qt::Key_Z, Qt::ControlModifier, "12"},
  };
  for (const auto& c : cases) {
    TypeInto(kIncomeTab, income::kBasicPerMonth, "12", true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), c.text) << "key " << c.key << " with " << c.modifiers;
  }
}

// However a key types, with any modifier, from the keypad, through AltGr, a dead key or
// an input method, only digits, points and backspace reach the field; a key pressed
// with Alt is a command and types nothing at all. The text is selected, so anything
// that got through would replace it.
TEST_F(NumericFieldTest, EveryWayOfTypingPassesTheFilter) {
  const struct {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    const char* expected;
  } keys[] = {
      {"Alt+letter", Qt::Key_Q, Qt::AltModifier, QStringLiteral("q"), "12"},
      {"Alt+digit", Qt::Key_7, Qt::AltModifier, QStringLiteral("7"), "12"},
      {"Alt+minus", Qt::Key_Minus, Qt::AltModifier, QStringLiteral("-"), "12"},
      {"Alt+comma", Qt::Key_Comma, Qt::AltModifier, QStringLiteral(","), "12"},
      {"Alt+Shift+minus", Qt::Key_Underscore, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("_"), "12"},
      {"AltGr digit", Qt::Key_7, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("7"), "7"},
      {"AltGr sign", Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"), "12"},
      {"third level sign", Qt::Key_At, Qt::GroupSwitchModifier, QStringLiteral("@"), "12"},
      {"keypad digit", Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"), "5"},
      {"keypad point", Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."), "."},
      {"keypad minus", Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-"), "12"},
      {"Ctrl+keypad minus", Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, QStringLiteral("-"), "12"},
      {"Ctrl+Shift+keypad digit", Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier,
       QStringLiteral("1"), "12"},
      {"Meta+letter", Qt::Key_X, Qt::MetaModifier, QStringLiteral("x"), "12"},
      {"dead key then letter", Qt::Key_A, {}, QStringLiteral("\u00B4a"), "12"},
      {"two characters, one refused", Qt::Key_1, {}, QStringLiteral("1a"), "12"},
      {"two digits at once", Qt::Key_3, {}, QStringLiteral("34"), "34"},
      {"another script's digit", Qt::Key_unknown, {}, QString(QChar(0x0663)), "12"},
      {"a joiner", Qt::Key_unknown, Qt::ControlModifier | Qt::ShiftModifier, QString(QChar(0x200C)), "12"},
  };
  const auto selectAll = [this] {
    TypeInto(kIncomeTab, income::kBasicPerMonth, "12", true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ShiftModifier);
  };
  for (const auto& k : keys) {
    selectAll();
    QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text);
    QApplication::sendEvent(QApplication::focusWidget(), &press);
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), k.expected) << k.name;
  }
  const std::pair<QString, const char*> composed[] = {
      {QStringLiteral("5"), "5"}, {QStringLiteral("5.5"), "5.5"}, {QStringLiteral("5x"), "12"},
      {QStringLiteral("\u0665"), "12"}};
  for (const auto& [text, expected] : composed) {
    selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), expected) << text.toStdString();
  }
}

// Each amount field of each input page is a numeric field; read-only fields take nothing.
TEST_F(NumericFieldTest, EveryAmountFieldKeepsOnlyDigitsAndPoints) {
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  for (int tab : {kIncomeTab, kStandardDeductionTab, kSection80Tab, kSection88Tab}) {
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    for (QLineEdit* field : sheet().GetPage(tab)->GetSafeHwnd()->findChildren<QLineEdit*>()) {
      const int id = CWnd::FromHandle(field)->GetDlgCtrlID();
      const std::string before = field->text().toStdString();
      TypeInto(tab, id, "7a-+, x.5e");
      EXPECT_EQ(field->text().toStdString(), field->isReadOnly() ? before : before + "7.5") << "field " << id;
    }
  }
}

// Pasted text is not filtered; whatever it holds, the echo and the results still show
// amount text and the program goes on.
TEST_F(NumericFieldTest, PastedTextIsTakenAsItIsAndTheProgramGoesOn) {
  const struct {
    QString pasted;
    const char* echo;
    bool basicCounts;  // above 0 and not too large, so the Income page may be left
  } cases[] = {{QStringLiteral("-500"), "-6000.00", false},    {QStringLiteral("abc"), "0.00", false},
               {QStringLiteral("nan"), "0.00", false},         {QStringLiteral("1e999"), "inf", false},
               {QString(100000, QLatin1Char('9')), "inf", false}, {QStringLiteral("1,500"), "12.00", true}};
  const QRegularExpression amountText(QStringLiteral("^-?([0-9]+\\.[0-9][0-9]|inf|nan)$"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pasted.left(20).toStdString());
    OpenSheet();
    recorded.boxes.boxes.clear();
    PasteInto(kIncomeTab, income::kBasicPerMonth, c.pasted);
    const QLineEdit* basic = Field(kIncomeTab, income::kBasicPerMonth);
    EXPECT_FALSE(basic->text().isEmpty());
    EXPECT_TRUE(c.pasted.startsWith(basic->text())) << "the field holds text that was not pasted";
    EXPECT_EQ(Text(kIncomeTab, income::kAnnualBasic), c.echo);

    TypeInto(kIncomeTab, income::kAllowances1PerMonth, "1000");
    ClickTab(kTaxResultsTab);
    if (c.basicCounts) {
      const QStringList texts = QString::fromStdString(ShowResults()).split(u' ');
      EXPECT_EQ(texts.size(), 5);
      for (const QString& text : texts) EXPECT_TRUE(amountText.match(text).hasMatch()) << text.toStdString();
    } else {
      EXPECT_EQ(sheet().GetActiveIndex(), kIncomeTab);
      EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{"Basic PM must have some value."});
    }
    EXPECT_TRUE(SheetIsOpen());
  }
}

}  // namespace
}  // namespace varnolix::test
