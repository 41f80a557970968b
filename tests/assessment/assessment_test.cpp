// The assessment from what a person types: the worked examples and the thresholds, the
// HRA exemption, the caps, the pages never shown, and rows whose cents tell apart each
// rounding step and each order of additions the rules fix.
#include "assessment/assessment.h"

#include <gtest/gtest.h>

#include "tests/assessment/typed.h"

namespace varnolix::test {
namespace {

TEST(Assessment, WorkedExamplesAndThresholds) {
  const struct {
    const char* name;
    const char* row;
    const char* shown;
  } examples[] = {
      {"OnlyIncome", "10000,2000,,,5000,4000", "0.00 144000.00 0.00 0.00 18348.00"},
      {"AllPages", "25000,5000,1000,10000,8000,10000,2500,20000,18000,30000,5000,50000,0,30000,20000,15000,0,0,15000",
       "54000.00 436000.00 105000.00 70000.00 9493.00"},
      {"LowIncomeClampsTaxAtZero", "3000,,,,,1000", "0.00 36000.00 0.00 0.00 0.00"},
      // 17592.568359375 × 1.1 rounds in double to a tie that narrows to even.
      {"NarrowingTieShowsInCents", "12345.67", "0.00 148148.05 0.00 0.00 19351.82"},
      {"BasicOnly", "10000", "0.00 120000.00 0.00 0.00 12540.00"},
      // A negative profession tax lifts the taxable amount so that the factor shows.
      {"Gross60000HasNoFactor", "5000,,,,,,-30000", "0.00 60000.00 0.00 0.00 2000.00"},
      {"GrossJustAbove60000HasTheFactor", "5000,,,0.01,,,-30000", "0.00 60000.01 0.00 0.00 3520.00"},
      {"Gross100000", "5000,,,40000", "0.00 100000.00 0.00 0.00 6600.00"},
      {"GrossJustAbove100000", "5000,,,40000.01", "0.00 100000.01 0.00 0.00 7700.00"},
      {"Gross500000", "25000,,,200000", "0.00 500000.00 0.00 0.00 145200.00"},
      // 500000.01 narrows to 500000, which decides the tier; the next single above is 500000.03125.
      {"GrossNarrowedTo500000", "40000,,,20000.01", "0.00 500000.01 0.00 0.00 145200.00"},
      {"GrossJustAbove500000LosesTheTier", "25000,,,200000.02", "0.00 500000.02 0.00 0.00 151800.02"},
      {"Section80CapsEachField", "25000,,,,,,,999999,99999,99999,99999,99999,99999",
       "0.00 300000.00 1129999.00 0.00 0.00"},
      {"Section80CapOnlyAboveIt", "25000,,,,,,,,15000.5,,,,-5", "0.00 300000.00 14995.00 0.00 67651.65"},
      {"Section88FirstFiveMeetTheTotalCap", "25000,,,,,,,,,,,,,60000,,,,,10000", "0.00 300000.00 0.00 70000.00 0.00"},
      {"Section88FirstFiveCapped", "25000,,,,,,,,,,,,,65000", "0.00 300000.00 0.00 60000.00 6600.00"},
      {"Section88BondAloneCapped", "25000,,,,,,,,,,,,,,,,,,80000", "0.00 300000.00 0.00 70000.00 0.00"},
      {"Section88CappedSumPlusBond", "25000,,,,,,,,,,,,,30000,30000,5000,,,5000",
       "0.00 300000.00 0.00 65000.00 1100.00"},
      {"StandardDeductionFollowsTheGross", "7500,,,,,,", "0.00 90000.00 0.00 0.00 4180.00"},
      {"NegativeAndHugeAmounts", "-5000,1e999,,-1e999,,,,1e999", "0.00 -inf inf 0.00 0.00"},
  };
  for (const auto& e : examples) EXPECT_EQ(Shown(Typed(e.row).input), e.shown) << e.name;
}

// A page never shown is not read: its amounts count as 0 and the profession tax not at all.
TEST(Assessment, PagesNeverShownAreNotRead) {
  TypedRow typed = Typed("25000,,,,,,2500,20000,,,,,,30000");
  EXPECT_EQ(Shown(typed.input), "0.00 300000.00 20000.00 30000.00 32175.00");
  typed.input.standardDeductionShown = false;
  EXPECT_EQ(Shown(typed.input), "0.00 300000.00 20000.00 30000.00 33000.00");
  typed.input.section80Shown = false;
  EXPECT_EQ(Shown(typed.input), "0.00 300000.00 0.00 30000.00 39600.00");
  typed.input.section88Shown = false;
  EXPECT_EQ(Shown(typed.input), "0.00 300000.00 0.00 0.00 72600.00");
}

// What the working shows as capped: caps met exactly are not applied.
TEST(Assessment, CapsMetExactlyAreNotApplied) {
  const Assessment a = Assess(Typed("25000,,,,,,,,15000,,,,,20000,20000,,20000,,10000").input);
  EXPECT_FALSE(a.capped[Field::k80D]);
  EXPECT_EQ(a.section88Sum, 60000.0);
  EXPECT_FALSE(a.section88SumCapped);
  EXPECT_EQ(a.section88Total, 70000.0);
  EXPECT_FALSE(a.section88TotalCapped);
}

// The least of the four candidates is exempt; a later one replaces it only when
// strictly smaller, so ties keep the earlier. A negative exemption taxes no HRA.
TEST(SalaryFigures, HraExemptionIsTheLeastCandidate) {
  const struct {
    const char* row;
    float exemption;
    HraCandidate from;
    float taxableHra;
  } cases[] = {
      {"", 0, HraCandidate::AnnualRent, 0},
      {"10000,2000,,,5000,4000", 48000, HraCandidate::RentOverTenthOfBasic, 0},  // ties the HRA received
      {"25000,5000,1000,10000,8000,10000", 66000, HraCandidate::RentOverTenthOfBasic, 54000},
      {"1000,,,,100000,100000", 6000, HraCandidate::HalfBasic, 1194000},
      {"10000,,,,5000,1000", 12000, HraCandidate::AnnualHraReceived, 0},
      {"3000,,,,,1000", -3600, HraCandidate::RentOverTenthOfBasic, 0},
      {",,,,,1000", 0, HraCandidate::AnnualRent, 12000},
  };
  for (const auto& c : cases) {
    const SalaryFigures f = ComputeSalaryFigures(Typed(c.row).input.amounts);
    EXPECT_EQ(f.hraExemption, c.exemption) << c.row;
    EXPECT_EQ(f.exemptionFrom, c.from) << c.row;
    EXPECT_EQ(f.taxableHra, c.taxableHra) << c.row;
  }
}

}  // namespace
}  // namespace varnolix::test
