#include "computation/working.h"

#include "assessment/amount.h"
#include "assessment/rules.h"
#include "computation/render.h"
#include "payroll/messages.h"

namespace varnolix {
namespace {

using enum Field;

// A number of the rules as the rules mean it: 0.2, not the binary fraction nearest it.
Exact Constant(double value) { return Exact::OfText(ShortestDigits(value)); }

std::string Percent(double rate) { return ShortestDigits(rate * 100) + "%"; }

// The rules' constant is the single nearest a tenth; by hand, a tenth is a tenth.
const Exact kTenth = Exact::OfText("0.1");

class Builder {
 public:
  Builder(const Assessment& a, const PerField<std::string>& texts, std::vector<RuleNote>& notes)
      : m_a(a), m_f(a.figures), m_texts(texts), m_notes(notes) {}

  std::array<WorkingSection, kWorkingPartCount> Build() {
    m_notes.push_back(RuleNote::kRulesOrder);  // the notes go in the order of their enumeration
    Salary();
    HraExemption();
    GrossSalary();
    Section80();
    TaxableAmount();
    SlabTax();
    Section88();
    Tax();
    if (m_a.factorApplies) m_notes.push_back(RuleNote::kFactorTwice);
    if (m_f.hraExemption < 0 && m_f.annualHraReceived > 0) m_notes.push_back(RuleNote::kHraUntaxed);
    if (m_a.section88Amount > 0) m_notes.push_back(RuleNote::kRebateInFull);
    if (m_anyExact) m_notes.push_back(RuleNote::kSinglePrecision);
    return m_working;
  }

 private:
  void Start(WorkingPart part, std::string_view title) {
    m_section = &m_working[static_cast<size_t>(part)];
    m_section->part = part;
    m_section->title = title;
  }

  // A line; `exact` is what exact arithmetic on the figures above gives, kept only where
  // the rules' figure differs from it.
  void Line(std::string label, double figure, std::string note, const Exact& exact = {}, bool nil = false) {
    WorkingLine& line = m_section->lines.emplace_back();
    line.label = std::move(label);
    line.figure = figure;
    line.note = std::move(note);
    line.nil = nil;
    if (!nil && exact.DiffersFrom(figure)) {
      line.exact = exact;
      m_anyExact = true;
    }
  }

  bool Entered(Field field) const { return !m_texts[field].empty(); }
  // A line for an amount is left out when nothing was entered for it.
  bool Listed(Field field, double figure) const { return Entered(field) || figure != 0; }

  // An entry in a note: as typed, grouped; text that is no plain number, quoted with
  // what it reads as.
  std::string EntryWords(Field field) const {
    const std::string& typed = m_texts[field];
    if (Exact::OfText(typed).known()) return GroupIndian(typed);
    std::string words = "\"";
    words += payroll::QuotedCell(typed);
    words += "\", read as ";
    words += WrittenFigure(ReadAmount(typed));
    return words + ",";
  }
  Exact EntryExact(Field field) const { return Entered(field) ? Exact::OfText(m_texts[field]) : Exact::OfText("0"); }

  std::string Monthly(Field field) const {
    return Entered(field) ? EntryWords(field) + " a month, times 12" : "nothing entered";
  }
  Exact MonthlyExact(Field field) const { return EntryExact(field) * Constant(rules::kMonthsPerYear); }

  // The Gross Salary that the tests of the rules take: held in single precision.
  std::string GrossAsTested() const {
    if (WriteAmount(m_f.grossSalary) == WriteAmount(m_f.exactGrossSalary)) return "Gross Salary";
    return "Gross Salary, held in single precision as " + WrittenFigure(m_f.grossSalary) + ",";
  }

  void Salary() {
    Start(WorkingPart::kSalary, "Salary");
    Line("annual basic", m_f.annualBasic, Monthly(kBasic), MonthlyExact(kBasic));
    if (Listed(kAllowances1, m_f.annualAllowances1)) {
      Line("annual allowances 1", m_f.annualAllowances1, Monthly(kAllowances1), MonthlyExact(kAllowances1));
    }
    if (Listed(kAllowances2, m_f.annualAllowances2)) {
      Line("annual allowances 2", m_f.annualAllowances2, Monthly(kAllowances2), MonthlyExact(kAllowances2));
    }
    if (Listed(kLta, m_f.lta)) Line("LTA", m_f.lta, "for the year");
    if (Listed(kHraReceived, m_f.annualHraReceived)) {
      Line("annual HRA received", m_f.annualHraReceived, Monthly(kHraReceived), MonthlyExact(kHraReceived));
    }
  }

  void HraExemption() {
    Start(WorkingPart::kHraExemption, "HRA exemption");
    if (!Listed(kHraReceived, m_f.annualHraReceived)) {
      Line("Taxable HRA", m_f.taxableHra, "no HRA received");
      return;
    }
    auto least = [this](HraCandidate candidate, std::string note) {
      if (m_f.exemptionFrom != candidate) return note;
      return note.empty() ? std::string("the least") : note + "; the least";
    };
    const Exact basic = Exact::Written(m_f.annualBasic);
    Line("annual rent", m_f.annualRent, least(HraCandidate::AnnualRent, Monthly(kRent)), MonthlyExact(kRent));
    Line("annual rent less a tenth of basic", m_f.rentOverTenthOfBasic,
         least(HraCandidate::RentOverTenthOfBasic,
               WrittenFigure(m_f.annualRent) + " less a tenth of " + WrittenFigure(m_f.annualBasic)),
         Exact::Written(m_f.annualRent) - basic * kTenth);
    Line("half of basic", m_f.halfBasic, least(HraCandidate::HalfBasic, {}), basic * Constant(rules::kHalf));
    Line("annual HRA received", m_f.annualHraReceived, least(HraCandidate::AnnualHraReceived, {}));
    const bool belowZero = m_f.hraExemption < 0;
    Line("HRA exemption", m_f.hraExemption,
         belowZero ? "the least of the four; below zero, as the annual rent is less than a tenth of basic"
                   : "the least of the four");
    if (belowZero) {
      Line("Taxable HRA", m_f.taxableHra, "none, as the HRA exemption is below zero");
    } else {
      Line("Taxable HRA", m_f.taxableHra, "annual HRA received less the HRA exemption",
           Exact::Written(m_f.annualHraReceived) - Exact::Written(m_f.hraExemption));
    }
  }

  void GrossSalary() {
    Start(WorkingPart::kGrossSalary, "Gross salary");
    Line("Gross Salary", m_f.exactGrossSalary, "annual basic, allowances, LTA and Taxable HRA, added",
         Exact::Written(m_f.annualBasic) + Exact::Written(m_f.annualAllowances1) +
             Exact::Written(m_f.annualAllowances2) + Exact::Written(m_f.lta) + Exact::Written(m_f.taxableHra));
  }

  void Section80() {
    Start(WorkingPart::kSection80, "Section 80");
    const std::string threshold = WrittenFigure(rules::kFactorThreshold);
    const Exact gross = Exact::Written(m_f.exactGrossSalary);
    if (m_a.factorApplies) {
      Line("income", m_a.incomeBase,
           "Gross Salary times the surcharge factor " + ShortestDigits(rules::kFactor) + ", as " + GrossAsTested() +
               " is over " + threshold,
           gross * Constant(rules::kFactor));
    } else {
      Line("income", m_a.incomeBase,
           "Gross Salary; no surcharge factor, as " + GrossAsTested() + " is not over " + threshold, gross);
    }
    Exact total = Exact::OfText("0");
    bool any = false;
    for (Field field : kSection80ReadingOrder) {
      const double counted = m_a.counted[field];
      total = total + Exact::Written(counted);
      if (!Listed(field, counted)) continue;
      any = true;
      const double cap = Info(field).cap;
      std::string note = EntryWords(field) + " claimed";
      if (cap <= 0) {
        note += ", no cap";
      } else {
        note += (m_a.capped[field] ? ", over the cap of " : ", within the cap of ") + WrittenFigure(cap);
      }
      Line(std::string(Info(field).name), counted, note, m_a.capped[field] ? Constant(cap) : EntryExact(field));
    }
    Line("Exemption benefit under 80", m_a.section80Total, any ? "the amounts above, added" : "nothing claimed",
         total);
    Line("income less Section 80", m_a.netIncome, "income less Exemption benefit under 80",
         Exact::Written(m_a.incomeBase) - Exact::Written(m_a.section80Total));
  }

  void TaxableAmount() {
    Start(WorkingPart::kTaxableAmount, "Taxable amount");
    Line("standard deduction", m_a.tier.amount, GrossAsTested() + TierWords());
    const double professionTax = m_a.professionTaxCounts ? m_a.read[kProfessionTax] : 0;
    const bool listed = m_a.professionTaxCounts && Listed(kProfessionTax, professionTax);
    if (listed) Line("profession tax", professionTax, "as entered");
    Line("taxable amount", m_a.taxableAmount,
         listed ? "income less Section 80, less the standard deduction and profession tax"
                : "income less Section 80, less the standard deduction",
         Exact::Written(m_a.netIncome) - Exact::Written(m_a.tier.amount) - Exact::Written(professionTax));
  }

  // " is over 1,00,000.00 and up to 5,00,000.00": the tier the rules take.
  std::string TierWords() const {
    const auto& tiers = rules::kTiers;
    for (size_t i = 0; i < tiers.size(); ++i) {
      if (m_f.grossSalary > tiers[i].upTo) continue;
      std::string words;
      if (i > 0) words += " is over " + WrittenFigure(tiers[i - 1].upTo);
      if (i + 1 < tiers.size()) words += (i > 0 ? " and up to " : " is up to ") + WrittenFigure(tiers[i].upTo);
      return words;
    }
    return {};  // a Gross Salary that is not a number falls in no tier
  }

  void SlabLine(const rules::SlabLine& rule, double figure, bool taken) {
    const std::string label = "at " + Percent(rule.rate) + " over " + WrittenFigure(rule.from) + ", plus " +
                              WrittenFigure(rule.base);
    Line(label, figure, taken ? "the greater" : "",
         (Exact::Written(m_a.taxableAmount) - Constant(rule.from)) * Constant(rule.rate) + Constant(rule.base));
  }

  void SlabTax() {
    Start(WorkingPart::kSlabTax, "Slab tax");
    SlabLine(rules::kLowerLine, m_a.lowerLine, !m_a.upperLineTaken);
    SlabLine(rules::kUpperLine, m_a.upperLine, m_a.upperLineTaken);
    if (m_a.slabTax < 0) {
      const rules::SlabLine& lower = rules::kLowerLine;
      Line("slab tax", m_a.slabTax,
           "the taxable amount is below " + WrittenFigure(lower.from - lower.base / lower.rate) +
               ", where the tax starts",
           {}, true);
    } else {
      Line("slab tax", m_a.slabTax, "the greater of the two",
           Max(Exact::Written(m_a.lowerLine), Exact::Written(m_a.upperLine)));
    }
  }

  void Section88() {
    Start(WorkingPart::kSection88, "Section 88");
    Exact sum = Exact::OfText("0");
    bool any = false;
    for (Field field : kSection88ReadingOrder) {
      if (field == kInfrastructureBond) continue;  // counts after the first cap
      sum = sum + Exact::Written(m_a.counted[field]);
      if (!Listed(field, m_a.counted[field])) continue;
      any = true;
      Line(std::string(Info(field).name), m_a.counted[field], "", EntryExact(field));
    }
    auto capWords = [](bool capped, double cap) {
      return capped ? "over the cap of " + WrittenFigure(cap) + ": counts " + WrittenFigure(cap)
                    : "within the cap of " + WrittenFigure(cap);
    };
    if (any) Line("these amounts together", m_a.section88Sum, capWords(m_a.section88SumCapped, rules::kSection88FirstFiveCap), sum);
    Exact amount = Min(sum, Constant(rules::kSection88FirstFiveCap));
    const double bond = m_a.counted[kInfrastructureBond];
    if (Listed(kInfrastructureBond, bond)) {
      any = true;
      Line("infrastructure bond", bond, "", EntryExact(kInfrastructureBond));
      amount = amount + Exact::Written(bond);
      Line("with the infrastructure bond", m_a.section88Total,
           capWords(m_a.section88TotalCapped, rules::kSection88TotalCap), amount);
      amount = Min(Exact::Written(m_a.section88Total), Constant(rules::kSection88TotalCap));
    }
    Line("Exemption benefit under 88", m_a.section88Amount, any ? "" : "nothing claimed", amount);
  }

  void Tax() {
    Start(WorkingPart::kTax, "Tax");
    const double slabTax = m_a.slabTax;
    const double benefit = m_a.section88Amount;
    const bool nil = m_a.taxBeforeFactor < 0;
    std::string note;
    if (slabTax < 0) {
      note = "as the slab tax is nil";
      if (benefit > 0) note += ", none of Exemption benefit under 88 is used";
    } else if (nil) {
      const Exact excess = Exact::Written(benefit) - Exact::Written(slabTax);
      note = "Exemption benefit under 88 is larger than the slab tax by " +
             (excess.known() ? excess.Text() : WrittenFigure(benefit - slabTax)) + "; " + WrittenFigure(slabTax) +
             " of it is used against the tax";
    } else if (benefit == 0) {
      note = "the slab tax; nothing under Section 88";
    } else {
      note = "the slab tax less Exemption benefit under 88, used in full";
    }
    Line("tax after Section 88", m_a.taxBeforeFactor, note,
         slabTax < 0 ? Exact() : Exact::Written(slabTax) - Exact::Written(benefit), nil);

    const Exact after = Exact::Written(m_a.taxBeforeFactor);
    if (m_a.taxPayable < 0) {
      Line("Tax Payable", m_a.taxPayable, "as the tax after Section 88 is nil; the result shows 0.00", {}, true);
    } else if (m_a.factorApplies) {
      Line("Tax Payable", m_a.taxPayable,
           "tax after Section 88 times the surcharge factor " + ShortestDigits(rules::kFactor),
           after * Constant(rules::kFactor));
    } else {
      Line("Tax Payable", m_a.taxPayable, "tax after Section 88; no surcharge factor", after);
    }
  }

  const Assessment& m_a;
  const SalaryFigures& m_f;
  const PerField<std::string>& m_texts;
  std::vector<RuleNote>& m_notes;
  std::array<WorkingSection, kWorkingPartCount> m_working{};
  WorkingSection* m_section = nullptr;
  bool m_anyExact = false;
};

}  // namespace

std::array<WorkingSection, kWorkingPartCount> WorkingOf(const Assessment& assessment,
                                                        const PerField<std::string>& texts,
                                                        std::vector<RuleNote>& notes) {
  return Builder(assessment, texts, notes).Build();
}

}  // namespace varnolix
