#include "pages/tax_results_page.h"

#include <optional>

#include "assessment/assessment.h"
#include "pages/field_texts.h"
#include "pages/income_page.h"
#include "pages/section80_page.h"
#include "pages/section88_page.h"
#include "pages/standard_deduction_page.h"
#include "pages/varnolix_sheet.h"
#include "platform/dc.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids;

constexpr std::array<int, 6> kSection80Ids{section80::k80L,   section80::k80D,  section80::k80E,
                                           section80::k80CCC, section80::k80DD, section80::k80DDB};
constexpr std::array<int, 6> kSection88Ids{section88::kPfContribution, section88::kLicPremium,
                                           section88::kPpf,            section88::kMutualFund,
                                           section88::kOtherInvestments, section88::kInfrastructureBond};

constexpr COLORREF kTextColour = RGB(255, 0, 0);

}  // namespace

CResultDialog::CResultDialog() : CPropertyPage(resources::kTaxResultsDialog) {}

const MessageMap& CResultDialog::GetMessageMap() const {
  static const MessageMap map{&CPropertyPage::GetMessageMap(), {OnCtlColorRequest(&CResultDialog::OnCtlColor)}};
  return map;
}

bool CResultDialog::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) ShowResults(*sheet);
  return CPropertyPage::OnSetActive();
}

// Pages never shown have no fields; their amounts take the assessment's defaults.
void CResultDialog::ShowResults(CVarnolixSheet& sheet) {
  // The deduction always follows the current gross salary, so the Standard
  // Deduction page is brought up to date before anything is read.
  if (sheet.m_bStdDeductionVisited != 0) sheet.StandardDeductionPage().ShowCurrentTier();

  const IncomeFieldTexts income(sheet.IncomePage());
  AssessmentInput input{.income = income.View()};

  std::optional<FieldTexts<1>> deduction;
  if (sheet.m_bStdDeductionVisited != 0) {
    deduction.emplace(sheet.StandardDeductionPage(), std::array{standard_deduction::kProfessionTax});
    input.standardDeduction = StandardDeductionTexts{(*deduction)[0]};
  }
  std::optional<FieldTexts<6>> section80;
  if (sheet.m_bSection80Visited != 0) {
    const FieldTexts<6>& t = section80.emplace(sheet.Section80Page(), kSection80Ids);
    input.section80 = Section80Texts{t[0], t[1], t[2], t[3], t[4], t[5]};
  }
  std::optional<FieldTexts<6>> section88;
  if (sheet.m_bSection88Visited != 0) {
    const FieldTexts<6>& t = section88.emplace(sheet.Section88Page(), kSection88Ids);
    input.section88 = Section88Texts{t[0], t[1], t[2], t[3], t[4], t[5]};
  }

  const ResultTexts results = ResultTextsOf(Assess(input));
  SetDlgItemText(tax_results::kTaxableHra, results.taxableHra);
  SetDlgItemText(tax_results::kGrossSalary, results.grossSalary);
  SetDlgItemText(tax_results::kSection80Benefit, results.section80Benefit);
  SetDlgItemText(tax_results::kSection88Benefit, results.section88Benefit);
  SetDlgItemText(tax_results::kTaxPayable, results.taxPayable);
}

HBRUSH CResultDialog::OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind) {
  HBRUSH brush = CPropertyPage::OnCtlColor(dc, control, ctlColorKind);
  dc->SetTextColor(kTextColour);
  return brush;
}

}  // namespace varnolix
