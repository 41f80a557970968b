#include "pages/section80_page.h"

#include "assessment/fields.h"
#include "pages/field_checks.h"
#include "pages/varnolix_sheet.h"
#include "platform/dc.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {
namespace {

using namespace ids::section80;

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
  auto field = m_fields.begin();
  for (const FieldInfo& info : kFields) {
    if (info.page == Page::kSection80) DDX_Control(dx, info.controlId, *field++);
  }
}

bool CMutualEtcDlg::OnSetActive() {
  if (CVarnolixSheet* sheet = SheetOf(*this)) sheet->m_bSection80Visited = 1;
  return CPropertyPage::OnSetActive();
}

bool CMutualEtcDlg::OnKillActive() {
  WarnAboutZeroOrNegative(*this, Page::kSection80);
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
