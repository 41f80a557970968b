// The tax assessment: from the texts of the input pages to the five result texts,
// with every intermediate figure kept so that the working can be shown. The arithmetic
// also takes the amounts directly, as the texts read, for callers that hold numbers.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "assessment/salary_figures.h"

namespace varnolix {

// The Standard Deduction page, once shown. The standard deduction itself always
// follows the tier of the current gross salary, so only the profession tax is read.
struct StandardDeductionTexts {
  std::string_view professionTax;
};

struct Section80Texts {
  std::string_view interest80L;
  std::string_view mediclaim80D;
  std::string_view section80E;
  std::string_view section80CCC;
  std::string_view section80DD;
  std::string_view section80DDB;
};

struct Section88Texts {
  std::string_view pfContribution;
  std::string_view licPremium;
  std::string_view ppf;
  std::string_view mutualFund;
  std::string_view otherInvestments;
  std::string_view infrastructureBond;
};

// A page that was never shown is absent; its amounts then take their defaults.
struct AssessmentInput {
  IncomeTexts income;
  std::optional<StandardDeductionTexts> standardDeduction = std::nullopt;
  std::optional<Section80Texts> section80 = std::nullopt;
  std::optional<Section88Texts> section88 = std::nullopt;
};

// The same pages as amounts: each field as ReadAmount reads its text.
struct StandardDeductionAmounts {
  double professionTax = 0;
};

struct Section80Amounts {
  double interest80L = 0;
  double mediclaim80D = 0;
  double section80E = 0;
  double section80CCC = 0;
  double section80DD = 0;
  double section80DDB = 0;
};

struct Section88Amounts {
  double pfContribution = 0;
  double licPremium = 0;
  double ppf = 0;
  double mutualFund = 0;
  double otherInvestments = 0;
  double infrastructureBond = 0;
};

struct AssessmentAmounts {
  IncomeAmounts income;
  std::optional<StandardDeductionAmounts> standardDeduction = std::nullopt;
  std::optional<Section80Amounts> section80 = std::nullopt;
  std::optional<Section88Amounts> section88 = std::nullopt;
};

AssessmentAmounts ReadAmounts(const AssessmentInput& input);

// One Section 80 amount: the value read, the cap (0 for none) and what counts.
struct Section80Amount {
  std::string_view name;
  double read = 0;
  double cap = 0;
  bool capBound = false;
  float counted = 0;
};

// Indices into Assessment::section80, in the order the fields are read.
enum Section80Index { k80L, k80D, k80E, k80CCC, k80DD, k80DDB };
// Indices into Assessment::section88, in the order the fields are read.
enum Section88Index { kPf, kLic, kPpf, kOtherInvestments, kMutualFund, kInfrastructureBond };

struct Assessment {
  SalaryFigures figures;

  bool factorApplies = false;  // gross salary above 60000
  float incomeBase = 0;

  std::array<Section80Amount, 6> section80{};
  double section80Total = 0;
  float netIncome = 0;

  StandardDeductionTier tier{};
  bool professionTaxCounts = false;
  double professionTax = 0;
  double deduction = 0;
  double taxableAmount = 0;

  float lowerLine = 0;
  double upperLine = 0;
  bool upperLineTaken = false;
  float slabTax = 0;

  std::array<float, 6> section88{};
  double section88Sum = 0;  // the first five, before their cap
  bool section88SumCapped = false;
  double section88Total = 0;  // the capped sum plus the infrastructure bond, before its cap
  bool section88TotalCapped = false;
  float section88Amount = 0;

  float taxBeforeFactor = 0;
  float taxPayable = 0;
};

// The five texts of the Tax Results page, in the order they are produced.
struct ResultTexts {
  std::string taxableHra;
  std::string grossSalary;
  std::string section80Benefit;
  std::string section88Benefit;
  std::string taxPayable;
};

// The five results as numbers, each written with WriteAmount to give its text.
struct ResultAmounts {
  double taxableHra;
  double grossSalary;
  double section80Benefit;
  double section88Benefit;
  double taxPayable;
};

Assessment Assess(const AssessmentInput& input);
Assessment Assess(const AssessmentAmounts& amounts);
ResultAmounts ResultAmountsOf(const Assessment& assessment);
ResultTexts ResultTextsOf(const Assessment& assessment);

// The factor applied to the income base and again to the tax above 60000.
inline constexpr double kFactor = 1.1;
inline constexpr float kFactorThreshold = 60000.0f;

// Section 88: the first five amounts count up to the first cap; with the infrastructure
// bond, up to the total cap.
inline constexpr double kSection88FirstFiveCap = 60000;
inline constexpr double kSection88TotalCap = 70000;

}  // namespace varnolix
