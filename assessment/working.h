// The working of an assessment: every figure on the way to the five results, as rows of
// a label, a value and a note, so that a person can check each step. The program and
// the batch tool show the same working from here.
//
//   const Assessment assessment = Assess(input);
//   const Working working = WorkingOf(assessment, typed);
//   std::string all = WorkingText(working);                                   // every part
//   std::string tip = WorkingText(working, PartsExplaining(Result::kTaxPayable));
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/assessment.h"

namespace varnolix {

// The parts of the working, in the order they are shown.
enum class WorkingPart : std::uint8_t {
  kIncome,
  kHraExemption,
  kGrossSalary,
  kSection80,
  kTaxableAmount,
  kSlabTax,
  kSection88,
  kTax,
  kResultTexts,
};
inline constexpr std::size_t kWorkingPartCount = 9;

struct WorkingRow {
  std::string label;
  std::string value;  // every digit of a narrowed figure, the shortest exact text of a double, or a result text
  std::string note;   // how the figure came about, where it says more than the label
};

struct WorkingSection {
  WorkingPart part;
  std::string_view title;
  std::vector<WorkingRow> rows;
};

using Working = std::array<WorkingSection, kWorkingPartCount>;

// `typed` holds what each field holds as a person typed it: for a monthly salary, the
// monthly text. Only the Income page's texts are quoted; the other amounts come from
// the assessment.
Working WorkingOf(const Assessment& assessment, const PerField<std::string>& typed);

// The parts that show how `result` was reached, in order.
std::span<const WorkingPart> PartsExplaining(Result result);
std::span<const WorkingPart> AllWorkingParts();

// The parts as plain text: a line with each title, then a line for each row, its value
// aligned on the decimal point.
std::string WorkingText(const Working& working, std::span<const WorkingPart> parts = AllWorkingParts());

// Every digit of a single, widened exactly: 148148.046875.
std::string ExactDigits(float value);
// The shortest text that reads back as the same double: 0.30000000000000004.
std::string ShortestDigits(double value);

}  // namespace varnolix
