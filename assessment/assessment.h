// The tax assessment: from the amounts of the input pages to the five results, with
// every intermediate figure kept so that the working can be shown.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "assessment/fields.h"
#include "assessment/salary_figures.h"

namespace varnolix {

struct AssessmentInput {
  // Each field's amount as AssessedAmount takes it from the field's text.
  PerField<double> amounts{};
  // The VisitedFlags. The fields of a page never shown are not read; its amounts take
  // their defaults. The Income page, the first, is always shown.
  bool standardDeductionShown = false;
  bool section80Shown = false;
  bool section88Shown = false;

  bool Shown(Page page) const;
};

// The pages that are shown only when a person goes to them. A file read, and the batch
// tool, count every page as shown.
struct PagesShown {
  bool standardDeduction = false;
  bool section80 = false;
  bool section88 = false;
};
inline constexpr PagesShown kEveryPageShown{true, true, true};

// What the assessment takes from a field that holds `text`, typed or read from a file:
// the amount as ReadAmount reads it; for an echoed monthly salary, the amount of its
// annual echo as the Income page writes it, "%.2f" of twelve times the monthly amount
// read back, "inf" as infinity (AnnualEchoValue).
double AssessedAmount(Field field, std::string_view text);

// The input of the entries `texts`, the fields of a page not shown left unread.
AssessmentInput InputOf(const PerField<std::string>& texts, PagesShown shown);

// The order in which the rules read each page's fields.
inline constexpr std::array<Field, 6> kSection80ReadingOrder{Field::k80L,   Field::k80D,  Field::k80E,
                                                             Field::k80CCC, Field::k80DD, Field::k80DDB};
inline constexpr std::array<Field, 6> kSection88ReadingOrder{Field::kPfContribution,   Field::kLicPremium,
                                                             Field::kPpf,              Field::kOtherInvestments,
                                                             Field::kMutualFund,       Field::kInfrastructureBond};

struct Assessment {
  PerField<double> read{};  // the amounts taken: 0 for the fields of a page never shown
  SalaryFigures figures;

  bool factorApplies = false;  // gross salary above the factor's threshold
  float incomeBase = 0;

  PerField<bool> capped{};    // a Section 80 amount above its cap
  PerField<float> counted{};  // each Section 80 and Section 88 amount as it counts
  double section80Total = 0;
  float netIncome = 0;

  StandardDeductionTier tier{};
  bool professionTaxCounts = false;  // the Standard Deduction page was shown
  double deduction = 0;
  double taxableAmount = 0;

  float lowerLine = 0;
  double upperLine = 0;
  bool upperLineTaken = false;
  float slabTax = 0;

  double section88Sum = 0;  // the first five, before their cap
  bool section88SumCapped = false;
  double section88Total = 0;  // the capped sum plus the infrastructure bond, before its cap
  bool section88TotalCapped = false;
  float section88Amount = 0;

  float taxBeforeFactor = 0;
  float taxPayable = 0;
};

Assessment Assess(const AssessmentInput& input);

// The five results as numbers, each written with WriteAmount to give its text.
PerResult<double> ResultAmountsOf(const Assessment& assessment);
PerResult<std::string> ResultTextsOf(const Assessment& assessment);

}  // namespace varnolix
