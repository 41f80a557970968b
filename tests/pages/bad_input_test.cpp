// Whatever text is pasted into whichever field, the program goes on: every tab can still
// be visited, leaving a page names what it should, and the results are the texts the
// amount rules give for what the fields hold.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "assessment/amount.h"
#include "assessment/fields.h"
#include "resources/resource_ids.h"
#include "tests/assessment/typed.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using BadInputTest = SheetTest;

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

TEST_F(BadInputTest, AnyPastedTextInAnyFieldLeavesTheProgramWorking) {
  const QString pastes[] = {QStringLiteral("nan"),   QStringLiteral("-inf"), QStringLiteral("1e999"),
                            QStringLiteral("-0"),    QString(100000, QLatin1Char('9')),
                            QStringLiteral("letters"), QStringLiteral("")};
  const int tabs[] = {kIncomeTab, kStandardDeductionTab, kSection80Tab, kSection88Tab, kTaxResultsTab};
  for (const FieldInfo& info : kFields) {
    const int home = static_cast<int>(info.page);
    for (const QString& pasted : pastes) {
      SCOPED_TRACE(std::string(info.name) + " <- " + pasted.left(12).toStdString());
      OpenSheet();
      if (info.field != Field::kBasic) TypeInto(kIncomeTab, ids::income::kBasicPerMonth, kBasic);
      ClickTab(home);
      PasteInto(home, info.controlId, pasted);
      // A field holds at most 32767 characters, Qt's limit; the rest of a paste is cut.
      const std::string text = Text(home, info.controlId);
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
        EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{std::string(kBasicNeedsValue)});
        continue;
      }
      EXPECT_NE(sheet().GetActiveIndex(), home) << "the page kept the person";
      if (!info.warning.empty() && named) {
        ASSERT_EQ(recorded.boxes.boxes.size(), 1u);
        EXPECT_NE(recorded.boxes.boxes[0].text.find(info.warning), std::string::npos) << recorded.boxes.boxes[0].text;
      }

      for (int tab : tabs) {
        ClickTab(tab);
        EXPECT_EQ(sheet().GetActiveIndex(), tab);
      }
      const TypedRow typed = Typed(RowOf(info.field, text));
      EXPECT_EQ(ShowResults(), Shown(typed.input));
      // A salary too large to hold is never assessed as if it were 0.
      if (info.annualId != 0 && IsTooLargeToHold(ReadAmount(text), true)) {
        EXPECT_NE(ShowResults(), Shown(Typed(RowOf(info.field, "")).input));
      }
      EXPECT_TRUE(SheetIsOpen());
    }
  }
}

}  // namespace
}  // namespace varnolix::test
