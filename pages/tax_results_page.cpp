#include "pages/tax_results_page.h"

#include "assessment/assessment.h"
#include "assessment/working.h"
#include "pages/amounts_page.h"
#include "pages/field_texts.h"
#include "pages/income_page.h"
#include "pages/standard_deduction_page.h"
#include "pages/varnolix_sheet.h"
#include "platform/clipboard.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {

CResultDialog::CResultDialog() : CColouredPage(resources::kTaxResultsDialog, RGB(255, 0, 0)) {}

const MessageMap& CResultDialog::GetMessageMap() const {
  static const MessageMap map{&CColouredPage::GetMessageMap(),
                              {
                                  varnolix::OnCommand(ids::tax_results::kCopyWorking, &CResultDialog::OnCopyWorking),
                              }};
  return map;
}

bool CResultDialog::OnInitDialog() {
  CColouredPage::OnInitDialog();
  m_tipWorking.Create(this);
  for (const ResultInfo& result : kResults) {
    GetDlgItem(result.controlId)->AppendContextMenuCommand("Copy Working", ids::tax_results::kCopyWorking);
  }
  return true;
}

bool CResultDialog::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) ShowResults(*sheet);
  return CColouredPage::OnSetActive();
}

// Pages never shown have no fields; their amounts take the assessment's defaults.
void CResultDialog::ShowResults(CVarnolixSheet& sheet) {
  // The deduction always follows the current gross salary, so the Standard
  // Deduction page is brought up to date before anything is read.
  if (sheet.m_bStdDeductionVisited != 0) sheet.StandardDeductionPage().ShowCurrentTier();

  AssessmentInput input{.standardDeductionShown = sheet.m_bStdDeductionVisited != 0,
                        .section80Shown = sheet.m_bSection80Visited != 0,
                        .section88Shown = sheet.m_bSection88Visited != 0};
  PerField<std::string> typed;
  const auto read = [&](const CWnd& page, Page which) {
    ReadAmounts(page, which, input.amounts);
    ReadTexts(page, which, typed);
  };
  read(sheet.IncomePage(), Page::kIncome);
  if (input.standardDeductionShown) read(sheet.StandardDeductionPage(), Page::kStandardDeduction);
  if (input.section80Shown) read(sheet.Section80Page(), Page::kSection80);
  if (input.section88Shown) read(sheet.Section88Page(), Page::kSection88);

  // The results, their working and what is copied all come from this one assessment.
  const Assessment assessment = Assess(input);
  const PerResult<std::string> results = ResultTextsOf(assessment);
  const Working working = WorkingOf(assessment, typed);
  for (const ResultInfo& result : kResults) {
    SetDlgItemText(result.controlId, results[result.result]);
    m_tipWorking.AddTool(GetDlgItem(result.controlId), WorkingText(working, PartsExplaining(result.result)));
  }
  m_strWorking = WorkingText(working);
}

void CResultDialog::OnCopyWorking() { SetClipboardText(m_strWorking); }

}  // namespace varnolix
