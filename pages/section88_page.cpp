#include "pages/section88_page.h"

#include "assessment/fields.h"
#include "pages/field_checks.h"
#include "pages/varnolix_sheet.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids::section88;

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
  auto field = m_fields.begin();
  for (const FieldInfo& info : kFields) {
    if (info.page == Page::kSection88) DDX_Control(dx, info.controlId, *field++);
  }
}

bool CSection88Dlg::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) sheet->m_bSection88Visited = 1;
  return CPropertyPage::OnSetActive();
}

bool CSection88Dlg::OnKillActive() {
  WarnAboutZeroOrNegative(*this, Page::kSection88);  // the PPF amount has no warning
  return CPropertyPage::OnKillActive();
}

void CSection88Dlg::OnReset() {
  for (int id : kResetOrder) SetDlgItemText(id, "0");
}

}  // namespace varnolix
