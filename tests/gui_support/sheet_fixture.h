// A fixture around the program's real sheet, shown modeless as the main window, with
// the message boxes and the shell recorded, and helpers that drive it as a person
// would: clicks on tabs, fields and buttons, and keys typed into the focused field.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QString>
#include <QTabBar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/mod_property_sheet.h"
#include "tests/gui_support/recorders.h"

namespace varnolix::test {

// The tabs, in the order the sheet shows them.
enum Tab { kIncomeTab = 0, kStandardDeductionTab, kSection80Tab, kSection88Tab, kTaxResultsTab };

// Fields of one page and the keys to type into each.
using Entries = std::vector<std::pair<int, const char*>>;

// Every Income entry field above 0, so the page is left without a word.
extern const Entries kIncomeAllPositive;

// The program's sheet, shown without a modal run so that the test can drive it.
class ShownSheet : public CModPropertySheet {
 public:
  ShownSheet() : CModPropertySheet("Varnolix", nullptr, 0) {}
  void Show();
};

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenSheet(); }
  void TearDown() override;

  // A new sheet, as the program starts it, with `file` open if given; the previous one
  // is destroyed first.
  void OpenSheet(const std::string& file = {});

  CModPropertySheet& sheet() { return *m_sheet; }
  QWidget* SheetWindow() const { return m_sheet->GetSafeHwnd(); }
  QTabBar* TabBar() const { return SheetWindow()->findChild<QTabBar*>(); }
  bool SheetIsOpen() const { return SheetWindow() != nullptr && SheetWindow()->isVisible(); }

  // A click on the tab's rectangle; the page being left may refuse.
  void ClickTab(int tab);
  // A click on button `id` of the sheet itself, or of page `tab`.
  void ClickButton(int id, int tab = -1);

  // The field `id` of a page that has been shown.
  QLineEdit* Field(int tab, int id) const;
  std::string Text(int tab, int id) const;
  // Clicks into the field, then types `keys` at the end of its text, or over all of it.
  void TypeInto(int tab, int id, const QString& keys, bool over = false);
  // Clicks into the field, selects its text and pastes `text` over it from its context menu.
  void PasteInto(int tab, int id, const QString& text);
  // Shows the tab, then types each entry.
  void FillPage(int tab, const Entries& entries);

  // Shows the Tax Results tab and reads its five texts, one blank apart.
  std::string ShowResults();

  enum class MenuBy { RightClick, MenuKey, ShiftF10 };
  // Opens the context menu of result field `id` as a person would, chooses "Copy Working"
  // and returns what the clipboard then holds.
  std::string CopyWorking(int id, MenuBy how);
  // Opens the context menu of `field` as a person would and chooses `entry` ("Paste",
  // without its ampersand and key); false when the menu did not offer it.
  bool ChooseFromMenu(QWidget* field, const QString& entry, MenuBy how);

  RecordedServices recorded;

 private:
  std::unique_ptr<ShownSheet> m_sheet;
};

}  // namespace varnolix::test
