// One employee's computation of income tax, as data: whose it is, the entries as typed,
// the working in the order the rules compute, and the five results. The Tax Results
// page's tooltips, Copy Working, varnolix-assess --explain and the printed sheet are all
// renderings of it (computation/render.h), so each figure has one name and one value.
//
//   const Computation c = ComputationOf(who, "7 December 2026", texts, kEveryPageShown);
//   for (const WorkingSection& section : c.working)
//     for (const WorkingLine& line : section.lines)
//       print(line.label, FigureText(line), NoteText(line));
//
// No clock is read here: the date is the caller's.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/assessment.h"
#include "assessment/fields.h"
#include "computation/exact.h"

namespace varnolix {

// Whose computation it is, as far as the caller knows; empty where it does not.
struct Who {
  std::string name;
  std::string code;  // the employee's number or code
  std::string department;
  std::string pan;
  std::string file;    // the payroll file it came from, as the caller names it; empty for typed entries
  long long line = 0;  // the row's line in that file; 0 for typed entries
  bool changedSinceOpened = false;  // the entries differ from what was read from `file`
};

struct Entry {
  Field field;
  std::string_view label;  // as its page labels it: "Basic Per Month"
  std::string typed;       // as typed, or the bare amount a file holds; empty when nothing was entered
};

struct EntryPage {
  Page page;
  std::string_view title;  // the page's tab: "Section 80"
  bool shown;              // false: never shown, so its amounts count as 0 and are not listed
  std::vector<Entry> entries;  // every field of the page, in the field table's order
};

struct WorkingLine {
  std::string label;
  double figure = 0;  // as the rules hold it: a single widened, or a double
  std::string note;   // how it came about, its figures written as FigureText writes them
  // Below zero where tax cannot be: written "nil", and the note says why.
  bool nil = false;
  // Exact arithmetic on the figures written above it, where the rules' single precision
  // makes the figure differ from it by more than half a paisa.
  std::optional<Exact> exact;
};

// The sections of the working, in the order the rules compute.
enum class WorkingPart : std::uint8_t {
  kSalary,          // annual basic, allowances, LTA, HRA received
  kHraExemption,    // the candidates, the least, Taxable HRA
  kGrossSalary,     // Gross Salary
  kSection80,       // the income with the surcharge factor, each amount as counted, the benefit, the income after it
  kTaxableAmount,   // standard deduction, profession tax, taxable amount
  kSlabTax,         // the two lines and the greater
  kSection88,       // each amount, the caps, the benefit
  kTax,             // tax after Section 88, Tax Payable
};
inline constexpr std::size_t kWorkingPartCount = 8;

struct WorkingSection {
  WorkingPart part;
  std::string_view title;
  std::vector<WorkingLine> lines;
};

// What a reader of the working needs to know about the rules, each in one sentence
// (RuleNoteText); a computation lists those that bear on it.
enum class RuleNote : std::uint8_t {
  kRulesOrder,       // the rules' order, kept: Section 80 before the standard deduction, the factor on income
  kFactorTwice,      // the surcharge factor on the income and again on the tax
  kHraUntaxed,       // rent below a tenth of basic leaves the HRA received untaxed
  kRebateInFull,     // the Section 88 rebate comes off the tax in full
  kSinglePrecision,  // why some figures differ from exact arithmetic
};
inline constexpr std::size_t kRuleNoteCount = 5;

struct Computation {
  Who who;
  std::string date;  // as the caller writes it
  std::array<EntryPage, kPageCount> entries;
  std::array<WorkingSection, kWorkingPartCount> working;
  std::vector<RuleNote> notes;  // in the order of the enumeration
  // The five results as the Tax Results page shows them: a taxable HRA or a tax payable
  // below zero as 0.
  PerResult<double> results{};

  const WorkingSection& Section(WorkingPart part) const { return working[static_cast<std::size_t>(part)]; }
};

// The computation of the entries `texts` with the pages `shown`, assessed as the Tax
// Results page assesses them.
Computation ComputationOf(Who who, std::string date, const PerField<std::string>& texts, PagesShown shown);

// "Basic Per Month": a field's label as its page shows it, without the colon.
std::string_view FieldLabel(Field field);
// "Section 80": an input page's tab.
std::string_view PageTitle(Page page);
// "Tax Payable": a result's label on the Tax Results page, without the colon.
std::string_view ResultLabel(Result result);
// The results in the order the Tax Results page shows them, from the top.
inline constexpr std::array<Result, kResultCount> kResultsAsShown{Result::kGrossSalary, Result::kTaxableHra,
                                                                  Result::kSection80Benefit,
                                                                  Result::kSection88Benefit, Result::kTaxPayable};

std::string RuleNoteText(RuleNote note);

}  // namespace varnolix
