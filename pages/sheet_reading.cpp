#include "pages/sheet_reading.h"

#include "pages/amounts_page.h"
#include "pages/field_controls.h"
#include "pages/income_page.h"
#include "pages/standard_deduction_page.h"
#include "pages/varnolix_sheet.h"

namespace varnolix {

void ReadPageTexts(const CWnd& page, Page which, PerField<std::string>& texts) {
  for (const FieldInfo& info : kFields) {
    if (info.page == which) texts[info.field] = page.GetDlgItemText(ControlsOf(info.field).controlId);
  }
}

// Pages never shown have no fields; their amounts take the assessment's defaults.
SheetReading ReadSheet(CVarnolixSheet& sheet) {
  SheetReading reading;
  reading.shown = {.standardDeduction = sheet.m_bStdDeductionVisited != 0,
                   .section80 = sheet.m_bSection80Visited != 0,
                   .section88 = sheet.m_bSection88Visited != 0};
  reading.input = InputOf({}, reading.shown);
  const auto read = [&](const CWnd& page, Page which) {
    if (reading.input.Shown(which) && page.GetSafeHwnd() != nullptr) ReadPageTexts(page, which, reading.typed);
  };
  read(sheet.IncomePage(), Page::kIncome);
  read(sheet.StandardDeductionPage(), Page::kStandardDeduction);
  read(sheet.Section80Page(), Page::kSection80);
  read(sheet.Section88Page(), Page::kSection88);
  reading.input = InputOf(reading.typed, reading.shown);
  return reading;
}

}  // namespace varnolix
