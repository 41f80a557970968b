#include "pages/section88_page.h"

#include "pages/field_checks.h"
#include "pages/varnolix_sheet.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids::section88;

constexpr std::array<int, 6> kFieldIds{kPfContribution, kLicPremium,       kPpf,
                                       kMutualFund,     kOtherInvestments, kInfrastructureBond};

// Checked when leaving, in this order; the PPF amount is never checked.
constexpr FieldWarning kWarnings[] = {
    {kPfContribution, "PF Contribution, "},       {kLicPremium, "LIC Primea, "},
    {kMutualFund, "Mutual Fund,"},                {kOtherInvestments, "Other Investments., "},
    {kInfrastructureBond, "Infrastructure Bonds, "},
};

constexpr int kResetOrder[] = {kPfContribution, kPpf, kLicPremium, kMutualFund, kOtherInvestments,
                               kInfrastructureBond};

}  // namespace

CSection88Dlg::CSection88Dlg() : CPropertyPage(resources::kSection88Dialog) {}

const MessageMap& CSection88Dlg::GetMessageMap() const {
  static const MessageMap map{&CPropertyPage::GetMessageMap(), {OnButtonClicked(kReset, &CSection88Dlg::OnReset)}};
  return map;
}

void CSection88Dlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  for (size_t i = 0; i < m_fields.size(); ++i) DDX_Control(dx, kFieldIds[i], m_fields[i]);
}

bool CSection88Dlg::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) sheet->m_bSection88Visited = 1;
  return CPropertyPage::OnSetActive();
}

bool CSection88Dlg::OnKillActive() {
  WarnAboutZeroOrNegative(*this, kWarnings);
  return CPropertyPage::OnKillActive();
}

void CSection88Dlg::OnReset() {
  for (int id : kResetOrder) SetDlgItemText(id, "0");
}

}  // namespace varnolix
