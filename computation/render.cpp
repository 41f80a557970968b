#include "computation/render.h"

#include "assessment/amount.h"

namespace varnolix {
namespace {

using enum WorkingPart;

constexpr WorkingPart kTaxableHraParts[] = {kHraExemption};
constexpr WorkingPart kGrossSalaryParts[] = {kSalary, kGrossSalary};
constexpr WorkingPart kSection80Parts[] = {kSection80};
constexpr WorkingPart kSection88Parts[] = {kSection88};
// From the taxable amount on; the figures before it have tooltips of their own.
constexpr WorkingPart kTaxPayableParts[] = {kTaxableAmount, kSlabTax, kTax};

void Pad(std::string& out, size_t lineStart, size_t column) {
  if (out.size() < lineStart + column) out.append(lineStart + column - out.size(), ' ');
}

// Label, figure and note in columns: the figures end on one column, so their points align.
void AppendLine(std::string& out, std::string_view label, std::string_view figure, std::string_view note) {
  constexpr size_t kLabelEnd = 44;
  constexpr size_t kFigureEnd = kLabelEnd + 18;
  const size_t lineStart = out.size();
  out += "    ";
  out += label;
  out += ' ';
  Pad(out, lineStart, figure.size() < kFigureEnd ? kFigureEnd - figure.size() : 0);
  out += figure;
  if (!note.empty()) {
    out += "  ";
    out += note;
  }
  out += '\n';
}

// `text` broken into lines of at most `width` characters between words, each line
// starting with `indent`; a word longer than a line stands alone on its line.
void AppendWrapped(std::string& out, std::string_view text, std::string_view indent, size_t width) {
  size_t lineLength = 0;
  while (!text.empty()) {
    const size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
    if (word.empty()) continue;
    if (lineLength > 0 && lineLength + 1 + word.size() > width) {
      out += '\n';
      lineLength = 0;
    }
    if (lineLength == 0) {
      out += indent;
      lineLength = indent.size();
    } else {
      out += ' ';
      ++lineLength;
    }
    out += word;
    lineLength += word.size();
  }
  if (lineLength > 0) out += '\n';
}

}  // namespace

std::string WrittenFigure(double figure) { return GroupIndian(WriteAmount(figure)); }

std::string FigureText(const WorkingLine& line) { return line.nil ? "nil" : WrittenFigure(line.figure); }

std::string NoteText(const WorkingLine& line) {
  if (!line.exact) return line.note;
  return line.note + (line.note.empty() ? "" : "; ") + "exact arithmetic gives " + line.exact->Text();
}

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

std::string WorkingText(const Computation& c) {
  std::string text;
  for (const WorkingSection& section : c.working) {
    text += "  ";
    text += section.title;
    text += '\n';
    for (const WorkingLine& line : section.lines) AppendLine(text, line.label, FigureText(line), NoteText(line));
  }
  text += "  Results\n";
  for (Result result : kResultsAsShown) AppendLine(text, ResultLabel(result), WrittenFigure(c.results[result]), {});
  text += "  Notes on the rules\n";
  for (RuleNote note : c.notes) AppendWrapped(text, RuleNoteText(note), "    ", 1000000);
  return text;
}

std::string ResultTip(const Computation& c, Result result) {
  std::string tip;
  AppendWrapped(tip, std::string(ResultLabel(result)) + ": " + WrittenFigure(c.results[result]), "", kTipWidth);
  for (WorkingPart part : PartsExplaining(result)) {
    const WorkingSection& section = c.Section(part);
    tip += '\n';
    tip += section.title;
    tip += '\n';
    for (const WorkingLine& line : section.lines) {
      const std::string figure = FigureText(line);
      const size_t lineStart = tip.size();
      tip += line.label;
      tip += ' ';
      Pad(tip, lineStart, kTipWidth - std::min(figure.size(), kTipWidth));
      tip += figure;
      tip += '\n';
      AppendWrapped(tip, NoteText(line), "  ", kTipWidth);
    }
  }
  if (!tip.empty()) tip.pop_back();  // no line break after the last line
  return tip;
}

}  // namespace varnolix
