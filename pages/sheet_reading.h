// The sheet's entries as the assessment reads them, in one place for the results, the
// printout and the saved file: the amounts of the pages shown, and their texts as typed.
#pragma once

#include <string>

#include "assessment/assessment.h"
#include "assessment/fields.h"

namespace varnolix {

class CVarnolixSheet;

struct SheetReading {
  AssessmentInput input;       // for a monthly salary, its annual echo's amount
  PerField<std::string> typed;  // as typed, the monthly text for a monthly salary; empty on pages never shown
};

SheetReading ReadSheet(CVarnolixSheet& sheet);

}  // namespace varnolix
