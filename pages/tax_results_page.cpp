#include "pages/tax_results_page.h"

#include "assessment/amount.h"
#include "computation/computation.h"
#include "computation/render.h"
#include "pages/field_controls.h"
#include "pages/sheet_reading.h"
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
  for (int id : kResultControls) GetDlgItem(id)->AppendContextMenuCommand("Copy Working", ids::tax_results::kCopyWorking);
  return true;
}

bool CResultDialog::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) ShowResults(*sheet);
  return CColouredPage::OnSetActive();
}

void CResultDialog::ShowResults(CVarnolixSheet& sheet) {
  // The deduction always follows the current gross salary, so the Standard
  // Deduction page is brought up to date before anything is read.
  if (sheet.m_bStdDeductionVisited != 0) sheet.StandardDeductionPage().ShowCurrentTier();
  const SheetReading reading = ReadSheet(sheet);

  // The results, their working and what is copied all come from this one computation.
  const Computation computation = ComputationOf({}, {}, reading.typed, reading.shown);
  for (const ResultInfo& result : kResults) {
    const int id = ControlOf(result.result);
    SetDlgItemText(id, WriteAmount(computation.results[result.result]));
    m_tipWorking.AddTool(GetDlgItem(id), ResultTip(computation, result.result));
  }
  m_strWorking = WorkingText(computation);
}

void CResultDialog::OnCopyWorking() { SetClipboardText(m_strWorking); }

}  // namespace varnolix
