#include "pages/field_checks.h"

#include <vector>

#include "assessment/amount.h"
#include "platform/message_box.h"

namespace varnolix {

bool WarnAboutZeroOrNegative(const CWnd& page, std::span<const FieldWarning> fields) {
  std::vector<std::string_view> flagged;
  for (const FieldWarning& field : fields) {
    if (IsZeroOrNegative(page.GetDlgItemText(field.id))) flagged.push_back(field.label);
  }
  if (flagged.empty()) return false;
  ShowInformation(ZeroOrNegativeMessage(flagged));
  return true;
}

void ShowInformation(std::string_view text) { AfxMessageBox(text, MB_OK | MB_ICONINFORMATION, 0); }

}  // namespace varnolix
