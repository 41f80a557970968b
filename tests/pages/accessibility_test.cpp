// The pages as a screen reader meets them, through the accessibility tree: every field
// and result named, every picture that carries words named by them, and the pictures
// that only decorate kept silent ("").
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <string>
#include <vector>

#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

// What the tree below `node` names its fields and pictures, in the order it holds them.
void Walk(QAccessibleInterface* node, std::vector<std::string>& names) {
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (child == nullptr || child->state().invisible) continue;
    if (child->role() == QAccessible::EditableText || child->role() == QAccessible::Graphic) {
      names.push_back(child->text(QAccessible::Name).toStdString());
    }
    Walk(child, names);
  }
}

TEST_F(SheetTest, EveryFieldHasANameAndPicturesSayTheirWords) {
  const std::vector<std::string> pages[] = {
      {"Basic Per Month:", "Allowances1 pm:", "Allowances 2 pm:", "Basic Per Year", "Allowances 1 Per Year",
       "Allowances 2 Per Year", "LTA Taxable Annual:", "Rent Per Month:", "HRA Received pm :", "YEARLY", ""},
      {"Standard Deduction:", "Professional Tax:", "DEDUCTION",
       "Standard Deduction for a Gross Salary up to 1,00,000: 25,000; up to 5,00,000: 20,000; above 5,00,000: 0"},
      {"Interest etc., 80L:", "80 CCC:", "Mediclaim 80D:", "80 DD:", "80 E:", "80 DDB:", "SECTION 80",
       "All values are per Annum."},
      {"PF Contribution PA:", "Lic. Primea:", "PPF PA:", "Mutual Fund:", "Other Investments:", "Infrastructure Bond:",
       "SECTION 88", "All values are per Annum."},
      {"Gross Salary:", "Taxable HRA:", "Exemption benefit under 80:", "Exemption benefit under 88:", "Tax Payable:"},
  };
  FillPage(kIncomeTab, kIncomeAllPositive);
  for (int tab = kIncomeTab; tab <= kTaxResultsTab; ++tab) {
    ClickTab(tab);
    ASSERT_EQ(sheet().GetActiveIndex(), tab);
    std::vector<std::string> names;
    Walk(QAccessible::queryAccessibleInterface(sheet().GetPage(tab)->GetSafeHwnd()), names);
    EXPECT_EQ(names, pages[tab]) << "tab " << tab;
  }
}

}  // namespace
}  // namespace varnolix::test
