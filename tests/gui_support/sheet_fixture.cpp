#include "tests/gui_support/sheet_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "app/varnolix_app.h"
#include "resources/resource_ids.h"

namespace varnolix::test {

const Entries kIncomeAllPositive{{ids::income::kBasicPerMonth, "10000"},  {ids::income::kAllowances1PerMonth, "1"},
                                 {ids::income::kAllowances2PerMonth, "1"}, {ids::income::kLtaTaxableAnnual, "1"},
                                 {ids::income::kRentPerMonth, "1"},        {ids::income::kHraReceivedPerMonth, "1"}};

void ShownSheet::Show() {
  BuildWindow();
  OnInitDialog();
  GetSafeHwnd()->show();
}

void SheetTest::OpenSheet(const std::string& file) {
  TearDown();
  m_sheet = std::make_unique<ShownSheet>();
  theApp.m_pMainWnd = m_sheet.get();
  m_sheet->OpenAtStart(file);
  m_sheet->Show();
  // The file is opened once the window is up, and what it brings (a list, a box) has
  // gone before the window takes the keys.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(SheetWindow()));
  QCoreApplication::processEvents();
  SheetWindow()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(SheetWindow()));
}

void SheetTest::TearDown() {
  theApp.m_pMainWnd = nullptr;
  m_sheet.reset();
}

void SheetTest::ClickTab(int tab) {
  QTest::mouseClick(TabBar(), Qt::LeftButton, {}, TabBar()->tabRect(tab).center());
}

void SheetTest::ClickButton(int id, int tab) {
  CWnd* button = tab < 0 ? m_sheet->GetDlgItem(id) : m_sheet->GetPage(tab)->GetDlgItem(id);
  ASSERT_NE(button, nullptr) << "no button " << id << " on tab " << tab;
  QTest::mouseClick(button->GetSafeHwnd(), Qt::LeftButton);
}

QLineEdit* SheetTest::Field(int tab, int id) const {
  CWnd* control = m_sheet->GetPage(tab)->GetDlgItem(id);
  return control != nullptr ? qobject_cast<QLineEdit*>(control->GetSafeHwnd()) : nullptr;
}

std::string SheetTest::Text(int tab, int id) const {
  const QLineEdit* field = Field(tab, id);
  return field != nullptr ? field->text().toStdString() : "<no field " + std::to_string(id) + ">";
}

void SheetTest::TypeInto(int tab, int id, const QString& keys, bool over) {
  QLineEdit* field = Field(tab, id);
  ASSERT_NE(field, nullptr) << "no field " << id << " on tab " << tab;
  QTest::mouseClick(field, Qt::LeftButton);
  ASSERT_EQ(QApplication::focusWidget(), field) << "a click did not put the focus in field " << id;
  QTest::keyClick(field, Qt::Key_End);
  if (over) QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClicks(field, keys);
}

void SheetTest::PasteInto(int tab, int id, const QString& text) {
  QLineEdit* field = Field(tab, id);
  ASSERT_NE(field, nullptr) << "no field " << id << " on tab " << tab;
  QTest::mouseClick(field, Qt::LeftButton);
  field->selectAll();
  QApplication::clipboard()->setText(text);
  EXPECT_TRUE(ChooseFromMenu(field, QStringLiteral("Paste"), MenuBy::RightClick)) << "no Paste in field " << id;
}

void SheetTest::FillPage(int tab, const Entries& entries) {
  ClickTab(tab);
  ASSERT_EQ(m_sheet->GetActiveIndex(), tab) << "could not show tab " << tab;
  for (const auto& [id, keys] : entries) {
    TypeInto(tab, id, QString::fromLatin1(keys));
    if (HasFatalFailure()) return;
  }
}

std::string SheetTest::ShowResults() {
  using namespace ids::tax_results;
  ClickTab(kTaxResultsTab);
  EXPECT_EQ(m_sheet->GetActiveIndex(), kTaxResultsTab) << "could not show the Tax Results tab";
  std::string shown;
  for (int id : {kTaxableHra, kGrossSalary, kSection80Benefit, kSection88Benefit, kTaxPayable}) {
    shown += (shown.empty() ? "" : " ") + Text(kTaxResultsTab, id);
  }
  return shown;
}

std::string SheetTest::CopyWorking(int id, MenuBy how) {
  QApplication::clipboard()->setText(QStringLiteral("nothing copied"));
  QLineEdit* field = Field(kTaxResultsTab, id);
  EXPECT_NE(field, nullptr) << "no result field " << id;
  if (field == nullptr) return {};
  EXPECT_TRUE(ChooseFromMenu(field, QStringLiteral("Copy Working"), how)) << "no menu offered Copy Working";
  return QApplication::clipboard()->text().toStdString();
}

bool SheetTest::ChooseFromMenu(QWidget* field, const QString& entry, MenuBy how) {
  bool chosen = false;
  QTimer chooser;
  QObject::connect(&chooser, &QTimer::timeout, [&chosen, &entry] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (QAction* action : menu->actions()) {
      // "&Paste\tCtrl+V" is the entry "Paste".
      if (action->text().section(u'\t', 0, 0).remove(u'&') == entry && action->isEnabled()) {
        chosen = true;
        menu->close();
        action->trigger();
        return;
      }
    }
    menu->close();
  });
  chooser.start(10);
  switch (how) {
    case MenuBy::RightClick: {
      // What the desktop sends for a right click; a test's own clicks make no such event.
      QContextMenuEvent click(QContextMenuEvent::Mouse, field->rect().center(), field->mapToGlobal(field->rect().center()));
      QApplication::sendEvent(field, &click);
      break;
    }
    case MenuBy::MenuKey:
      QTest::mouseClick(field, Qt::LeftButton);
      QTest::keyClick(field, Qt::Key_Menu);
      break;
    case MenuBy::ShiftF10:
      QTest::mouseClick(field, Qt::LeftButton);
      QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
      break;
  }
  (void)QTest::qWaitFor([&chosen] { return chosen; }, 2000);
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
  // The window takes the keys again once the menu has gone, as it does on a desktop.
  QWidget* window = field->window();
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  return chosen;
}

}  // namespace varnolix::test
