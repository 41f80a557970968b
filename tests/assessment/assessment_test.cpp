// The assessment from what a person types: the worked examples and the thresholds, the
// HRA exemption, the caps, the pages never shown, and rows whose cents tell apart each
// rounding step and each order of additions the rules fix.
#include "assessment/assessment.h"

#include <gtest/gtest.h>

#include <string>

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
      {"NegativeAndHugeAmounts", "-5000,1e999,,-1e999,,,,1e999", "0.00 -nan inf 0.00 -nan"},
  };
  for (const auto& e : examples) EXPECT_EQ(Shown(Typed(e.row).input), e.shown) << e.name;
}

// Each row's cents change if one step narrows where the rules do not, keeps a double
// where they narrow, or adds or subtracts in another order than theirs.
TEST(Assessment, RoundingStepsAndOrdersShowInTheCents) {
  const struct {
    const char* step;
    const char* row;
    const char* shown;
  } cases[] = {
      {"annual rent narrowed", "80693,,,,40436.4,40858", "101890.78 1070206.78 0.00 0.00 358785.03"},
      {"annual allowances 1 narrowed", "84864,56954.05", "0.00 1701816.62 0.00 0.00 588059.44"},
      {"annual allowances 2 narrowed", "88344,,18185.2", "0.00 1278350.41 0.00 0.00 434341.19"},
      {"annual HRA received narrowed", "126254,,,,28347,41316.8", "307142.38 1822190.38 0.00 0.00 631755.12"},
      {"taxable HRA narrowed", "99656,,,,19341,40712", "376039.19 1571911.19 0.00 0.00 540903.81"},
      {"one tenth in single precision", "122703,,,,26042,33928", "241875.61 1714311.61 0.00 0.00 592595.12"},
      {"a tenth of basic not narrowed alone", "138723,,,,20011,7098", "11511.60 1676187.60 0.00 0.00 578756.12"},
      {"gross: allowances 2 and 1, then basic, then LTA", "4951637,0.002,0.003,1.605000004",
       "0.00 59419645.67 0.00 0.00 21539630.00"},
      {"gross: allowances 2 and 1 before the basic", "7853301,0.014,0.003,27.375",
       "0.00 94239643.59 0.00 0.00 34179292.00"},
      {"gross: LTA before the taxable HRA", "869346,,,7.0849999984,798760,986503",
       "6621960.00 17054119.09 0.00 0.00 6160945.50"},
      {"factor on the narrowed gross", "5000,,,0.001,,,-30000", "0.00 60000.00 0.00 0.00 2000.00"},
      {"income base narrowed", "202951.59,,5002,,,,,,,,,6031.88", "0.00 2495443.00 6031.88 0.00 874155.25"},
      {"Section 80 amounts narrowed", "111182.97,58322,10841,27273,,,,14412.9,,,,,,,,31004.62,,,7471.16",
       "0.00 2191424.62 14412.90 38475.78 718707.44"},
      {"Section 80 total from 80E up to 80L", "2403,,,,,,,703319741295636,,2528.47,-2.43",
       "0.00 28836.00 703319752313310.00 0.00 0.00"},
      {"net income narrowed", "22927.45,,,,,,,,0.1", "0.00 275129.41 0.10 0.00 63571.95"},
      {"net income: each Section 80 amount subtracted in turn",
       "10000.01,,,,,,,10000000000000000,-10000000000000000", "0.00 120000.12 0.00 0.00 12540.00"},
      {"net income: 80E subtracted last", "10000,,,,,,,10000000000000000,,-10000000000000000,0.5",
       "0.00 120000.00 0.00 0.00 12540.00"},
      {"deduction not narrowed", "10225.61,,,,,,46064.84", "0.00 122707.32 0.00 0.00 3060.91"},
      {"taxable amount not narrowed", "19741.28,,,,,,18106.9", "0.00 236895.36 0.00 0.00 43717.74"},
      {"Section 88 amounts narrowed", "37457.4,,,,,,,,,,,,,,4120.722,,,,2.18044",
       "0.00 449488.81 0.00 4122.90 122329.24"},
      {"Section 88 sum from mutual fund up to PF", "25000,,,,,,,,,,,,,0.5,-10000000000000000,,10000000000000000",
       "0.00 300000.00 0.00 0.50 72599.45"},
      {"Section 88 amount narrowed", "7727.69,,,,,,,,,,,,,,,,,0.000009,-28577.475",
       "0.00 92732.28 0.00 -28577.47 36276.44"},
      {"tax before the factor narrowed", "95122,,,,,,,,,,,,,,,,66.328", "0.00 1141464.00 0.00 66.33 384578.50"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(Typed(c.row).input), c.shown) << c.step;
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
