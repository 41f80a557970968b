#include "pages/standard_deduction_page.h"

#include "assessment/salary_figures.h"
#include "pages/field_texts.h"
#include "pages/income_page.h"
#include "pages/varnolix_sheet.h"
#include "platform/dc.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids::standard_deduction;

constexpr COLORREF kTextColour = RGB(0, 0, 125);

}  // namespace

CStandardDecuctionDlg::CStandardDecuctionDlg() : CPropertyPage(resources::kStandardDeductionDialog) {}

const MessageMap& CStandardDecuctionDlg::GetMessageMap() const {
  static const MessageMap map{&CPropertyPage::GetMessageMap(),
                              {OnCtlColorRequest(&CStandardDecuctionDlg::OnCtlColor)}};
  return map;
}

void CStandardDecuctionDlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Control(dx, kStandardDeduction, m_standardDeduction);
  DDX_Control(dx, kProfessionTax, m_professionTax);
}

bool CStandardDecuctionDlg::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  SetDlgItemText(kStandardDeduction, "20000");
  return true;
}

bool CStandardDecuctionDlg::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) sheet->m_bStdDeductionVisited = 1;
  ShowCurrentTier();
  return CPropertyPage::OnSetActive();
}

void CStandardDecuctionDlg::ShowCurrentTier() {
  CVarnolixSheet* sheet = SheetOf(*this);
  if (sheet == nullptr) return;
  PerField<double> amounts{};
  ReadAmounts(sheet->IncomePage(), Page::kIncome, amounts);
  const SalaryFigures figures = ComputeSalaryFigures(amounts);
  SetDlgItemText(kStandardDeduction, StandardDeductionTierFor(figures.grossSalary).text);
}

HBRUSH CStandardDecuctionDlg::OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind) {
  HBRUSH brush = CPropertyPage::OnCtlColor(dc, control, ctlColorKind);
  dc->SetTextColor(kTextColour);
  return brush;
}

}  // namespace varnolix
