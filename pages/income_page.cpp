#include "pages/income_page.h"

#include "assessment/amount.h"
#include "pages/field_checks.h"
#include "platform/dc.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids::income;

constexpr std::array<int, 9> kFieldIds{kBasicPerMonth, kAllowances1PerMonth, kAllowances2PerMonth,
                                       kAnnualBasic,   kAnnualAllowances1,   kAnnualAllowances2,
                                       kLtaTaxableAnnual, kRentPerMonth,     kHraReceivedPerMonth};

// Checked when leaving, after the basic salary; the labels run together as they are.
constexpr FieldWarning kWarnings[] = {
    {kAllowances1PerMonth, "Allowences 1 PM, "}, {kAllowances2PerMonth, "Allowences 2 PM,"},
    {kLtaTaxableAnnual, "LTA Taxable annual, "}, {kRentPerMonth, "Rent PM, "},
    {kHraReceivedPerMonth, "HRA received PM, "},
};

// Clearing a monthly field echoes it, so the annual fields end at "0.00".
constexpr int kResetOrder[] = {kHraReceivedPerMonth, kRentPerMonth,        kLtaTaxableAnnual,
                               kAnnualAllowances2,   kAnnualAllowances1,   kAnnualBasic,
                               kAllowances1PerMonth, kAllowances2PerMonth, kBasicPerMonth};

constexpr std::array<int, 6> kSalaryFigureIds{kAnnualBasic,      kAnnualAllowances1, kAnnualAllowances2,
                                              kLtaTaxableAnnual, kRentPerMonth,      kHraReceivedPerMonth};

constexpr COLORREF kTextColour = RGB(0, 125, 0);

}  // namespace

CMainBasicDlg::CMainBasicDlg() : CPropertyPage(resources::kIncomeDialog) {}

const MessageMap& CMainBasicDlg::GetMessageMap() const {
  static const MessageMap map{&CPropertyPage::GetMessageMap(),
                              {
                                  OnButtonClicked(kNext, &CMainBasicDlg::OnNext),
                                  OnCtlColorRequest(&CMainBasicDlg::OnCtlColor),
                                  OnEditChange(kBasicPerMonth, &CMainBasicDlg::OnChangeBasicPerMonth),
                                  OnEditChange(kAllowances1PerMonth, &CMainBasicDlg::OnChangeAllowances1PerMonth),
                                  OnEditChange(kAllowances2PerMonth, &CMainBasicDlg::OnChangeAllowances2PerMonth),
                                  OnButtonClicked(kReset, &CMainBasicDlg::OnReset),
                              }};
  return map;
}

void CMainBasicDlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  for (size_t i = 0; i < kFieldIds.size(); ++i) DDX_Control(dx, kFieldIds[i], m_fields[i]);
}

bool CMainBasicDlg::OnKillActive() {
  if (IsZeroOrNegative(GetDlgItemText(kBasicPerMonth))) {
    ShowInformation("Basic PM must have some value.");
    return false;
  }
  if (WarnAboutZeroOrNegative(*this, kWarnings)) return true;
  return CPropertyPage::OnKillActive();
}

HBRUSH CMainBasicDlg::OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind) {
  HBRUSH brush = CPropertyPage::OnCtlColor(dc, control, ctlColorKind);
  dc->SetTextColor(kTextColour);
  return brush;
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

IncomeFieldTexts::IncomeFieldTexts(const CMainBasicDlg& page) : m_texts(page, kSalaryFigureIds) {}

IncomeTexts IncomeFieldTexts::View() const {
  return {m_texts[0], m_texts[1], m_texts[2], m_texts[3], m_texts[4], m_texts[5]};
}

}  // namespace varnolix
