#include "assessment/working.h"

#include <charconv>
#include <cmath>

#include "assessment/amount.h"
#include "assessment/rules.h"

namespace varnolix {
namespace {

using enum Field;

std::string Fixed(double value, int places) {
  std::array<char, 400> text{};  // the widest: 309 digits before the point, or 149 after it
  const auto [end, error] =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, places);
  return error == std::errc{} ? std::string(text.data(), end) : std::string();
}

// How many binary places the value has after the point; that many decimal places show
// it exactly, since 2^-k has exactly k decimal places.
int FractionalBits(double value) {
  if (value == 0) return 0;
  int exponent = 0;
  const double mantissa = std::frexp(std::fabs(value), &exponent);  // value = m·2^e, 0.5 <= m < 1
  auto bits = static_cast<unsigned long long>(std::ldexp(mantissa, 53));
  exponent -= 53;
  while (bits != 0 && (bits & 1) == 0) {
    bits >>= 1;
    ++exponent;
  }
  return exponent < 0 ? -exponent : 0;
}

// A text shown in a note: quoted, or "empty".
std::string Quoted(std::string_view text) {
  if (text.empty()) return "empty";
  std::string quoted = "\"";  // built in steps: GCC 12 warns wrongly about "\"" + text
  quoted += text;
  quoted += '"';
  return quoted;
}

// A figure of the rules as a taxpayer reads it: 1,50,000.
std::string RuleFigure(double value) { return GroupIndian(ShortestDigits(value)); }

std::string CountsTheCap(double cap) { return "over " + RuleFigure(cap) + ": counts " + RuleFigure(cap); }

// "at 20% over 60,000"
std::string SlabName(const rules::SlabLine& line) {
  return "at " + ShortestDigits(line.rate * 100) + "% over " + RuleFigure(line.from);
}

// "(taxable - 60000) x 0.2 + 1000"
std::string LineFormula(const rules::SlabLine& line) {
  return "(taxable - " + ShortestDigits(line.from) + ") x " + ShortestDigits(line.rate) + " + " +
         ShortestDigits(line.base);
}

class Builder {
 public:
  Builder(const Assessment& a, const PerField<std::string>& typed) : m_a(a), m_typed(typed) {}

  Working Build() {
    Income();
    HraExemption();
    GrossSalary();
    Section80();
    TaxableAmount();
    SlabTax();
    Section88();
    Tax();
    Results();
    return m_working;
  }

 private:
  void Start(WorkingPart part, std::string_view title) {
    m_section = &m_working[static_cast<size_t>(part)];
    m_section->part = part;
    m_section->title = title;
  }
  void Row(std::string label, std::string value, std::string note = {}) {
    m_section->rows.push_back({std::move(label), std::move(value), std::move(note)});
  }
  void Row(std::string label, float value, std::string note = {}) {
    Row(std::move(label), ExactDigits(value), std::move(note));
  }
  void Row(std::string label, double value, std::string note = {}) {
    Row(std::move(label), ShortestDigits(value), std::move(note));
  }

  // An Income field's figure, and the text it came from.
  void IncomeRow(Field field, float figure) {
    const FieldInfo& info = Info(field);
    const std::string& typed = m_typed[field];
    if (info.annualId != 0) {
      Row("annual " + std::string(info.name), figure,
          "from " + Quoted(AnnualEcho(typed)) + ", " + Quoted(typed) + " per month times 12");
    } else {
      Row("annual " + std::string(info.name), figure, Quoted(typed) + " per month times 12");
    }
  }

  void Income() {
    const SalaryFigures& f = m_a.figures;
    Start(WorkingPart::kIncome, "Income");
    IncomeRow(kBasic, f.annualBasic);
    IncomeRow(kAllowances1, f.annualAllowances1);
    IncomeRow(kAllowances2, f.annualAllowances2);
    Row(std::string(Info(kLta).name), f.lta, "from " + Quoted(m_typed[kLta]));
    IncomeRow(kRent, f.annualRent);
    IncomeRow(kHraReceived, f.annualHraReceived);
  }

  void HraExemption() {
    const SalaryFigures& f = m_a.figures;
    Start(WorkingPart::kHraExemption, "HRA exemption, the least of");
    auto least = [&f](HraCandidate candidate) { return f.exemptionFrom == candidate ? "least" : ""; };
    Row("annual rent", f.annualRent, least(HraCandidate::AnnualRent));
    Row("rent over a tenth of basic", f.rentOverTenthOfBasic, least(HraCandidate::RentOverTenthOfBasic));
    Row("half basic", f.halfBasic, least(HraCandidate::HalfBasic));
    Row("annual HRA received", f.annualHraReceived, least(HraCandidate::AnnualHraReceived));
    Row("taxable HRA", f.taxableHra,
        f.hraExemption < 0 ? "none: the exemption is below 0" : "HRA received less the exemption");
  }

  void GrossSalary() {
    const SalaryFigures& f = m_a.figures;
    Start(WorkingPart::kGrossSalary, "Gross salary");
    Row("gross salary", f.exactGrossSalary, "shown as " + WriteAmount(ResultAmountsOf(m_a)[Result::kGrossSalary]));
    Row("as the rules round it", f.grossSalary, "standard deduction tier " + std::string(m_a.tier.text));
    const std::string threshold = RuleFigure(rules::kFactorThreshold);
    Row("income with surcharge", m_a.incomeBase,
        m_a.factorApplies ? "over " + threshold + ": the surcharge factor " + ShortestDigits(rules::kFactor)
                          : "not over " + threshold + ": no surcharge");
  }

  void Section80() {
    Start(WorkingPart::kSection80, "Section 80, as it counts");
    for (Field field : kSection80ReadingOrder) {
      const FieldInfo& info = Info(field);
      std::string label(info.name);
      label += info.cap > 0 ? ", cap " + ShortestDigits(info.cap) : ", no cap";
      Row(std::move(label), m_a.counted[field],
          "claimed " + ShortestDigits(m_a.read[field]) + (m_a.capped[field] ? ", over the cap" : ""));
    }
    Row("total", m_a.section80Total);
  }

  void TaxableAmount() {
    Start(WorkingPart::kTaxableAmount, "Taxable amount");
    // The first figure says where it comes from, for the tax payable's working starts here.
    Row("income less Section 80", m_a.netIncome,
        "income with surcharge " + ExactDigits(m_a.incomeBase) + " less Section 80 " + ShortestDigits(m_a.section80Total));
    Row("standard deduction tier", m_a.tier.amount);
    Row(std::string(Info(kProfessionTax).name), m_a.read[kProfessionTax]);
    Row("deduction", m_a.deduction, "tier plus profession tax");
    Row("taxable amount", m_a.taxableAmount, "income less Section 80, less the deduction");
  }

  void SlabTax() {
    Start(WorkingPart::kSlabTax, "Slab tax");
    const bool upper = m_a.upperLineTaken;
    Row(SlabName(rules::kLowerLine), m_a.lowerLine, LineFormula(rules::kLowerLine) + (upper ? "" : "; the greater"));
    Row(SlabName(rules::kUpperLine), m_a.upperLine, LineFormula(rules::kUpperLine) + (upper ? "; the greater" : ""));
    Row("slab tax", m_a.slabTax, "the greater of the two");
  }

  void Section88() {
    Start(WorkingPart::kSection88, "Section 88");
    for (Field field : kSection88ReadingOrder) {
      if (field == kInfrastructureBond) continue;  // counts after the first cap
      Row(std::string(Info(field).name), m_a.counted[field]);
    }
    Row("sum of the first five", m_a.section88Sum, m_a.section88SumCapped ? CountsTheCap(rules::kSection88FirstFiveCap) : "");
    Row(std::string(Info(kInfrastructureBond).name), m_a.counted[kInfrastructureBond]);
    Row("total", m_a.section88Total, m_a.section88TotalCapped ? CountsTheCap(rules::kSection88TotalCap) : "");
    Row("Section 88 rebate", m_a.section88Amount);
  }

  void Tax() {
    Start(WorkingPart::kTax, "Tax");
    Row("tax less rebate", m_a.taxBeforeFactor, "the Section 88 rebate taken off the slab tax");
    Row("tax payable", m_a.taxPayable,
        m_a.factorApplies ? "times the surcharge factor " + ShortestDigits(rules::kFactor) : "no surcharge");
  }

  void Results() {
    Start(WorkingPart::kResultTexts, "Results");
    const PerResult<std::string> texts = ResultTextsOf(m_a);
    for (const ResultInfo& result : kResults) Row(std::string(result.column), texts[result.result]);
  }

  const Assessment& m_a;
  const PerField<std::string>& m_typed;
  Working m_working{};
  WorkingSection* m_section = nullptr;
};

// Label, value and note in columns, the value's point under the others'.
void AppendRow(std::string& out, const WorkingRow& row) {
  constexpr size_t kLabelWidth = 30;
  constexpr size_t kWholeWidth = 12;
  constexpr size_t kFractionWidth = 14;
  const size_t lineStart = out.size();
  auto padTo = [&out, lineStart](size_t column) {
    if (out.size() < lineStart + column) out.append(lineStart + column - out.size(), ' ');
  };
  out += "    ";
  out += row.label;
  padTo(4 + kLabelWidth);
  const size_t whole = std::min(row.value.find('.'), row.value.size());
  if (whole < kWholeWidth) out.append(kWholeWidth - whole, ' ');
  out += row.value;
  if (!row.note.empty()) {
    padTo(4 + kLabelWidth + kWholeWidth + kFractionWidth);
    out += "  ";
    out += row.note;
  }
  while (out.size() > lineStart && out.back() == ' ') out.pop_back();
  out += '\n';
}

constexpr WorkingPart kAllParts[] = {WorkingPart::kIncome,    WorkingPart::kHraExemption,  WorkingPart::kGrossSalary,
                                     WorkingPart::kSection80, WorkingPart::kTaxableAmount, WorkingPart::kSlabTax,
                                     WorkingPart::kSection88, WorkingPart::kTax,           WorkingPart::kResultTexts};
constexpr WorkingPart kTaxableHraParts[] = {WorkingPart::kIncome, WorkingPart::kHraExemption};
constexpr WorkingPart kGrossSalaryParts[] = {WorkingPart::kIncome, WorkingPart::kHraExemption,
                                             WorkingPart::kGrossSalary};
constexpr WorkingPart kSection80Parts[] = {WorkingPart::kSection80};
constexpr WorkingPart kSection88Parts[] = {WorkingPart::kSection88};
// From the taxable amount on: both slab lines, the Section 88 amount and the factor.
// The figures before it have tooltips of their own, and a tip must fit a screen.
constexpr WorkingPart kTaxPayableParts[] = {WorkingPart::kTaxableAmount, WorkingPart::kSlabTax,
                                            WorkingPart::kSection88, WorkingPart::kTax};

}  // namespace

std::string ExactDigits(float value) {
  const double widened = value;
  return Fixed(widened, std::isfinite(widened) ? FractionalBits(widened) : 0);
}

std::string ShortestDigits(double value) {
  if (!std::isfinite(value)) return Fixed(value, 0);
  std::array<char, 400> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  return error == std::errc{} ? std::string(text.data(), end) : std::string();
}

Working WorkingOf(const Assessment& assessment, const PerField<std::string>& typed) {
  return Builder(assessment, typed).Build();
}

std::span<const WorkingPart> AllWorkingParts() { return kAllParts; }

std::span<const WorkingPart> PartsExplaining(Result result) {
  switch (result) {
    case Result::kTaxableHra:
      return kTaxableHraParts;
    case Result::kGrossSalary:
      return kGrossSalaryParts;
    case Result::kSection80Benefit:
      return kSection80Parts;
    case Result::kSection88Benefit:
      return kSection88Parts;
    case Result::kTaxPayable:
      return kTaxPayableParts;
  }
  return {};
}

std::string WorkingText(const Working& working, std::span<const WorkingPart> parts) {
  std::string text;
  for (WorkingPart part : parts) {
    const WorkingSection& section = working[static_cast<size_t>(part)];
    text += "  ";
    text += section.title;
    text += '\n';
    for (const WorkingRow& row : section.rows) AppendRow(text, row);
  }
  return text;
}

}  // namespace varnolix
