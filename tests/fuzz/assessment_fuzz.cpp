// The assessment on any texts typed into its fields, by both ways in: the program's (each
// field read by ReadAmount, a monthly salary through the text of its annual echo) and the
// batch tool's (a row of cells, read leniently or strictly). Both must give the same
// results and the same working, the same every time, and results that read back as
// written.
//
// The input is the pages shown (byte 0: bit 0 Standard Deduction, bit 1 Section 80,
// bit 2 Section 88), then the nineteen fields' texts in table order, separated by '|'.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/amount.h"
#include "assessment/assessment.h"
#include "assessment/fields.h"
#include "assessment/working.h"
#include "payroll/columns.h"
#include "cli/row_assessment.h"
#include "tests/fuzz/property.h"

namespace varnolix::fuzz {
namespace {

struct Outcome {
  PerResult<double> amounts;
  PerResult<std::string> texts;
  std::string working;
};

bool SameOutcome(const Outcome& a, const Outcome& b) {
  for (const ResultInfo& info : kResults) {
    if (!SameDouble(a.amounts[info.result], b.amounts[info.result])) return false;
  }
  return a.texts == b.texts && a.working == b.working;
}

// As the Tax Results page assesses what is typed into the pages shown.
Outcome AssessAsTheProgram(const PerField<std::string>& typed, const AssessmentInput& shown) {
  AssessmentInput input = shown;
  for (const FieldInfo& info : kFields) {
    if (!input.Shown(info.page)) continue;
    const std::string& text = typed[info.field];
    input.amounts[info.field] = info.annualId != 0 ? ReadAnnualEcho(AnnualEcho(text)) : ReadAmount(text);
  }
  const Assessment assessment = Assess(input);
  return {ResultAmountsOf(assessment), ResultTextsOf(assessment), WorkingText(WorkingOf(assessment, typed))};
}

Outcome OutcomeOf(const cli::RowAssessor& row) {
  return {row.results(), ResultTextsOf(row.assessment()),
          WorkingText(WorkingOf(row.assessment(), row.TypedTexts()))};
}

const payroll::ColumnMap& EveryColumn() {
  static const payroll::ColumnMap columns = [] {
    std::vector<std::string_view> header;
    for (const FieldInfo& info : kFields) header.push_back(info.column);
    std::optional<payroll::ColumnMap::Duplicate> duplicate;
    return payroll::ColumnMap::FromHeader(header, duplicate);
  }();
  return columns;
}

}  // namespace
}  // namespace varnolix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnolix;
  using namespace varnolix::fuzz;
  if (size == 0) return 0;
  const AssessmentInput shown{.standardDeductionShown = (data[0] & 1u) != 0,
                              .section80Shown = (data[0] & 2u) != 0,
                              .section88Shown = (data[0] & 4u) != 0};
  PerField<std::string> typed;
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (const FieldInfo& info : kFields) {
    const size_t bar = rest.find('|');
    typed[info.field] = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
  }

  const Outcome outcome = AssessAsTheProgram(typed, shown);
  Require(SameOutcome(outcome, AssessAsTheProgram(typed, shown)), "the same texts give the same assessment twice");
  for (const ResultInfo& info : kResults) {
    const double amount = outcome.amounts[info.result];
    const std::string& text = outcome.texts[info.result];
    Require(text == WriteAmount(amount), "a result's text is its amount written");
    if (std::isfinite(amount)) Require(WriteAmount(ReadAmount(text)) == text, "a result reads back to the same cents");
  }

  // The batch tool shows every page.
  const AssessmentInput everyPage{.standardDeductionShown = true, .section80Shown = true, .section88Shown = true};
  const Outcome program = AssessAsTheProgram(typed, everyPage);
  std::vector<std::string_view> cells;
  for (const FieldInfo& info : kFields) cells.push_back(typed[info.field]);

  cli::RowAssessor lenient(EveryColumn(), payroll::AmountReading::kLenient);
  const bool lenientOk = lenient.Assess(cells, 2);
  Require(lenientOk == !IsZeroNegativeOrTooLarge(typed[Field::kBasic], true),
          "a lenient row is refused only for a basic salary not above 0 or too large to hold");
  if (lenientOk) Require(SameOutcome(OutcomeOf(lenient), program), "a lenient row is assessed as the program does");

  cli::RowAssessor strict(EveryColumn(), payroll::AmountReading::kStrict);
  if (!strict.Assess(cells, 2)) return 0;
  Require(SameOutcome(OutcomeOf(strict), AssessAsTheProgram(strict.TypedTexts(), everyPage)),
          "a strict row is assessed as the program does with its bare amounts typed in");
  return 0;
}
