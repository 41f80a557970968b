#include "pages/amounts_page.h"

#include "pages/field_checks.h"
#include "pages/field_controls.h"
#include "pages/varnolix_sheet.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

constexpr int kSection80ResetOrder[] = {ids::section80::k80DDB, ids::section80::k80DD, ids::section80::k80CCC,
                                        ids::section80::k80E,   ids::section80::k80D,  ids::section80::k80L};
constexpr int kSection88ResetOrder[] = {ids::section88::kPfContribution,   ids::section88::kPpf,
                                        ids::section88::kLicPremium,       ids::section88::kMutualFund,
                                        ids::section88::kOtherInvestments, ids::section88::kInfrastructureBond};

const AmountsPageLook kSection80Look{resources::kSection80Dialog, Page::kSection80,
                                     &CVarnolixSheet::m_bSection80Visited, ids::section80::kReset,
                                     kSection80ResetOrder, RGB(125, 0, 125)};
const AmountsPageLook kSection88Look{resources::kSection88Dialog, Page::kSection88,
                                     &CVarnolixSheet::m_bSection88Visited, ids::section88::kReset,
                                     kSection88ResetOrder, std::nullopt};

}  // namespace

CAmountsPage::CAmountsPage(const AmountsPageLook& look) : CColouredPage(look.dialog, look.textColour), m_look(look) {}

void CAmountsPage::DoDataExchange(CDataExchange* dx) {
  CColouredPage::DoDataExchange(dx);
  auto field = m_fields.begin();
  for (const FieldInfo& info : kFields) {
    if (info.page == m_look.page) DDX_Control(dx, ControlsOf(info.field).controlId, *field++);
  }
}

bool CAmountsPage::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) sheet->*m_look.visitedFlag = 1;
  return CColouredPage::OnSetActive();
}

// The warning never keeps the person on the page.
bool CAmountsPage::OnKillActive() {
  WarnAboutZeroOrNegative(*this, m_look.page);
  return CColouredPage::OnKillActive();
}

bool CAmountsPage::OnCommand(int id) {
  if (id != m_look.resetId) return CColouredPage::OnCommand(id);
  for (int field : m_look.resetOrder) SetDlgItemText(field, "0");
  return true;
}

CMutualEtcDlg::CMutualEtcDlg() : CAmountsPage(kSection80Look) {}

CSection88Dlg::CSection88Dlg() : CAmountsPage(kSection88Look) {}

}  // namespace varnolix
