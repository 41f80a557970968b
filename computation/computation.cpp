#include "computation/computation.h"

#include "assessment/amount.h"
#include "assessment/rules.h"
#include "computation/render.h"
#include "computation/working.h"

namespace varnolix {
namespace {

// As the pages label their fields, without the colon; the pages' tests hold the two to
// the same words.
constexpr std::array<std::string_view, kFieldCount> kFieldLabels{
    "Basic Per Month",    "Allowances1 pm",     "Allowances 2 pm",    "LTA Taxable Annual", "Rent Per Month",
    "HRA Received pm",    "Professional Tax",   "Interest etc., 80L", "Mediclaim 80D",      "80 E",
    "80 CCC",             "80 DD",              "80 DDB",             "PF Contribution PA", "Lic. Primea",
    "PPF PA",             "Mutual Fund",        "Other Investments",  "Infrastructure Bond",
};

constexpr std::array<std::string_view, kPageCount> kPageTitles{"Income", "Standard Deduction", "Section 80",
                                                               "Section 88"};

constexpr std::array<std::string_view, kResultCount> kResultLabels{
    "Taxable HRA", "Gross Salary", "Exemption benefit under 80", "Exemption benefit under 88", "Tax Payable"};

bool Shown(Page page, PagesShown shown) {
  switch (page) {
    case Page::kIncome:
      return true;
    case Page::kStandardDeduction:
      return shown.standardDeduction;
    case Page::kSection80:
      return shown.section80;
    case Page::kSection88:
      return shown.section88;
  }
  return false;
}

}  // namespace

std::string_view FieldLabel(Field field) { return kFieldLabels[static_cast<size_t>(field)]; }
std::string_view PageTitle(Page page) { return kPageTitles[static_cast<size_t>(page)]; }
std::string_view ResultLabel(Result result) { return kResultLabels[static_cast<size_t>(result)]; }

Computation ComputationOf(Who who, std::string date, const PerField<std::string>& texts, PagesShown shown) {
  Computation c;
  c.who = std::move(who);
  c.date = std::move(date);
  PerField<std::string> read;  // what the assessment reads: nothing of a page never shown
  for (size_t p = 0; p < kPageCount; ++p) {
    const auto page = static_cast<Page>(p);
    EntryPage& entries = c.entries[p];
    entries.page = page;
    entries.title = PageTitle(page);
    entries.shown = Shown(page, shown);
    for (const FieldInfo& info : kFields) {
      if (info.page != page || !entries.shown) continue;
      read[info.field] = texts[info.field];
      entries.entries.push_back({info.field, FieldLabel(info.field), texts[info.field]});
    }
  }
  const Assessment assessment = Assess(InputOf(read, shown));
  c.working = WorkingOf(assessment, read, c.notes);
  c.results = ResultAmountsOf(assessment);
  return c;
}

std::string RuleNoteText(RuleNote note) {
  const std::string threshold = WrittenFigure(rules::kFactorThreshold);
  switch (note) {
    case RuleNote::kRulesOrder:
      return "The working keeps the rules' order, not a practitioner's: the surcharge factor applies to the income "
             "before any deduction, and Section 80 comes off before the standard deduction; single precision makes "
             "the order matter.";
    case RuleNote::kFactorTwice:
      return "When Gross Salary is over " + threshold + ", the surcharge factor " + ShortestDigits(rules::kFactor) +
             " applies twice: to the income, and again to the tax.";
    case RuleNote::kHraUntaxed:
      return "When the annual rent is less than a tenth of basic, the HRA exemption is below zero and none of the "
             "HRA received is taxed.";
    case RuleNote::kRebateInFull:
      return "The Section 88 rebate takes the whole of Exemption benefit under 88 off the tax, at no rate; a tax "
             "below zero is nil.";
    case RuleNote::kSinglePrecision:
      return "The rules hold most figures in single precision, about seven significant digits, so a figure can "
             "differ from exact arithmetic on the figures above it, by paise or, in crores, by rupees; its line then "
             "gives the exact figure.";
  }
  return {};
}

}  // namespace varnolix
