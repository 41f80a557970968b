#include "pages/standard_deduction_page.h"

#include "assessment/salary_figures.h"
#include "pages/sheet_reading.h"
#include "pages/income_page.h"
#include "pages/varnolix_sheet.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {

using namespace ids::standard_deduction;

CStandardDecuctionDlg::CStandardDecuctionDlg()
    : CColouredPage(resources::kStandardDeductionDialog, RGB(0, 0, 125)) {}

void CStandardDecuctionDlg::DoDataExchange(CDataExchange* dx) {
  CColouredPage::DoDataExchange(dx);
  DDX_Control(dx, kStandardDeduction, m_standardDeduction);
  DDX_Control(dx, kProfessionTax, m_professionTax);
}

bool CStandardDecuctionDlg::OnInitDialog() {
  CColouredPage::OnInitDialog();
  SetDlgItemText(kStandardDeduction, "20000");
  return true;
}

bool CStandardDecuctionDlg::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) sheet->m_bStdDeductionVisited = 1;
  ShowCurrentTier();
  return CColouredPage::OnSetActive();
}

void CStandardDecuctionDlg::ShowCurrentTier() {
  CVarnolixSheet* sheet = SheetOf(*this);
  if (sheet == nullptr) return;
  PerField<std::string> texts;
  ReadPageTexts(sheet->IncomePage(), Page::kIncome, texts);
  const SalaryFigures figures = ComputeSalaryFigures(InputOf(texts, {}).amounts);
  SetDlgItemText(kStandardDeduction, StandardDeductionTierFor(figures.grossSalary).text);
}

}  // namespace varnolix
