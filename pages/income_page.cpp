#include "pages/income_page.h"

#include "assessment/amount.h"
#include "assessment/fields.h"
#include "pages/field_checks.h"
#include "pages/field_controls.h"
#include "payroll/messages.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids::income;

// Clearing a monthly field echoes it, so the annual fields end at "0.00".
constexpr int kResetOrder[] = {kHraReceivedPerMonth, kRentPerMonth,        kLtaTaxableAnnual,
                               kAnnualAllowances2,   kAnnualAllowances1,   kAnnualBasic,
                               kAllowances1PerMonth, kAllowances2PerMonth, kBasicPerMonth};

}  // namespace

CMainBasicDlg::CMainBasicDlg() : CColouredPage(resources::kIncomeDialog, RGB(0, 125, 0)) {}

const MessageMap& CMainBasicDlg::GetMessageMap() const {
  static const MessageMap map{&CColouredPage::GetMessageMap(),
                              {
                                  OnButtonClicked(kNext, &CMainBasicDlg::OnNext),
                                  OnEditChange(kBasicPerMonth, &CMainBasicDlg::OnChangeBasicPerMonth),
                                  OnEditChange(kAllowances1PerMonth, &CMainBasicDlg::OnChangeAllowances1PerMonth),
                                  OnEditChange(kAllowances2PerMonth, &CMainBasicDlg::OnChangeAllowances2PerMonth),
                                  OnButtonClicked(kReset, &CMainBasicDlg::OnReset),
                              }};
  return map;
}

void CMainBasicDlg::DoDataExchange(CDataExchange* dx) {
  CColouredPage::DoDataExchange(dx);
  auto field = m_fields.begin();
  for (const FieldInfo& info : kFields) {
    if (info.page != Page::kIncome) continue;
    const FieldControls& controls = ControlsOf(info.field);
    DDX_Control(dx, controls.controlId, *field++);
    if (controls.echoId != 0) DDX_Control(dx, controls.echoId, *field++);
  }
}

bool CMainBasicDlg::OnKillActive() {
  if (IsZeroNegativeOrTooLarge(GetDlgItemText(kBasicPerMonth), Info(Field::kBasic).monthly)) {
    ShowInformation(payroll::kBasicNeedsValue);
    return false;
  }
  if (WarnAboutZeroOrNegative(*this, Page::kIncome)) return true;
  return CColouredPage::OnKillActive();
}

void CMainBasicDlg::OnChangeBasicPerMonth() { EchoAnnual(kBasicPerMonth, kAnnualBasic); }
void CMainBasicDlg::OnChangeAllowances1PerMonth() { EchoAnnual(kAllowances1PerMonth, kAnnualAllowances1); }
void CMainBasicDlg::OnChangeAllowances2PerMonth() { EchoAnnual(kAllowances2PerMonth, kAnnualAllowances2); }

void CMainBasicDlg::EchoAnnual(int monthlyId, int annualId) {
  SetDlgItemText(annualId, AnnualEcho(GetDlgItemText(monthlyId)));
}

void CMainBasicDlg::OnReset() {
  for (int id : kResetOrder) SetDlgItemText(id, "");
}

}  // namespace varnolix
