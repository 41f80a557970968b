#include "assessment/salary_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "assessment/amount.h"

namespace varnolix {
namespace {

// What a person types on the Income page; the annual texts are the page's echoes.
struct IncomeEntry {
  std::string basicPerMonth, allowances1PerMonth, allowances2PerMonth, lta, rentPerMonth, hraPerMonth;
};

SalaryFigures FiguresFor(const IncomeEntry& e) {
  const std::string basic = AnnualEcho(e.basicPerMonth);
  const std::string allowances1 = AnnualEcho(e.allowances1PerMonth);
  const std::string allowances2 = AnnualEcho(e.allowances2PerMonth);
  return ComputeSalaryFigures({basic, allowances1, allowances2, e.lta, e.rentPerMonth, e.hraPerMonth});
}

struct FiguresCase {
  const char* name;
  IncomeEntry entry;
  float exemption;
  HraCandidate exemptionFrom;
  float taxableHra;
  std::string grossText;
  std::string tierText;
};

void PrintTo(const FiguresCase& c, std::ostream* os) { *os << c.name; }

class SalaryFiguresTest : public ::testing::TestWithParam<FiguresCase> {};

TEST_P(SalaryFiguresTest, GivesTheExemptionGrossAndTier) {
  const FiguresCase& c = GetParam();
  const SalaryFigures f = FiguresFor(c.entry);
  EXPECT_EQ(f.hraExemption, c.exemption);
  EXPECT_EQ(f.exemptionFrom, c.exemptionFrom);
  EXPECT_EQ(f.taxableHra, c.taxableHra);
  EXPECT_EQ(WriteAmount(f.exactGrossSalary), c.grossText);
  EXPECT_EQ(StandardDeductionTierFor(f.grossSalary).text, c.tierText);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SalaryFiguresTest,
    ::testing::Values(
        FiguresCase{"AllEmpty", {}, 0, HraCandidate::AnnualRent, 0, "0.00", "25000"},
        // Rent over a tenth of basic (48000) ties the HRA received (48000); the earlier wins.
        FiguresCase{"TieKeepsEarlierCandidate",
                    {"10000", "2000", "", "", "5000", "4000"},
                    48000, HraCandidate::RentOverTenthOfBasic, 0, "144000.00", "20000"},
        FiguresCase{"RentOverTenthIsLeast",
                    {"25000", "5000", "1000", "10000", "8000", "10000"},
                    66000, HraCandidate::RentOverTenthOfBasic, 54000, "436000.00", "20000"},
        FiguresCase{"NegativeExemptionTaxesNoHra",
                    {"3000", "", "", "", "", "1000"},
                    -3600, HraCandidate::RentOverTenthOfBasic, 0, "36000.00", "25000"},
        FiguresCase{"NoBasicNoRentTaxesAllHra",
                    {"", "", "", "", "", "1000"},
                    0, HraCandidate::AnnualRent, 12000, "12000.00", "25000"},
        FiguresCase{"NarrowedBasicShowsInCents",
                    {"12345.67", "", "", "", "", ""},
                    -14814.8047f, HraCandidate::RentOverTenthOfBasic, 0, "148148.05", "20000"},
        FiguresCase{"AboveHalfAMillion", {"50000", "", "", "", "", ""}, -60000, HraCandidate::RentOverTenthOfBasic, 0,
                    "600000.00", "0"}),
    [](const auto& testInfo) { return testInfo.param.name; });

struct TierCase {
  const char* annualBasic;
  const char* lta;
  const char* tierText;
};

void PrintTo(const TierCase& c, std::ostream* os) { *os << c.annualBasic << "+" << c.lta; }

class TierThresholdTest : public ::testing::TestWithParam<TierCase> {};

// Tiers are decided on the narrowed gross salary with strict comparisons.
TEST_P(TierThresholdTest, DecidesOnTheNarrowedGross) {
  const TierCase& c = GetParam();
  const SalaryFigures f = ComputeSalaryFigures({c.annualBasic, "", "", c.lta, "", ""});
  EXPECT_EQ(StandardDeductionTierFor(f.grossSalary).text, c.tierText) << c.annualBasic << " + " << c.lta;
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, TierThresholdTest,
    ::testing::Values(TierCase{"100000.00", "", "25000"}, TierCase{"100000.00", "0.01", "20000"},
                      TierCase{"500000.00", "", "20000"},
                      // 500000.01 narrows to 500000, so still the middle tier...
                      TierCase{"480000.00", "20000.01", "20000"},
                      // ...and the next single above it is 500000.03125.
                      TierCase{"500000.00", "0.02", "0"}, TierCase{"99999.99", "", "25000"}));

TEST(SalaryFigures, ExactGrossIsShownWhileNarrowedGrossDecides) {
  const SalaryFigures f = ComputeSalaryFigures({"480000.00", "", "", "20000.01", "", ""});
  EXPECT_EQ(WriteAmount(f.exactGrossSalary), "500000.01");
  EXPECT_EQ(f.grossSalary, 500000.0f);
}

TEST(LeastOfFour, StrictlySmallerReplaces) {
  EXPECT_EQ(LeastOfFour(3, 2, 2, 1).index, 3);
  EXPECT_EQ(LeastOfFour(2, 2, 2, 2).index, 0);
  EXPECT_EQ(LeastOfFour(5, 1, 1, 7).index, 1);
  EXPECT_EQ(LeastOfFour(-1, 0, 0, 0).value, -1);
}

TEST(SalaryFigures, HugeAmountsDoNotFail) {
  const SalaryFigures f = ComputeSalaryFigures({"1e999", "1e300", "", "1e999", "1e999", "1e999"});
  EXPECT_TRUE(std::isinf(f.annualBasic));
  EXPECT_FALSE(WriteAmount(f.exactGrossSalary).empty());
}

}  // namespace
}  // namespace varnolix
