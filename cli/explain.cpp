#include "cli/explain.h"

#include <charconv>

#include "assessment/amount.h"
#include "cli/csv_writer.h"
#include "cli/exact_decimal.h"

namespace varnolix::cli {
namespace {

// Lines of label, value and note, the values aligned on their decimal point.
class Working {
 public:
  explicit Working(std::string& out) : out_(out) {}

  void Heading(std::string_view title) {
    out_ += "  ";
    out_ += title;
    out_ += '\n';
  }

  void Row(std::string_view label, std::string_view value, std::string_view note = {}) {
    constexpr size_t kLabelWidth = 30;
    constexpr size_t kWholeWidth = 12;
    constexpr size_t kFractionWidth = 14;
    const size_t lineStart = out_.size();
    out_ += "    ";
    out_ += label;
    Pad(lineStart + 4 + kLabelWidth);
    const size_t point = value.find('.');
    const std::string_view whole = value.substr(0, point);
    if (whole.size() < kWholeWidth) out_.append(kWholeWidth - whole.size(), ' ');
    out_ += value;
    if (!note.empty()) {
      Pad(lineStart + 4 + kLabelWidth + kWholeWidth + kFractionWidth);
      out_ += "  ";
      out_ += note;
    }
    while (!out_.empty() && out_.back() == ' ') out_.pop_back();
    out_ += '\n';
  }

  void Row(std::string_view label, float value, std::string_view note = {}) {
    value_.clear();
    AppendExact(value_, value);
    Row(label, std::string_view(value_), note);
  }
  void Row(std::string_view label, double value, std::string_view note = {}) {
    value_.clear();
    AppendDouble(value_, value);
    Row(label, std::string_view(value_), note);
  }

 private:
  void Pad(size_t column) {
    if (out_.size() < column) out_.append(column - out_.size(), ' ');
  }

  std::string& out_;
  std::string value_;
};

// A text shown in a note: quoted, or "empty".
std::string Quoted(std::string_view text) {
  if (text.empty()) return "empty";
  std::string quoted = "\"";
  quoted += text;
  quoted += '"';
  return quoted;
}

std::string Annualised(std::string_view annualText, std::string_view monthlyText) {
  return "from " + Quoted(annualText) + ", " + Quoted(monthlyText) + " per month times 12";
}

std::string Number(double value) {
  std::string text;
  AppendDouble(text, value);
  return text;
}

// The annual field's text, the Income page's echo of the monthly one, and where it came from.
std::string Annualised(const RowAssessor& row, Field monthly) {
  const std::string monthlyText = row.fieldText(monthly);
  return Annualised(AnnualEcho(monthlyText), monthlyText);
}

void ExplainIncome(Working& w, const RowAssessor& row, const ResultTexts& results) {
  const Assessment& a = row.assessment();
  const SalaryFigures& f = a.figures;
  w.Heading("Income");
  w.Row("annual basic", f.annualBasic, Annualised(row, Field::kBasicPm));
  w.Row("annual allowances 1", f.annualAllowances1, Annualised(row, Field::kAllowances1Pm));
  w.Row("annual allowances 2", f.annualAllowances2, Annualised(row, Field::kAllowances2Pm));
  w.Row("LTA", f.lta, "from " + Quoted(row.fieldText(Field::kLtaAnnual)));
  w.Row("annual rent", f.annualRent, Quoted(row.fieldText(Field::kRentPm)) + " per month times 12");
  w.Row("annual HRA received", f.annualHraReceived,
        Quoted(row.fieldText(Field::kHraReceivedPm)) + " per month times 12");

  w.Heading("HRA exemption, the least of");
  const auto least = [&](HraCandidate candidate) {
    return f.exemptionFrom == candidate ? std::string_view("least") : std::string_view();
  };
  w.Row("annual rent", f.annualRent, least(HraCandidate::AnnualRent));
  w.Row("rent over a tenth of basic", f.rentOverTenthOfBasic, least(HraCandidate::RentOverTenthOfBasic));
  w.Row("half basic", f.halfBasic, least(HraCandidate::HalfBasic));
  w.Row("annual HRA received", f.annualHraReceived, least(HraCandidate::AnnualHraReceived));
  w.Row("taxable HRA", f.taxableHra,
        f.hraExemption < 0 ? "none, as the least is below 0" : "annual HRA received less the least");

  w.Heading("Gross salary");
  w.Row("exact", f.exactGrossSalary, "shown as " + results.grossSalary);
  w.Row("single", f.grossSalary, "standard deduction tier " + std::string(a.tier.text));
  w.Row("income base", a.incomeBase,
        a.factorApplies ? "above 60000: times 1.1, narrowed" : "not above 60000: no factor");
}

void ExplainSection80(Working& w, const Assessment& a) {
  w.Heading("Section 80 (counted)");
  for (const Section80Amount& amount : a.section80) {
    std::string label(amount.name);
    label += amount.cap > 0 ? ", cap " + Number(amount.cap) : ", no cap";
    std::string note = "read " + Number(amount.read);
    if (amount.capBound) note += ", capped";
    w.Row(label, amount.counted, note);
  }
  w.Row("total", a.section80Total);
}

void ExplainTaxable(Working& w, const Assessment& a) {
  w.Heading("Taxable amount");
  w.Row("net income", a.netIncome, "income base less Section 80, narrowed");
  w.Row("standard deduction tier", a.tier.amount);
  w.Row("profession tax", a.professionTax);
  w.Row("deduction", a.deduction, "tier plus profession tax");
  w.Row("taxable amount", a.taxableAmount, "net income less deduction");

  w.Heading("Slab tax");
  w.Row("lower line", a.lowerLine,
        a.upperLineTaken ? "(taxable - 60000) x 0.2 + 1000, narrowed"
                         : "(taxable - 60000) x 0.2 + 1000, narrowed; taken");
  w.Row("upper line", a.upperLine,
        a.upperLineTaken ? "(taxable - 150000) x 0.3 + 18000; taken, narrowed" : "(taxable - 150000) x 0.3 + 18000");
  w.Row("slab tax", a.slabTax);
}

std::string CountsTheCap(double cap) { return "above " + Number(cap) + ": counts " + Number(cap); }

void ExplainSection88(Working& w, const Assessment& a) {
  w.Heading("Section 88");
  w.Row("PF contribution", a.section88[kPf]);
  w.Row("LIC premium", a.section88[kLic]);
  w.Row("PPF", a.section88[kPpf]);
  w.Row("other investments", a.section88[kOtherInvestments]);
  w.Row("mutual fund", a.section88[kMutualFund]);
  w.Row("sum of the first five", a.section88Sum,
        a.section88SumCapped ? CountsTheCap(kSection88FirstFiveCap) : "");
  w.Row("infrastructure bond", a.section88[kInfrastructureBond]);
  w.Row("total", a.section88Total,
        a.section88TotalCapped ? CountsTheCap(kSection88TotalCap) : "");
  w.Row("Section 88 amount", a.section88Amount);
}

void ExplainTax(Working& w, const Assessment& a, const ResultTexts& r) {
  w.Heading("Tax");
  w.Row("before the factor", a.taxBeforeFactor, "slab tax less Section 88 amount, narrowed");
  w.Row("tax payable", a.taxPayable, a.factorApplies ? "times 1.1, narrowed" : "no factor");

  w.Heading("Results");
  const std::string_view texts[] = {r.taxableHra, r.grossSalary, r.section80Benefit, r.section88Benefit, r.taxPayable};
  for (size_t i = 0; i < std::size(texts); ++i) w.Row(kResultColumns[i], texts[i]);
}

}  // namespace

void AppendExplanation(std::string& out, long long line, std::span<const NamedCell> who, const RowAssessor& row,
                       bool ok) {
  out += "line ";
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, line);
  (void)error;  // 24 places hold any 64-bit number
  out.append(digits, end);
  const char* separator = ": ";
  for (const auto& [name, value] : who) {
    if (value.empty()) continue;
    out += separator;
    out += name;
    out += '=';
    AppendCsvField(out, value);
    separator = ", ";
  }
  out += '\n';
  if (!ok) {
    for (size_t i = 0; i < row.errorCount(); ++i) {
      out += "  error: ";
      out += row.error(i);
      out += '\n';
    }
    return;
  }
  const ResultTexts results = ResultTextsOf(row.assessment());
  Working w(out);
  ExplainIncome(w, row, results);
  ExplainSection80(w, row.assessment());
  ExplainTaxable(w, row.assessment());
  ExplainSection88(w, row.assessment());
  ExplainTax(w, row.assessment(), results);
}

}  // namespace varnolix::cli
