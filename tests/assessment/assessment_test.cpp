#include "assessment/assessment.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "assessment/amount.h"

namespace varnolix {
namespace {

// Everything a person might type, page by page. Monthly basic and allowances go
// through the Income page's echo; the other pages count only when shown.
struct Entry {
  std::string basicPerMonth, allowances1PerMonth, allowances2PerMonth, lta, rentPerMonth, hraPerMonth;
  bool standardDeductionShown = false;
  std::string professionTax;
  bool section80Shown = false;
  std::string s80L, s80D, s80E, s80CCC, s80DD, s80DDB;
  bool section88Shown = false;
  std::string pf, lic, ppf, mutualFund, otherInvestments, infrastructureBond;
  std::string annualBasicText;  // when set, used as the annual basic text as it stands
};

// Owns its texts, as the fields do, so the input's views stay valid.
struct Typed {
  explicit Typed(const Entry& entry)
      : e(entry),
        annualBasic(e.annualBasicText.empty() ? AnnualEcho(e.basicPerMonth) : e.annualBasicText),
        annualAllowances1(AnnualEcho(e.allowances1PerMonth)),
        annualAllowances2(AnnualEcho(e.allowances2PerMonth)) {
    input.income = {annualBasic, annualAllowances1, annualAllowances2, e.lta, e.rentPerMonth, e.hraPerMonth};
    if (e.standardDeductionShown) input.standardDeduction = StandardDeductionTexts{e.professionTax};
    if (e.section80Shown) input.section80 = Section80Texts{e.s80L, e.s80D, e.s80E, e.s80CCC, e.s80DD, e.s80DDB};
    if (e.section88Shown) {
      input.section88 =
          Section88Texts{e.pf, e.lic, e.ppf, e.mutualFund, e.otherInvestments, e.infrastructureBond};
    }
  }
  Entry e;
  std::string annualBasic, annualAllowances1, annualAllowances2;
  AssessmentInput input;
};

struct ExampleCase {
  const char* name;
  Entry entry;
  ResultTexts expected;
};

void PrintTo(const ExampleCase& c, std::ostream* os) { *os << c.name; }

class WorkedExampleTest : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExampleTest, GivesTheFiveTexts) {
  const ExampleCase& c = GetParam();
  const Typed typed(c.entry);
  const ResultTexts texts = ResultTextsOf(Assess(typed.input));
  EXPECT_EQ(texts.taxableHra, c.expected.taxableHra);
  EXPECT_EQ(texts.grossSalary, c.expected.grossSalary);
  EXPECT_EQ(texts.section80Benefit, c.expected.section80Benefit);
  EXPECT_EQ(texts.section88Benefit, c.expected.section88Benefit);
  EXPECT_EQ(texts.taxPayable, c.expected.taxPayable);
}

Entry Income(const char* basic, const char* allowances1, const char* rent = "", const char* hra = "") {
  Entry e;
  e.basicPerMonth = basic;
  e.allowances1PerMonth = allowances1;
  e.rentPerMonth = rent;
  e.hraPerMonth = hra;
  return e;
}

Entry AllPagesExample() {
  Entry e;
  e.basicPerMonth = "25000";
  e.allowances1PerMonth = "5000";
  e.allowances2PerMonth = "1000";
  e.lta = "10000";
  e.rentPerMonth = "8000";
  e.hraPerMonth = "10000";
  e.standardDeductionShown = true;
  e.professionTax = "2500";
  e.section80Shown = true;
  e.s80L = "20000";
  e.s80D = "18000";
  e.s80E = "30000";
  e.s80CCC = "5000";
  e.s80DD = "50000";
  e.s80DDB = "0";
  e.section88Shown = true;
  e.pf = "30000";
  e.lic = "20000";
  e.ppf = "15000";
  e.mutualFund = "0";
  e.otherInvestments = "0";
  e.infrastructureBond = "15000";
  return e;
}

Entry Annual(const char* basicText, const char* lta = "") {
  Entry e;
  e.annualBasicText = basicText;
  e.lta = lta;
  return e;
}

Entry WithSection88(const char* pf, const char* lic, const char* ppf, const char* bond) {
  Entry e = Annual("300000.00");
  e.section88Shown = true;
  e.pf = pf;
  e.lic = lic;
  e.ppf = ppf;
  e.infrastructureBond = bond;
  return e;
}

Entry GrossOf90000AfterShowingDeductions() {
  Entry e;
  e.basicPerMonth = "7500";
  e.standardDeductionShown = true;
  return e;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WorkedExampleTest,
    ::testing::Values(
        ExampleCase{"OnlyIncome",
                    Income("10000", "2000", "5000", "4000"),
                    {"0.00", "144000.00", "0.00", "0.00", "18348.00"}},
        ExampleCase{"AllPages", AllPagesExample(), {"54000.00", "436000.00", "105000.00", "70000.00", "9493.00"}},
        ExampleCase{"LowIncomeClampsTaxAtZero",
                    Income("3000", "", "", "1000"),
                    {"0.00", "36000.00", "0.00", "0.00", "0.00"}},
        // 17592.568359375 × 1.1 rounds in double to a tie that narrows to even.
        ExampleCase{"NarrowingTieShowsInCents",
                    Income("12345.67", ""),
                    {"0.00", "148148.05", "0.00", "0.00", "19351.82"}},
        ExampleCase{"BasicOnly", Income("10000", ""), {"0.00", "120000.00", "0.00", "0.00", "12540.00"}},
        ExampleCase{"GrossExactly60000HasNoFactor", Annual("60000.00"), {"0.00", "60000.00", "0.00", "0.00", "0.00"}},
        ExampleCase{"GrossExactly100000", Annual("100000.00"), {"0.00", "100000.00", "0.00", "0.00", "6600.00"}},
        ExampleCase{"GrossJustAbove100000", Annual("100000.00", "0.01"),
                    {"0.00", "100000.01", "0.00", "0.00", "7700.00"}},
        ExampleCase{"Gross500000", Annual("500000.00"), {"0.00", "500000.00", "0.00", "0.00", "145200.00"}},
        ExampleCase{"GrossJustAbove500000LosesTheTier", Annual("500000.00", "0.02"),
                    {"0.00", "500000.02", "0.00", "0.00", "151800.02"}},
        ExampleCase{"Section88FirstFiveMeetTheTotalCap", WithSection88("60000", "", "", "10000"),
                    {"0.00", "300000.00", "0.00", "70000.00", "0.00"}},
        ExampleCase{"Section88FirstFiveCapped", WithSection88("65000", "", "", ""),
                    {"0.00", "300000.00", "0.00", "60000.00", "6600.00"}},
        ExampleCase{"Section88BondAloneCapped", WithSection88("", "", "", "80000"),
                    {"0.00", "300000.00", "0.00", "70000.00", "0.00"}},
        ExampleCase{"Section88CappedSumPlusBond", WithSection88("30000", "30000", "5000", "5000"),
                    {"0.00", "300000.00", "0.00", "65000.00", "1100.00"}},
        // The tier follows the current gross salary, whatever the page showed before.
        ExampleCase{"StandardDeductionFollowsTheCurrentGross", GrossOf90000AfterShowingDeductions(),
                    {"0.00", "90000.00", "0.00", "0.00", "4180.00"}}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(Assessment, AllPagesExampleWorking) {
  const Typed typed(AllPagesExample());
  const Assessment a = Assess(typed.input);
  EXPECT_TRUE(a.factorApplies);
  EXPECT_EQ(a.incomeBase, 479600.0f);
  EXPECT_EQ(a.section80[k80D].counted, 15000.0f);
  EXPECT_TRUE(a.section80[k80D].capBound);
  EXPECT_EQ(a.section80[k80E].counted, 25000.0f);
  EXPECT_EQ(a.section80[k80DD].counted, 40000.0f);
  EXPECT_EQ(a.section80[k80L].counted, 20000.0f);
  EXPECT_FALSE(a.section80[k80CCC].capBound);
  EXPECT_EQ(a.section80Total, 105000.0);
  EXPECT_EQ(a.netIncome, 374600.0f);
  EXPECT_EQ(a.deduction, 22500.0);
  EXPECT_EQ(a.taxableAmount, 352100.0);
  EXPECT_EQ(a.lowerLine, 59420.0f);
  EXPECT_EQ(a.upperLine, 78630.0);
  EXPECT_TRUE(a.upperLineTaken);
  EXPECT_EQ(a.slabTax, 78630.0f);
  EXPECT_EQ(a.section88Sum, 65000.0);
  EXPECT_TRUE(a.section88SumCapped);
  EXPECT_EQ(a.section88Total, 75000.0);
  EXPECT_TRUE(a.section88TotalCapped);
  EXPECT_EQ(a.taxPayable, 9493.0f);
}

TEST(Assessment, NarrowingExampleWorking) {
  const Assessment a = Assess({.income = {"148148.04", "", "", "", "", ""}});
  EXPECT_EQ(a.incomeBase, 162962.84375f);
  EXPECT_EQ(a.deduction, 20000.0);
  EXPECT_EQ(a.lowerLine, 17592.568359375f);
  EXPECT_FALSE(a.upperLineTaken);
  EXPECT_EQ(a.taxPayable, 19351.82421875f);
}

TEST(Assessment, FactorAppliesOneNarrowingStepAbove60000) {
  EXPECT_FALSE(Assess({.income = {"60000.00", "", "", "", "", ""}}).factorApplies);
  const Assessment above = Assess({.income = {"60000.00", "", "", "0.01", "", ""}});
  EXPECT_TRUE(above.factorApplies);
  EXPECT_EQ(above.figures.grossSalary, 60000.01171875f);
  EXPECT_EQ(above.incomeBase, 66000.015625f);
}

TEST(Assessment, ProfessionTaxCountsOnlyOnceTheDeductionPageWasShown) {
  AssessmentInput input{.income = {"300000.00", "", "", "", "", ""}};
  EXPECT_EQ(Assess(input).deduction, 20000.0);
  input.standardDeduction = StandardDeductionTexts{"2500"};
  EXPECT_EQ(Assess(input).deduction, 22500.0);
  input.standardDeduction = StandardDeductionTexts{""};
  EXPECT_EQ(Assess(input).deduction, 20000.0);
}

struct CapCase {
  const char* text;
  float counted;
  bool capBound;
};

void PrintTo(const CapCase& c, std::ostream* os) { *os << c.text; }

class Section80CapTest : public ::testing::TestWithParam<CapCase> {};

TEST_P(Section80CapTest, MediclaimCountsAtMostItsCap) {
  const CapCase& c = GetParam();
  AssessmentInput input{.income = {"300000.00", "", "", "", "", ""}};
  input.section80 = Section80Texts{"", c.text, "", "", "", ""};
  const Assessment a = Assess(input);
  EXPECT_EQ(a.section80[k80D].counted, c.counted);
  EXPECT_EQ(a.section80[k80D].capBound, c.capBound);
}

INSTANTIATE_TEST_SUITE_P(Caps, Section80CapTest,
                         ::testing::Values(CapCase{"15000", 15000, false}, CapCase{"15000.5", 15000, true},
                                           CapCase{"14999.99", 14999.99f, false}, CapCase{"1e999", 15000, true},
                                           CapCase{"-5", -5, false}));

TEST(Assessment, Section80CapsEachField) {
  AssessmentInput input{.income = {"300000.00", "", "", "", "", ""}};
  input.section80 = Section80Texts{"999999", "99999", "99999", "99999", "99999", "99999"};
  const Assessment a = Assess(input);
  EXPECT_EQ(a.section80[k80L].counted, 999999.0f);  // no cap
  EXPECT_EQ(a.section80[k80D].counted, 15000.0f);
  EXPECT_EQ(a.section80[k80E].counted, 25000.0f);
  EXPECT_EQ(a.section80[k80CCC].counted, 10000.0f);
  EXPECT_EQ(a.section80[k80DD].counted, 40000.0f);
  EXPECT_EQ(a.section80[k80DDB].counted, 40000.0f);
  EXPECT_EQ(ResultTextsOf(a).section80Benefit, "1129999.00");
}

TEST(Assessment, Section88CapsMetExactlyAreKept) {
  AssessmentInput input{.income = {"300000.00", "", "", "", "", ""}};
  input.section88 = Section88Texts{"20000", "20000", "", "20000", "", "10000"};
  const Assessment a = Assess(input);
  EXPECT_EQ(a.section88Sum, 60000.0);
  EXPECT_FALSE(a.section88SumCapped);
  EXPECT_EQ(a.section88Total, 70000.0);
  EXPECT_FALSE(a.section88TotalCapped);
  EXPECT_EQ(a.section88Amount, 70000.0f);
}

TEST(Assessment, NegativeAndHugeInputsGiveTextsWithoutFailing) {
  AssessmentInput input{.income = {"-5000", "1e999", "", "-1e999", "", ""}};
  input.section80 = Section80Texts{"1e999", "", "", "", "", ""};
  input.section88 = Section88Texts{"-1e999", "", "", "", "", ""};
  const ResultTexts texts = ResultTextsOf(Assess(input));
  for (const std::string* text : {&texts.taxableHra, &texts.grossSalary, &texts.section80Benefit,
                                  &texts.section88Benefit, &texts.taxPayable}) {
    EXPECT_FALSE(text->empty());
  }
}

}  // namespace
}  // namespace varnolix
