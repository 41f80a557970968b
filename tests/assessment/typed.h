// What a person types, as a row of tests/shared/assessment_rows.csv: the nineteen fields
// in the order of the field table, as far as the row goes, taken as the program takes
// them (InputOf). A page counts as shown when the row reaches one of its fields.
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
  PagesShown shown;
  size_t start = 0;
  for (const FieldInfo& info : kFields) {
    if (start > row.size()) break;
    const size_t comma = std::min(row.find(',', start), row.size());
    typed.texts[info.field] = row.substr(start, comma - start);
    start = comma + 1;
    shown.standardDeduction |= info.page == Page::kStandardDeduction;
    shown.section80 |= info.page == Page::kSection80;
    shown.section88 |= info.page == Page::kSection88;
  }
  typed.input = InputOf(typed.texts, shown);
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
