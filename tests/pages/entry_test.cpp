// The amount fields as a person fills them: the annual echo after every key, the filter
// on typed characters however they are typed, and pasted text, unfiltered, which never
// stops the program from working.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "assessment/amount.h"
#include "assessment/fields.h"
#include "pages/field_controls.h"
#include "payroll/messages.h"
#include "resources/resource_ids.h"
#include "tests/assessment/typed.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;
using AmountFieldTest = SheetTest;

TEST_F(AmountFieldTest, EachMonthlyFieldIsEchoedTimesTwelveAfterEveryKey) {
  for (const auto& [monthly, annual] : {std::pair{income::kBasicPerMonth, income::kAnnualBasic},
                                        std::pair{income::kAllowances1PerMonth, income::kAnnualAllowances1},
                                        std::pair{income::kAllowances2PerMonth, income::kAnnualAllowances2}}) {
    QTest::mouseClick(Field(kIncomeTab, monthly), Qt::LeftButton);
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_1, "12.00"}, {Qt::Key_5, "180.00"}, {Qt::Key_Backspace, "12.00"}, {Qt::Key_Backspace, "0.00"}};
    for (const auto& [key, echo] : keys) {
      QTest::keyClick(QApplication::focusWidget(), key);
      EXPECT_EQ(Text(kIncomeTab, annual), echo) << "field " << monthly << " holding " << Text(kIncomeTab, monthly);
    }
  }
}

// However a key types, with any modifier, from the keypad, through AltGr, a dead key or
// an input method, only digits, points and backspace reach the field; a key pressed
// with Alt is a command and types nothing at all. The text "12" is selected, so
// anything that got through would replace it.
TEST_F(AmountFieldTest, EveryWayOfTypingPassesTheFilter) {
  QApplication::clipboard()->setText(QStringLiteral("999"));
  const struct {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    const char* expected;
  } keys[] = {
      {"digit", Qt::Key_7, {}, QStringLiteral("7"), "7"},
      {"point", Qt::Key_Period, {}, QStringLiteral("."), "."},
      {"backspace", Qt::Key_Backspace, {}, QStringLiteral("\b"), ""},
      {"delete", Qt::Key_Delete, {}, QString(), ""},
      {"letter", Qt::Key_E, Qt::ShiftModifier, QStringLiteral("E"), "12"},
      {"minus", Qt::Key_Minus, {}, QStringLiteral("-"), "12"},
      {"Ctrl+K", Qt::Key_K, Qt::ControlModifier, QStringLiteral("\x0b"), "12"},
      {"Alt+letter", Qt::Key_Q, Qt::AltModifier, QStringLiteral("q"), "12"},
      {"Alt+digit", Qt::Key_7, Qt::AltModifier, QStringLiteral("7"), "12"},
      {"AltGr digit", Qt::Key_7, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("7"), "7"},
      {"AltGr sign", Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"), "12"},
      {"keypad digit", Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"), "5"},
      {"keypad minus", Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-"), "12"},
      {"Meta+letter", Qt::Key_X, Qt::MetaModifier, QStringLiteral("x"), "12"},
      {"dead key then letter", Qt::Key_A, {}, QStringLiteral("\u00B4a"), "12"},
      {"two characters, one refused", Qt::Key_1, {}, QStringLiteral("1a"), "12"},
      {"another script's digit", Qt::Key_unknown, {}, QString(QChar(0x0663)), "12"},
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
      {QStringLiteral("5.5"), "5.5"}, {QStringLiteral("5x"), "12"}, {QStringLiteral("\u0665"), "12"}};
  for (const auto& [text, expected] : composed) {
    selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), expected) << text.toStdString();
  }
}

// The clipboard and editing keys work as in any field; the selected "12" shows what each did.
TEST_F(AmountFieldTest, ClipboardAndEditingKeysWorkAsInAnyField) {
  TypeInto(kIncomeTab, income::kBasicPerMonth, "12", true);
  QWidget* basic = QApplication::focusWidget();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;       // in the field afterwards
    const char* clipboard;  // on the clipboard afterwards
  } keys[] = {
      {Qt::Key_A, Qt::ControlModifier, "12", "-"},          {Qt::Key_C, Qt::ControlModifier, "12", "12"},
      {Qt::Key_X, Qt::ControlModifier, "", "12"},           {Qt::Key_Z, Qt::ControlModifier, "12", "12"},
      {Qt::Key_Delete, Qt::ShiftModifier, "", "12"},        {Qt::Key_Insert, Qt::ShiftModifier, "12", "12"},
      {Qt::Key_A, Qt::ControlModifier, "12", "12"},         {Qt::Key_Insert, Qt::ControlModifier, "12", "12"},
      {Qt::Key_V, Qt::ControlModifier, "12", "12"},
  };
  QApplication::clipboard()->setText(QStringLiteral("-"));
  for (const auto& k : keys) {
    QTest::keyClick(basic, k.key, k.modifiers);
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), k.text) << k.key << " with " << k.modifiers;
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), k.clipboard) << k.key << " with " << k.modifiers;
  }
}

// A pasted text that is wholly an amount as clerks write it goes in as its plain number,
// however it is pasted; any other goes in as it is, for the leaving checks to judge. (A
// drop takes the same way in, but Qt delivers no drop a test makes up.)
TEST_F(AmountFieldTest, APastedAmountGoesInAsItsPlainNumberHoweverItIsPasted) {
  enum class Way { kCtrlV, kShiftInsert, kMenu, kMiddleClick };
  const std::pair<QString, const char*> pastes[] = {
      {QStringLiteral("Rs 1,00,000"), "100000"}, {QStringLiteral("1,00,000"), "100000"},
      {QStringLiteral("\u20B9 12,000.50"), "12000.50"}, {QStringLiteral("45,000/-"), "45000"},
      {QStringLiteral("1,00,000\r\n"), "100000"}, {QStringLiteral("-5"), "-5"}, {QStringLiteral("12abc"), "12abc"},
      {QStringLiteral("1e3"), "1e3"}, {QStringLiteral("1,0,0"), "1,0,0"}};
  for (Way way : {Way::kCtrlV, Way::kShiftInsert, Way::kMenu, Way::kMiddleClick}) {
    // The middle button pastes the selection only where the desktop keeps one.
    if (way == Way::kMiddleClick && !QApplication::clipboard()->supportsSelection()) continue;
    for (const auto& [pasted, shown] : pastes) {
      TypeInto(kIncomeTab, income::kBasicPerMonth, "7", true);
      if (HasFatalFailure()) return;
      QLineEdit* field = Field(kIncomeTab, income::kBasicPerMonth);
      QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);  // the paste replaces it
      QApplication::clipboard()->setText(pasted);
      QApplication::clipboard()->setText(pasted, QClipboard::Selection);
      switch (way) {
        case Way::kCtrlV: QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier); break;
        case Way::kShiftInsert: QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier); break;
        case Way::kMenu: ChooseFromMenu(field, QStringLiteral("Paste"), MenuBy::RightClick); break;
        case Way::kMiddleClick: QTest::mouseClick(field, Qt::MiddleButton); break;
      }
      EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), shown) << static_cast<int>(way) << ": " << pasted.toStdString();
    }
  }
  PasteInto(kIncomeTab, income::kBasicPerMonth, QStringLiteral("Rs 1,00,000"));
  EXPECT_EQ(Text(kIncomeTab, income::kAnnualBasic), "1200000.00");
}

// Each amount field of each input page is a numeric field; read-only fields take nothing.
TEST_F(AmountFieldTest, EveryAmountFieldKeepsOnlyDigitsAndPoints) {
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

constexpr const char* kBasic = "10000";

// The fields in the field table's order, the basic salary typed, `pasted` in `target`.
std::string RowOf(Field target, const std::string& pasted) {
  std::string row;
  for (const FieldInfo& info : kFields) {
    if (info.field != Field::kBasic) row += ',';
    row += info.field == target ? pasted : info.field == Field::kBasic ? kBasic : "";
  }
  return row;
}

TEST_F(AmountFieldTest, AnyPastedTextInAnyFieldLeavesTheProgramWorking) {
  const QString pastes[] = {QStringLiteral("nan"), QStringLiteral("1e999"), QStringLiteral("-0"),
                            QString(100000, QLatin1Char('9')), QStringLiteral("letters")};
  const int tabs[] = {kIncomeTab, kStandardDeductionTab, kSection80Tab, kSection88Tab, kTaxResultsTab};
  for (const FieldInfo& info : kFields) {
    const int home = static_cast<int>(info.page);
    for (const QString& pasted : pastes) {
      SCOPED_TRACE(std::string(info.name) + " <- " + pasted.left(12).toStdString());
      OpenSheet();
      if (info.field != Field::kBasic) TypeInto(kIncomeTab, ids::income::kBasicPerMonth, kBasic);
      ClickTab(home);
      const FieldControls& controls = ControlsOf(info.field);
      PasteInto(home, controls.controlId, pasted);
      // A field holds at most 32767 characters, Qt's limit; the rest of a paste is cut.
      const std::string text = Text(home, controls.controlId);
      ASSERT_TRUE(pasted.startsWith(QString::fromStdString(text)) && std::cmp_equal(text.size(), std::min<qsizetype>(pasted.size(), 32767)))
          << "the field holds " << text.substr(0, 40);
      recorded.boxes.boxes.clear();

      // Leaving the page: the basic salary keeps the person there, another amount that
      // is not above 0 or too large to hold is named.
      const bool named = IsZeroNegativeOrTooLarge(text, info.monthly);
      ClickTab(home == kIncomeTab ? kStandardDeductionTab : kIncomeTab);
      if (info.field == Field::kBasic) {
        ASSERT_TRUE(named);
        EXPECT_EQ(sheet().GetActiveIndex(), kIncomeTab);
        EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{std::string(payroll::kBasicNeedsValue)});
        continue;
      }
      EXPECT_NE(sheet().GetActiveIndex(), home) << "the page kept the person";
      if (!controls.warning.empty() && named) {
        ASSERT_EQ(recorded.boxes.boxes.size(), 1u);
        EXPECT_NE(recorded.boxes.boxes[0].text.find(controls.warning), std::string::npos) << recorded.boxes.boxes[0].text;
      }

      for (int tab : tabs) {
        ClickTab(tab);
        EXPECT_EQ(sheet().GetActiveIndex(), tab);
      }
      const TypedRow typed = Typed(RowOf(info.field, text));
      EXPECT_EQ(ShowResults(), Shown(typed.input));
      // A salary too large to hold is never assessed as if it were 0.
      if (info.echoed && IsTooLargeToHold(ReadAmount(text), true)) {
        EXPECT_NE(ShowResults(), Shown(Typed(RowOf(info.field, "")).input));
      }
      EXPECT_TRUE(SheetIsOpen());
    }
  }
}

}  // namespace
}  // namespace varnolix::test
