#include "app/computation_sheet_of.h"

#include <QDate>
#include <QLocale>
#include <cmath>

#include "app/entries.h"
#include "assessment/amount.h"
#include "assessment/working.h"
#include "resources/dialog_templates.h"
#include "varnolix/version.h"

namespace varnolix {
namespace {

// An entry as the sheet prints it: to the cent, unless the amount has finer digits,
// which are all printed rather than rounded away.
std::string EntryAmount(std::string_view typed) {
  if (typed.empty()) return {};
  const double amount = ReadAmount(typed);
  const std::string exact = ShortestDigits(amount);
  const size_t point = exact.find('.');
  const bool inCents = point == std::string::npos || exact.size() - point <= 3;
  return GroupIndian(inCents && std::isfinite(amount) ? WriteAmount(amount) : exact);
}

std::vector<report::SheetSection> EntrySections(const SheetReading& reading) {
  std::vector<report::SheetSection> sections;
  for (Page page : {Page::kIncome, Page::kStandardDeduction, Page::kSection80, Page::kSection88}) {
    report::SheetSection& section = sections.emplace_back();
    section.title = resources::InputPageDialog(page).title;
    if (!reading.input.Shown(page)) section.remark = "Not shown: its amounts count as 0.";
    for (const FieldInfo& info : kFields) {
      if (info.page == page) section.lines.push_back({std::string(EntryLabel(info.field)), EntryAmount(reading.typed[info.field]), {}});
    }
  }
  return sections;
}

std::vector<report::SheetSection> WorkingSections(const Working& working) {
  std::vector<report::SheetSection> sections;
  for (const WorkingSection& part : working) {
    if (part.part == WorkingPart::kResultTexts) continue;  // printed set apart, as the page labels them
    report::SheetSection& section = sections.emplace_back();
    section.title = part.title;
    for (const WorkingRow& row : part.rows) section.lines.push_back({row.label, GroupIndian(row.value), row.note});
  }
  return sections;
}

// The results in the order the Tax Results page shows them.
report::SheetSection ResultSection(const Assessment& assessment) {
  const PerResult<std::string> texts = ResultTextsOf(assessment);
  report::SheetSection section{.title = "Results", .lines = {}, .remark = {}};
  const DialogTemplate& page = resources::kTaxResultsDialog;
  for (const ControlTemplate& control : page.controls) {
    for (const ResultInfo& result : kResults) {
      if (control.kind != ControlKind::Edit || control.id != result.controlId) continue;
      section.lines.push_back({std::string(resources::LabelOf(page, control.id)), GroupIndian(texts[result.result]), {}});
    }
  }
  return section;
}

}  // namespace

report::ComputationSheet ComputationSheetOf(const SheetReading& reading, std::string subject) {
  const Assessment assessment = Assess(reading.input);
  return {
      .title = "Income tax computation",
      .subject = std::move(subject),
      .date = QLocale::c().toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy")).toStdString(),
      .version = std::string(kProductName) + " " + kVersion,
      .entries = EntrySections(reading),
      .working = WorkingSections(WorkingOf(assessment, reading.typed)),
      .results = ResultSection(assessment),
  };
}

SheetReading SheetReadingOf(const payroll::RowReading& row) {
  SheetReading reading;
  reading.input.standardDeductionShown = reading.input.section80Shown = reading.input.section88Shown = true;
  for (const FieldInfo& info : kFields) {
    const double amount = row.amounts[info.field];
    // The Income page reads a monthly salary from its annual echo.
    reading.input.amounts[info.field] = info.annualId != 0 ? AnnualEchoValue(amount) : amount;
  }
  reading.typed = row.typed;
  return reading;
}

}  // namespace varnolix
