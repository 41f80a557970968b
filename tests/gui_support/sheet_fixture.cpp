#include "tests/gui_support/sheet_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <ostream>

#include "app/varnolix_app.h"
#include "resources/resource_ids.h"

namespace varnolix::test {

void PrintTo(const Results& results, std::ostream* os) {
  *os << "{" << results.taxableHra << ", " << results.grossSalary << ", " << results.section80Benefit << ", "
      << results.section88Benefit << ", " << results.taxPayable << "}";
}

void SheetTest::OpenSheet() {
  CloseSheet();
  m_sheet = std::make_unique<CModPropertySheet>("Varnolix", nullptr, 0);
  theApp.m_pMainWnd = m_sheet.get();
  m_sheet->Create();
  QWidget* window = SheetWindow();
  ASSERT_NE(window, nullptr);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void SheetTest::CloseSheet() {
  if (m_sheet == nullptr) return;
  theApp.m_pMainWnd = nullptr;
  m_sheet.reset();
}

QWidget* SheetTest::SheetWindow() const { return m_sheet != nullptr ? m_sheet->GetSafeHwnd() : nullptr; }

QTabBar* SheetTest::TabBar() const { return SheetWindow()->findChild<QTabBar*>(); }

bool SheetTest::SheetIsOpen() const { return SheetWindow() != nullptr && SheetWindow()->isVisible(); }

void SheetTest::ClickTab(int tab) {
  QTabBar* bar = TabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

void SheetTest::ClickSheetButton(int id) {
  CWnd* button = m_sheet->GetDlgItem(id);
  ASSERT_NE(button, nullptr) << "no sheet button " << id;
  QTest::mouseClick(button->GetSafeHwnd(), Qt::LeftButton);
}

void SheetTest::ClickPageButton(int tab, int id) {
  CWnd* button = m_sheet->GetPage(tab)->GetDlgItem(id);
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

void SheetTest::TypeInto(int tab, int id, const QString& keys) {
  QLineEdit* field = Field(tab, id);
  ASSERT_NE(field, nullptr) << "no field " << id << " on tab " << tab;
  QTest::mouseClick(field, Qt::LeftButton);
  ASSERT_EQ(QApplication::focusWidget(), field) << "a click did not put the focus in field " << id;
  QTest::keyClick(field, Qt::Key_End);
  QTest::keyClicks(QApplication::focusWidget(), keys);
}

void SheetTest::Retype(int tab, int id, const QString& keys) {
  QLineEdit* field = Field(tab, id);
  ASSERT_NE(field, nullptr) << "no field " << id << " on tab " << tab;
  QTest::mouseClick(field, Qt::LeftButton);
  ASSERT_EQ(QApplication::focusWidget(), field) << "a click did not put the focus in field " << id;
  QTest::keyClick(field, Qt::Key_End);
  QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClicks(QApplication::focusWidget(), keys);
}

void SheetTest::FillPage(int tab, std::initializer_list<std::pair<int, const char*>> entries) {
  ClickTab(tab);
  ASSERT_EQ(m_sheet->GetActiveIndex(), tab) << "could not show tab " << tab;
  for (const auto& [id, keys] : entries) {
    TypeInto(tab, id, QString::fromLatin1(keys));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

Results SheetTest::ShowResults() {
  ClickTab(kTaxResultsTab);
  EXPECT_EQ(m_sheet->GetActiveIndex(), kTaxResultsTab) << "could not show the Tax Results tab";
  return ReadResults();
}

Results SheetTest::ReadResults() const {
  using namespace ids::tax_results;
  return {Text(kTaxResultsTab, kTaxableHra), Text(kTaxResultsTab, kGrossSalary),
          Text(kTaxResultsTab, kSection80Benefit), Text(kTaxResultsTab, kSection88Benefit),
          Text(kTaxResultsTab, kTaxPayable)};
}

}  // namespace varnolix::test
