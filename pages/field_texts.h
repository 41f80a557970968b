// The fields of the input pages as the field table describes them, read at the moment
// they are needed.
#pragma once

#include <string>

#include "assessment/amount.h"
#include "assessment/fields.h"
#include "platform/wnd.h"

namespace varnolix {

// The amount the assessment reads from each field of page `which`, shown as `page`: for a
// monthly salary, its annual echo's.
inline void ReadAmounts(const CWnd& page, Page which, PerField<double>& amounts) {
  for (const FieldInfo& info : kFields) {
    if (info.page != which) continue;
    const std::string text = page.GetDlgItemText(AssessedControlId(info));
    amounts[info.field] = info.annualId != 0 ? ReadAnnualEcho(text) : ReadAmount(text);
  }
}

// What each field of page `which` holds as typed: for a monthly salary, the monthly text.
inline void ReadTexts(const CWnd& page, Page which, PerField<std::string>& texts) {
  for (const FieldInfo& info : kFields) {
    if (info.page == which) texts[info.field] = page.GetDlgItemText(info.controlId);
  }
}

}  // namespace varnolix
