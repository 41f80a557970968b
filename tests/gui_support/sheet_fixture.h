// A fixture around the program's real sheet, shown modeless as the main window, with
// the message boxes and the shell recorded, and helpers that drive it as a person
// would: clicks on tabs, fields and buttons, and keys typed into the focused field.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QString>
#include <QTabBar>
#include <array>
#include <memory>
#include <string>

#include "app/mod_property_sheet.h"
#include "tests/gui_support/recorders.h"

namespace varnolix::test {

// The tabs, in the order the sheet shows them.
enum Tab { kIncomeTab = 0, kStandardDeductionTab, kSection80Tab, kSection88Tab, kTaxResultsTab };

// The Tax Results page's five texts, in the order the assessment produces them.
struct Results {
  std::string taxableHra, grossSalary, section80Benefit, section88Benefit, taxPayable;
  bool operator==(const Results&) const = default;
};
void PrintTo(const Results& results, std::ostream* os);

// Names the cases of a parameterised test after their `name` member.
struct NamedCase {
  template <class Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& param) const {
    return param.param.name;
  }
};

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenSheet(); }
  void TearDown() override { CloseSheet(); }

  // A new sheet, as the program starts it; the previous one is destroyed first.
  void OpenSheet();
  void CloseSheet();

  CModPropertySheet& sheet() { return *m_sheet; }
  QWidget* SheetWindow() const;
  QTabBar* TabBar() const;
  bool SheetIsOpen() const;

  // A click on the tab's rectangle; the page being left may refuse.
  void ClickTab(int tab);
  void ClickSheetButton(int id);
  void ClickPageButton(int tab, int id);

  // The field `id` of a page that has been shown.
  QLineEdit* Field(int tab, int id) const;
  std::string Text(int tab, int id) const;
  // Clicks into the field, goes to the end of its text and types `keys` there.
  void TypeInto(int tab, int id, const QString& keys);
  // Clicks into the field, selects its text and types `keys` over it.
  void Retype(int tab, int id, const QString& keys);
  // Shows the tab, then types each (field, keys) pair.
  void FillPage(int tab, std::initializer_list<std::pair<int, const char*>> entries);

  // Shows the Tax Results tab and reads its five texts.
  Results ShowResults();
  Results ReadResults() const;

  RecordedServices recorded;

 private:
  std::unique_ptr<CModPropertySheet> m_sheet;
};

}  // namespace varnolix::test
