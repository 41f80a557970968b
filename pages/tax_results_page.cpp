#include "pages/tax_results_page.h"

#include "assessment/assessment.h"
#include "pages/field_texts.h"
#include "pages/income_page.h"
#include "pages/section80_page.h"
#include "pages/section88_page.h"
#include "pages/standard_deduction_page.h"
#include "pages/varnolix_sheet.h"
#include "platform/dc.h"
#include "resources/dialog_templates.h"

namespace varnolix {
namespace {

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

  AssessmentInput input{.standardDeductionShown = sheet.m_bStdDeductionVisited != 0,
                        .section80Shown = sheet.m_bSection80Visited != 0,
                        .section88Shown = sheet.m_bSection88Visited != 0};
  ReadAmounts(sheet.IncomePage(), Page::kIncome, input.amounts);
  if (input.standardDeductionShown) ReadAmounts(sheet.StandardDeductionPage(), Page::kStandardDeduction, input.amounts);
  if (input.section80Shown) ReadAmounts(sheet.Section80Page(), Page::kSection80, input.amounts);
  if (input.section88Shown) ReadAmounts(sheet.Section88Page(), Page::kSection88, input.amounts);

  const PerResult<std::string> results = ResultTextsOf(Assess(input));
  for (const ResultInfo& result : kResults) SetDlgItemText(result.controlId, results[result.result]);
}

HBRUSH CResultDialog::OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind) {
  HBRUSH brush = CPropertyPage::OnCtlColor(dc, control, ctlColorKind);
  dc->SetTextColor(kTextColour);
  return brush;
}

}  // namespace varnolix
