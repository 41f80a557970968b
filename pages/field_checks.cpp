#include "pages/field_checks.h"

#include <vector>

#include "assessment/amount.h"
#include "pages/field_controls.h"
#include "platform/message_box.h"

namespace varnolix {

bool WarnAboutZeroOrNegative(const CWnd& page, Page which) {
  std::vector<std::string_view> flagged;
  for (const FieldInfo& info : kFields) {
    const FieldControls& controls = ControlsOf(info.field);
    if (info.page != which || controls.warning.empty()) continue;
    if (IsZeroNegativeOrTooLarge(page.GetDlgItemText(controls.controlId), info.monthly)) flagged.push_back(controls.warning);
  }
  if (flagged.empty()) return false;
  ShowInformation(ZeroOrNegativeMessage(flagged));
  return true;
}

void ShowInformation(std::string_view text) { AfxMessageBox(text, MB_OK | MB_ICONINFORMATION, 0); }

}  // namespace varnolix
