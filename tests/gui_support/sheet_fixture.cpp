#include "tests/gui_support/sheet_fixture.h"

#include <QApplication>
#include <QTest>

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

void SheetTest::OpenSheet() {
  TearDown();
  m_sheet = std::make_unique<ShownSheet>();
  theApp.m_pMainWnd = m_sheet.get();
  m_sheet->Show();
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

}  // namespace varnolix::test
