#include "pages/section80_page.h"

#include "pages/field_checks.h"
#include "pages/varnolix_sheet.h"
#include "platform/dc.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids::section80;

// In the order they are checked when leaving; "80 E:" warns as "80A, ".
constexpr FieldWarning kFields[] = {
    {k80L, "Interest etc. 80L, "}, {k80D, "Mediclaim 80D, "}, {k80E, "80A, "},
    {k80CCC, "80 CCC, "},          {k80DD, "80 DD, "},        {k80DDB, "80 DDB, "},
};

constexpr int kResetOrder[] = {k80DDB, k80DD, k80CCC, k80E, k80D, k80L};

constexpr COLORREF kTextColour = RGB(125, 0, 125);

}  // namespace

CMutualEtcDlg::CMutualEtcDlg() : CPropertyPage(resources::kSection80Dialog) {}

const MessageMap& CMutualEtcDlg::GetMessageMap() const {
  static const MessageMap map{&CPropertyPage::GetMessageMap(),
                              {
                                  OnCtlColorRequest(&CMutualEtcDlg::OnCtlColor),
                                  OnButtonClicked(kReset, &CMutualEtcDlg::OnReset),
                              }};
  return map;
}

void CMutualEtcDlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  for (size_t i = 0; i < m_fields.size(); ++i) DDX_Control(dx, kFields[i].id, m_fields[i]);
}

bool CMutualEtcDlg::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) sheet->m_bSection80Visited = 1;
  return CPropertyPage::OnSetActive();
}

bool CMutualEtcDlg::OnKillActive() {
  WarnAboutZeroOrNegative(*this, kFields);
  return CPropertyPage::OnKillActive();
}

HBRUSH CMutualEtcDlg::OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind) {
  HBRUSH brush = CPropertyPage::OnCtlColor(dc, control, ctlColorKind);
  dc->SetTextColor(kTextColour);
  return brush;
}

void CMutualEtcDlg::OnReset() {
  for (int id : kResetOrder) SetDlgItemText(id, "0");
}

}  // namespace varnolix
