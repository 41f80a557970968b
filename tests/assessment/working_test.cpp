// The working shows the figures the results come from: for rows that take each HRA
// candidate, each tier, a capped and an uncapped Section 80 amount, both Section 88
// caps and both slab lines, what it shows agrees with the five results.
#include "assessment/working.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "tests/assessment/typed.h"

namespace varnolix::test {
namespace {

const WorkingSection& SectionOf(const Working& working, WorkingPart part) {
  return working[static_cast<size_t>(part)];
}

// The row whose label starts with `label`; the Section 80 labels go on with the cap.
const WorkingRow& RowOf(const Working& working, WorkingPart part, std::string_view label) {
  for (const WorkingRow& row : SectionOf(working, part).rows) {
    if (row.label.starts_with(label)) return row;
  }
  ADD_FAILURE() << "no row " << label;
  static const WorkingRow kNone;
  return kNone;
}

// A figure of the working as the Tax Results page would show it.
std::string AsShown(const WorkingRow& row, bool clampedAtZero = false) {
  const double value = ReadAmount(row.value);
  return WriteAmount(clampedAtZero && value < 0 ? 0.0 : value);
}

TEST(Working, AgreesWithTheResults) {
  using enum WorkingPart;
  const struct {
    const char* name;
    const char* row;
    const char* least;  // the HRA candidate marked least
    const char* tier;
    const char* slabLine;  // the line taken
  } cases[] = {
      {"AnnualRentLeastByATie", ",,,,,1000", "annual rent", "25000", "lower line"},
      {"RentOverTenthUpperLineTier20000",
       "25000,5000,1000,10000,8000,10000,2500,20000,18000,30000,5000,50000,0,30000,20000,15000,0,0,15000",
       "rent over a tenth of basic", "20000", "upper line"},
      {"HalfBasicLeast", "1000,,,,100000,100000", "half basic", "0", "upper line"},
      {"HraReceivedLeastTier25000", "7000,,,,5000,1000", "annual HRA received", "25000", "lower line"},
      {"Section80CappedAndNot", "40000,,,,,,,1000000,15000.5,25000,10000.99,40000,40001",
       "rent over a tenth of basic", "20000", "lower line"},
      {"Section88FirstFiveCapped", "25000,,,,,,,,,,,,,30000,30000,5000", "rent over a tenth of basic", "20000",
       "upper line"},
      {"Section88TotalCapped", "40000,,,,,,,,,,,,,65000,,,,,80000", "rent over a tenth of basic", "20000",
       "upper line"},
      {"NegativeTax", "3000,,,,,1000", "rent over a tenth of basic", "25000", "lower line"},
      // A taxable amount of 160000 puts both lines at 21000: the upper is taken.
      {"LinesEqual", "15000,,,,,,18000", "rent over a tenth of basic", "20000", "upper line"},
      // The upper line is a little below the lower, though both narrow to 21000.
      {"UpperLineJustBelow", "15000,,,,,,18000.001", "rent over a tenth of basic", "20000", "lower line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TypedRow typed = Typed(c.row);
    const Assessment a = Assess(typed.input);
    const PerResult<std::string> results = ResultTextsOf(a);
    const Working w = WorkingOf(a, typed.texts);

    for (const WorkingRow& row : SectionOf(w, kHraExemption).rows) {
      EXPECT_EQ(row.note == "least", row.label == c.least) << row.label;
    }
    EXPECT_EQ(AsShown(RowOf(w, kHraExemption, "taxable HRA"), true), results[Result::kTaxableHra]);
    EXPECT_EQ(RowOf(w, kHraExemption, "taxable HRA").note.starts_with("none"), a.figures.hraExemption < 0);

    EXPECT_EQ(AsShown(RowOf(w, kGrossSalary, "exact")), results[Result::kGrossSalary]);
    EXPECT_EQ(RowOf(w, kGrossSalary, "exact").note, "shown as " + results[Result::kGrossSalary]);
    EXPECT_EQ(RowOf(w, kGrossSalary, "single").note, std::string("standard deduction tier ") + c.tier);
    EXPECT_EQ(RowOf(w, kTaxableAmount, "standard deduction tier").value, c.tier);

    double section80 = 0;
    for (Field field : kSection80ReadingOrder) {
      const FieldInfo& info = Info(field);
      const WorkingRow& row = RowOf(w, kSection80, info.name);
      const double read = ReadAmount(row.note.substr(std::string_view("read ").size()));
      const bool capped = info.cap > 0 && read > info.cap;
      EXPECT_EQ(row.note.ends_with(", capped"), capped) << row.label;
      EXPECT_EQ(ReadAmount(row.value), capped ? info.cap : double{static_cast<float>(read)}) << row.label;
      section80 += ReadAmount(row.value);
    }
    EXPECT_EQ(WriteAmount(section80), results[Result::kSection80Benefit]);
    EXPECT_EQ(AsShown(RowOf(w, kSection80, "total")), results[Result::kSection80Benefit]);

    const WorkingRow& taken = RowOf(w, kSlabTax, c.slabLine);
    EXPECT_TRUE(taken.note.ends_with("taken") || taken.note.ends_with("taken, narrowed")) << taken.note;
    EXPECT_EQ(ReadAmount(RowOf(w, kSlabTax, "slab tax").value), double{static_cast<float>(ReadAmount(taken.value))});

    const double firstFive = ReadAmount(RowOf(w, kSection88, "sum of the first five").value);
    EXPECT_EQ(RowOf(w, kSection88, "sum of the first five").note.empty(), firstFive <= 60000);
    const double total = ReadAmount(RowOf(w, kSection88, "total").value);
    EXPECT_EQ(RowOf(w, kSection88, "total").note.empty(), total <= 70000);
    EXPECT_EQ(AsShown(RowOf(w, kSection88, "Section 88 amount")), results[Result::kSection88Benefit]);

    EXPECT_EQ(AsShown(RowOf(w, kTax, "tax payable"), true), results[Result::kTaxPayable]);
    for (const ResultInfo& result : kResults) {
      EXPECT_EQ(RowOf(w, kResultTexts, result.column).value, results[result.result]);
    }
  }
}

// Each result's own working holds the figure the result shows.
TEST(Working, EachResultIsExplainedByThePartThatShowsIt) {
  using enum WorkingPart;
  const TypedRow typed =
      Typed("25000,5000,1000,10000,8000,10000,2500,20000,18000,30000,5000,50000,0,30000,20000,15000");
  const Assessment a = Assess(typed.input);
  const PerResult<std::string> results = ResultTextsOf(a);
  const Working w = WorkingOf(a, typed.texts);
  const struct {
    Result result;
    WorkingPart part;
    const char* label;
  } cases[] = {{Result::kTaxableHra, kHraExemption, "taxable HRA"},
               {Result::kGrossSalary, kGrossSalary, "exact"},
               {Result::kSection80Benefit, kSection80, "total"},
               {Result::kSection88Benefit, kSection88, "Section 88 amount"},
               {Result::kTaxPayable, kTax, "tax payable"}};
  for (const auto& c : cases) {
    const std::span<const WorkingPart> parts = PartsExplaining(c.result);
    EXPECT_NE(std::find(parts.begin(), parts.end(), c.part), parts.end()) << Info(c.result).column;
    EXPECT_EQ(AsShown(RowOf(w, c.part, c.label)), results[c.result]) << Info(c.result).column;
    const std::string text = WorkingText(w, parts);
    EXPECT_NE(text.find(RowOf(w, c.part, c.label).value), std::string::npos) << text;
  }
}

TEST(Working, ShowsEveryDigitOfASingle) {
  EXPECT_EQ(ExactDigits(0.0f), "0");
  EXPECT_EQ(ExactDigits(-0.0f), "-0");
  EXPECT_EQ(ExactDigits(-14814.8046875f), "-14814.8046875");
  EXPECT_EQ(ExactDigits(0.1f), "0.100000001490116119384765625");
  EXPECT_EQ(ExactDigits(3.0e38f), "300000000549775575777803994281145270272");
  EXPECT_EQ(ExactDigits(std::numeric_limits<float>::denorm_min()),
            "0.00000000000000000000000000000000000000000000140129846432481707092372958328991613"
            "128026194187651577175706828388979108268586060148663818836212158203125");
  EXPECT_EQ(ExactDigits(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(ShortestDigits(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(ShortestDigits(std::numeric_limits<double>::denorm_min()).size(), 326u);

  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (!std::isfinite(value)) continue;
    const std::string text = ExactDigits(value);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    ASSERT_EQ(back, double{value}) << text;
  }
}

}  // namespace
}  // namespace varnolix::test
