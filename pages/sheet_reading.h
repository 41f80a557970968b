// The sheet's entries as the assessment reads them, in one place for the results, the
// printout and the saved file: what each field of the pages shown holds as typed, and
// the amounts the assessment takes from those texts (AssessedAmount).
#pragma once

#include <string>

#include "assessment/assessment.h"
#include "assessment/fields.h"
#include "platform/wnd.h"

namespace varnolix {

class CVarnolixSheet;

struct SheetReading {
  PagesShown shown;
  AssessmentInput input;        // from `typed`, by InputOf
  PerField<std::string> typed;  // as typed, the monthly text for a monthly salary; empty on pages never shown
};

SheetReading ReadSheet(CVarnolixSheet& sheet);

// What each field of page `which`, shown as `page`, holds as typed.
void ReadPageTexts(const CWnd& page, Page which, PerField<std::string>& texts);

}  // namespace varnolix
