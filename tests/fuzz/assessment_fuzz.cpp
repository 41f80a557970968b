// The assessment on any texts typed into its fields, by both ways in: the program's (the
// computation of the texts) and the batch tool's (a row of cells, read leniently or
// strictly, by its quick route). Both must give the same results, the same every time,
// results that read back as written, and a working and tooltips that render.
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
#include "computation/render.h"
#include "payroll/columns.h"
#include "cli/row_assessment.h"
#include "tests/fuzz/property.h"

namespace varnolix::fuzz {
namespace {

struct Outcome {
  PerResult<double> amounts;
  PerResult<std::string> texts;
  std::string working;  // and the tooltips
};

bool SameOutcome(const Outcome& a, const Outcome& b) {
  for (const ResultInfo& info : kResults) {
    if (!SameDouble(a.amounts[info.result], b.amounts[info.result])) return false;
  }
  return a.texts == b.texts && a.working == b.working;
}

// As the Tax Results page assesses what is typed into the pages shown.
Outcome AssessAsTheProgram(const PerField<std::string>& typed, PagesShown shown) {
  const Computation computation = ComputationOf({}, {}, typed, shown);
  Outcome outcome{computation.results, {}, WorkingText(computation)};
  for (const ResultInfo& info : kResults) {
    outcome.texts[info.result] = WriteAmount(computation.results[info.result]);
    outcome.working += ResultTip(computation, info.result);
  }
  return outcome;
}

// The tool's own results, with the working of its texts.
Outcome OutcomeOf(const cli::RowAssessor& row) {
  Outcome outcome = AssessAsTheProgram(row.TypedTexts(), kEveryPageShown);
  outcome.amounts = row.results();
  outcome.texts = ResultTextsOf(row.assessment());
  return outcome;
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
  const PagesShown shown{.standardDeduction = (data[0] & 1u) != 0,
                         .section80 = (data[0] & 2u) != 0,
                         .section88 = (data[0] & 4u) != 0};
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
  const Outcome program = AssessAsTheProgram(typed, kEveryPageShown);
  std::vector<std::string_view> cells;
  for (const FieldInfo& info : kFields) cells.push_back(typed[info.field]);

  cli::RowAssessor lenient(EveryColumn(), payroll::AmountReading::kLenient);
  const bool lenientOk = lenient.Assess(cells, 2);
  Require(lenientOk == !IsZeroNegativeOrTooLarge(typed[Field::kBasic], true),
          "a lenient row is refused only for a basic salary not above 0 or too large to hold");
  if (lenientOk) Require(SameOutcome(OutcomeOf(lenient), program), "a lenient row is assessed as the program does");

  cli::RowAssessor strict(EveryColumn(), payroll::AmountReading::kStrict);
  if (!strict.Assess(cells, 2)) return 0;
  Require(SameOutcome(OutcomeOf(strict), AssessAsTheProgram(strict.TypedTexts(), kEveryPageShown)),
          "a strict row is assessed as the program does with its bare amounts typed in");
  return 0;
}
