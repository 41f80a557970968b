#include "pages/sheet_reading.h"

#include "pages/amounts_page.h"
#include "pages/field_texts.h"
#include "pages/income_page.h"
#include "pages/standard_deduction_page.h"
#include "pages/varnolix_sheet.h"

namespace varnolix {

// Pages never shown have no fields; their amounts take the assessment's defaults.
SheetReading ReadSheet(CVarnolixSheet& sheet) {
  SheetReading reading;
  AssessmentInput& input = reading.input;
  input.standardDeductionShown = sheet.m_bStdDeductionVisited != 0;
  input.section80Shown = sheet.m_bSection80Visited != 0;
  input.section88Shown = sheet.m_bSection88Visited != 0;
  const auto read = [&](const CWnd& page, Page which) {
    if (!input.Shown(which) || page.GetSafeHwnd() == nullptr) return;
    ReadAmounts(page, which, input.amounts);
    ReadTexts(page, which, reading.typed);
  };
  read(sheet.IncomePage(), Page::kIncome);
  read(sheet.StandardDeductionPage(), Page::kStandardDeduction);
  read(sheet.Section80Page(), Page::kSection80);
  read(sheet.Section88Page(), Page::kSection88);
  return reading;
}

}  // namespace varnolix
