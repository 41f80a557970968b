// The computation of what a person types: exact arithmetic on written figures, the lines
// of the working a practitioner checks (nil and why, the caps, the figures single
// precision moves), figures always to the paisa, and each rendering against its golden
// file. After a deliberate change, regenerate the golden files with
//   VARNOLIX_REGENERATE_GOLDEN=1 build/dev/tests/computation/computation_tests --gtest_filter='Golden.*'
// and read the difference before keeping it.
#include "computation/computation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "assessment/amount.h"
#include "computation/render.h"
#include "tests/assessment/typed.h"
#include "tests/shared/files.h"

namespace varnolix::test {
namespace {

Computation Of(std::string_view row) {
  const TypedRow typed = Typed(row);
  const PagesShown shown{typed.input.standardDeductionShown, typed.input.section80Shown, typed.input.section88Shown};
  return ComputationOf({}, {}, typed.texts, shown);
}

TEST(Exact, WorksOnWrittenFiguresAndRoundsHalvesAwayFromZero) {
  const Exact twelve = Exact::OfText("12");
  const struct {
    const char* name;
    Exact value;
    const char* text;  // empty: unknown
  } cases[] = {
      {"monthly times 12", Exact::OfText("12345.67") * twelve, "1,48,148.04"},
      {"written as held", Exact::Written(148148.046875), "1,48,148.05"},
      {"a half paisa up", Exact::OfText("0.125"), "0.13"},
      {"a half paisa down", Exact::OfText("-0.125"), "-0.13"},
      {"a difference", Exact::OfText("10900") - Exact::OfText("70000"), "-59,100.00"},
      {"the less", Min(Exact::OfText("65000"), Exact::OfText("60000")), "60,000.00"},
      {"the greater", Max(Exact::OfText("-8800"), Exact::OfText("-23700")), "-8,800.00"},
      {"crores", Exact::OfText("999999999999999999999999999999") * twelve, "1,19,99,99,99,99,99,99,99,99,99,99,99,99,99,988.00"},
      {"beyond the range", Exact::OfText("9999999999999999999999999999999999999"), ""},
      {"a product beyond it", Exact::OfText("999999999999999999999999999999999999") * twelve, ""},
      {"an exponent", Exact::OfText("1e5"), ""},
      {"two points", Exact::OfText("1.2.3"), ""},
      {"nothing", Exact::OfText(""), ""},
      {"not finite", Exact::Written(1.0 / 0.0), ""},
      {"from an unknown", Exact::OfText("x") + Exact::OfText("1"), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.Text(), c.text) << c.name;
}

// A figure is flagged only when more than half a paisa from the exact value: a tie
// written either way is fair.
TEST(Exact, DiffersOnlyBeyondHalfAPaisa) {
  EXPECT_TRUE(Exact::OfText("148148.04").DiffersFrom(148148.046875));
  EXPECT_FALSE(Exact::OfText("0.125").DiffersFrom(0.125));  // written 0.12
  EXPECT_TRUE(Exact::OfText("0.1251").DiffersFrom(0.125));
  EXPECT_FALSE(Exact::OfText("1").DiffersFrom(1.0 / 0.0));
  EXPECT_FALSE(Exact::OfText("x").DiffersFrom(1));
}

const WorkingLine* LineOf(const Computation& c, WorkingPart part, std::string_view label) {
  for (const WorkingLine& line : c.Section(part).lines) {
    if (line.label == label) return &line;
  }
  return nullptr;
}

// The lines a practitioner checks: each with its figure and its words.
TEST(Working, SaysNilAndWhyAndWhereSinglePrecisionMovesAFigure) {
  using enum WorkingPart;
  const char* kBeyondTheTax = "9810.61,,,,,,,,,,,,,60000,,,,,10000";
  const struct {
    const char* row;
    WorkingPart part;
    const char* label;
    const char* figure;
    const char* note;  // the whole note, with the exact figure
  } cases[] = {
      {"12345.67", kSalary, "annual basic", "1,48,148.05",
       "12,345.67 a month, times 12; exact arithmetic gives 1,48,148.04"},
      {"12345.67", kTax, "Tax Payable", "19,351.82",
       "tax after Section 88 times the surcharge factor 1.1; exact arithmetic gives 19,351.83"},
      {"12345678.91", kSlabTax, "slab tax", "4,88,61,888.00",
       "the greater of the two"},
      {"40000,,,20000.01", kTaxableAmount, "standard deduction", "20,000.00",
       "Gross Salary, held in single precision as 5,00,000.00, is over 1,00,000.00 and up to 5,00,000.00"},
      {"3000,,,,,1000", kSlabTax, "slab tax", "nil", "the taxable amount is below 55,000.00, where the tax starts"},
      {"3000,,,,,1000", kTax, "Tax Payable", "nil", "as the tax after Section 88 is nil; the result shows 0.00"},
      {"3000,,,,,1000", kHraExemption, "Taxable HRA", "0.00", "none, as the HRA exemption is below zero"},
      {kBeyondTheTax, kTax, "tax after Section 88", "nil",
       "Exemption benefit under 88 is larger than the slab tax by 59,099.99; 10,900.01 of it is used against the tax"},
      {"25000,,,,,,,,,,,,,30000,30000,5000,,,5000", kSection88, "these amounts together", "65,000.00",
       "over the cap of 60,000.00: counts 60,000.00"},
      {"25000,,,,,,,,18000", kSection80, "80D", "15,000.00", "18,000 claimed, over the cap of 15,000.00"},
      {"25000,,,,,,,703319741295636", kSection80, "80L", "70,33,19,75,23,10,784.00",
       "70,33,19,74,12,95,636 claimed, no cap; exact arithmetic gives 70,33,19,74,12,95,636.00"},
      {"10000,,,,,,,,12abc", kSection80, "80D", "12.00", "\"12abc\", read as 12.00, claimed, within the cap of 15,000.00"},
  };
  for (const auto& c : cases) {
    const Computation computation = Of(c.row);
    const WorkingLine* line = LineOf(computation, c.part, c.label);
    ASSERT_NE(line, nullptr) << c.row << ": " << c.label;
    EXPECT_EQ(FigureText(*line), c.figure) << c.row << ": " << c.label;
    EXPECT_EQ(NoteText(*line), c.note) << c.row << ": " << c.label;
  }
}

// Lines for amounts never entered are left out; a Section 88 amount alone shows no sum.
TEST(Working, LeavesOutWhatWasNeverEntered) {
  const Computation c = Of("10000,,,,,,,,,,,,,,,,,,5000");
  std::string labels;
  for (const WorkingSection& section : c.working) {
    for (const WorkingLine& line : section.lines) labels += line.label + "|";
  }
  EXPECT_EQ(labels,
            "annual basic|Taxable HRA|Gross Salary|income|Exemption benefit under 80|income less Section 80|"
            "standard deduction|taxable amount|at 20% over 60,000.00, plus 1,000.00|"
            "at 30% over 1,50,000.00, plus 18,000.00|slab tax|infrastructure bond|with the infrastructure bond|"
            "Exemption benefit under 88|tax after Section 88|Tax Payable|");
}

// The rows of the golden files: every tier, cap and edge.
const struct {
  const char* name;
  const char* row;
} kGoldenRows[] = {
    {"every page, caps met", "25000,5000,1000,10000,8000,10000,2500,20000,18000,30000,5000,50000,0,30000,20000,15000,0,0,15000"},
    {"only the Income page", "10000,2000,,,5000,4000"},
    {"low income: nil", "3000,,,,,1000"},
    {"paise: single precision shows", "12345.67"},
    {"crores", "12345678.91,,,,,,,,,,,,,,,,,,"},
    {"Section 88 beyond the tax", "9810.61,,,,,,,,,,,,,60000,,,,,10000"},
    {"Gross Salary narrowed to the tier's edge", "40000,,,20000.01"},
    {"Section 80 page never shown", "25000,,,,,,2500"},
    {"paise and caps", "62500.50,10000,,20000,18000,20000,2500,5000,15000,25000,,,,48000,8000,,12000"},
    {"pasted texts", "10000,,,1e5,,,,,12abc"},
    {"too large to hold", "10000,,,,,,,1e999"},
    {"negative profession tax", "5000,,,,,,-30000"},
};

void CheckGolden(const std::string& name, const std::string& rendered) {
  const std::string path = std::string(VARNOLIX_COMPUTATION_GOLDEN_DIR "/") + name;
  if (std::getenv("VARNOLIX_REGENERATE_GOLDEN") != nullptr) test::Write(path, rendered);
  EXPECT_EQ(rendered, test::Read(path)) << name;
}

TEST(Golden, WorkingText) {
  std::string text;
  for (const auto& [name, row] : kGoldenRows) text += "== " + std::string(name) + ": " + row + "\n" + WorkingText(Of(row)) + "\n";
  CheckGolden("working.txt", text);
}

TEST(Golden, ResultTips) {
  std::string text;
  for (const auto& [name, row] : kGoldenRows) {
    const Computation c = Of(row);
    for (Result result : kResultsAsShown) text += "== " + std::string(name) + "\n" + ResultTip(c, result) + "\n";
  }
  CheckGolden("tips.txt", text);
}

// "-1,23,456.78": two decimals, the whole part grouped the Indian way; or nil, or not finite.
bool ToThePaisa(const std::string& text) {
  if (text == "nil" || text == "inf" || text == "-inf" || text == "nan" || text == "-nan") return true;
  std::string bare;
  for (char c : text) {
    if (c != ',') bare += c;
  }
  const size_t digits = bare.starts_with('-') ? 1 : 0;
  const size_t point = bare.find('.');
  return point != std::string::npos && point > digits && point + 3 == bare.size() && GroupIndian(bare) == text &&
         bare.find_first_not_of("0123456789", digits) == point && bare.find_first_not_of("0123456789", point + 1) ==
         std::string::npos;
}

// Every figure of every row is written to the paisa, or nil; the results are the
// assessment's own.
TEST(Golden, FiguresAreToThePaisaAndResultsAreTheAssessments) {
  for (const auto& [name, row] : kGoldenRows) {
    const Computation c = Of(row);
    for (const WorkingSection& section : c.working) {
      for (const WorkingLine& line : section.lines) {
        EXPECT_TRUE(ToThePaisa(FigureText(line))) << name << ": " << line.label << " " << FigureText(line);
      }
    }
    EXPECT_EQ(c.results, ResultAmountsOf(Assess(Typed(row).input))) << name;
  }
}

}  // namespace
}  // namespace varnolix::test
