// What a person types, as a row of tests/shared/assessment_rows.csv: the nineteen fields
// in the order of the field table, as far as the row goes. The monthly salaries are
// echoed times 12, as the Income page does, and a page counts as shown when the row
// reaches one of its fields.
#pragma once

#include <string>
#include <string_view>

#include "assessment/amount.h"
#include "assessment/assessment.h"

namespace varnolix::test {

struct TypedRow {
  AssessmentInput input;
  PerField<std::string> texts;
};

inline TypedRow Typed(std::string_view row) {
  TypedRow typed;
  size_t start = 0;
  for (const FieldInfo& info : kFields) {
    if (start > row.size()) break;
    const size_t comma = std::min(row.find(',', start), row.size());
    const std::string_view text = row.substr(start, comma - start);
    start = comma + 1;
    typed.texts[info.field] = text;
    const double amount = ReadAmount(text);
    typed.input.amounts[info.field] = info.annualId != 0 ? AnnualEchoValue(amount) : amount;
    typed.input.standardDeductionShown |= info.page == Page::kStandardDeduction;
    typed.input.section80Shown |= info.page == Page::kSection80;
    typed.input.section88Shown |= info.page == Page::kSection88;
  }
  return typed;
}

// The five texts of the Tax Results page, in its order, one blank apart.
inline std::string Shown(const PerResult<std::string>& results) {
  std::string shown;
  for (const std::string& text : results.values) shown += (shown.empty() ? "" : " ") + text;
  return shown;
}

inline std::string Shown(const AssessmentInput& input) { return Shown(ResultTextsOf(Assess(input))); }

}  // namespace varnolix::test
