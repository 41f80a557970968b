// The pages as a screen reader meets them, through the accessibility tree: every field
// and result announced with its name and value, every picture that carries words
// named by them, and the pictures that only decorate kept silent.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;
using AccessibilityTest = SheetTest;

struct Announced {
  std::vector<std::string> pictureWords;
  int silentPictures = 0;
};

struct Spoken {
  std::string name, value;
  bool operator==(const Spoken&) const = default;
};

// What the tree below `node` says of its fields and its pictures.
void Walk(QAccessibleInterface* node, std::vector<Spoken>& fields, Announced& pictures) {
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (child == nullptr || child->state().invisible) continue;
    const std::string name = child->text(QAccessible::Name).toStdString();
    if (child->role() == QAccessible::EditableText) {
      fields.push_back({name, child->text(QAccessible::Value).toStdString()});
    } else if (child->role() == QAccessible::Graphic) {
      if (name.empty()) {
        ++pictures.silentPictures;
      } else {
        pictures.pictureWords.push_back(name);
      }
    }
    Walk(child, fields, pictures);
  }
}

TEST_F(AccessibilityTest, EveryFieldHasANameAndValueAndPicturesSayTheirWords) {
  const struct {
    int tab;
    std::vector<std::string> pictureWords;
    int silentPictures;
    std::vector<std::string> fieldNames;
  } pages[] = {
      {kIncomeTab,
       {"YEARLY"},
       1,
       {"Basic Per Month:", "Allowances1 pm:", "Allowances 2 pm:", "Basic Per Year", "Allowances 1 Per Year",
        "Allowances 2 Per Year", "LTA Taxable Annual:", "Rent Per Month:", "HRA Received pm :"}},
      {kStandardDeductionTab,
       {"DEDUCTION", "If Gross Salary is less than 1,00,000 Standard Deduction is 25,000, otherwise 20,000"},
       0,
       {"Standard Deduction:", "Professional Tax:"}},
      {kSection80Tab,
       {"SECTION 80", "All values are per Annum."},
       0,
       {"Interest etc., 80L:", "Mediclaim 80D:", "80 E:", "80 CCC:", "80 DD:", "80 DDB:"}},
      {kSection88Tab,
       {"SECTION 88", "All values are per Annum."},
       0,
       {"PF Contribution PA:", "Lic. Primea:", "PPF PA:", "Mutual Fund:", "Other Investments:",
        "Infrastructure Bond:"}},
      {kTaxResultsTab,
       {},
       0,
       {"Gross Salary:", "Taxable HRA:", "Exemption benefit under 80:", "Exemption benefit under 88:",
        "Tax Payable:"}},
  };
  FillPage(kIncomeTab, kIncomeAllPositive);
  for (const auto& page : pages) {
    SCOPED_TRACE(page.tab);
    ClickTab(page.tab);
    ASSERT_EQ(sheet().GetActiveIndex(), page.tab);
    QWidget* window = sheet().GetPage(page.tab)->GetSafeHwnd();
    std::vector<Spoken> fields;
    Announced pictures;
    Walk(QAccessible::queryAccessibleInterface(window), fields, pictures);

    std::vector<std::string> names;
    for (const Spoken& field : fields) names.push_back(field.name);
    std::vector<std::string> expected = page.fieldNames;
    std::ranges::sort(names);
    std::ranges::sort(expected);
    EXPECT_EQ(names, expected);
    // Each field's value is what it shows.
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
      const Spoken shown{edit->accessibleName().toStdString(), edit->text().toStdString()};
      EXPECT_NE(std::ranges::find(fields, shown), fields.end()) << shown.name << " = " << shown.value;
    }
    std::ranges::sort(pictures.pictureWords);
    std::vector<std::string> words = page.pictureWords;
    std::ranges::sort(words);
    EXPECT_EQ(pictures.pictureWords, words);
    EXPECT_EQ(pictures.silentPictures, page.silentPictures);
  }
}

}  // namespace
}  // namespace varnolix::test
