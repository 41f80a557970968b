#include "app/computation_sheet_of.h"

#include <QDate>
#include <QLocale>

#include "assessment/amount.h"
#include "computation/render.h"
#include "varnolix/version.h"

namespace varnolix {
namespace {

std::vector<report::SheetSection> EntrySections(const Computation& computation) {
  std::vector<report::SheetSection> sections;
  for (const EntryPage& page : computation.entries) {
    report::SheetSection& section = sections.emplace_back();
    section.title = page.title;
    if (!page.shown) section.remark = "Not shown: its amounts count as 0.";
    for (const Entry& entry : page.entries) {
      section.lines.push_back({std::string(entry.label), GroupIndian(entry.typed), {}});
    }
  }
  return sections;
}

std::vector<report::SheetSection> WorkingSections(const Computation& computation) {
  std::vector<report::SheetSection> sections;
  for (const WorkingSection& part : computation.working) {
    report::SheetSection& section = sections.emplace_back();
    section.title = part.title;
    for (const WorkingLine& line : part.lines) section.lines.push_back({line.label, FigureText(line), NoteText(line)});
  }
  report::SheetSection& notes = sections.emplace_back();
  notes.title = "Notes on the rules";
  for (RuleNote note : computation.notes) notes.remark += (notes.remark.empty() ? "" : " ") + RuleNoteText(note);
  return sections;
}

// The results in the order the Tax Results page shows them.
report::SheetSection ResultSection(const Computation& computation) {
  report::SheetSection section{.title = "Results", .lines = {}, .remark = {}};
  for (Result result : kResultsAsShown) {
    section.lines.push_back({std::string(ResultLabel(result)), WrittenFigure(computation.results[result]), {}});
  }
  return section;
}

}  // namespace

report::ComputationSheet ComputationSheetOf(const SheetReading& reading, std::string subject) {
  const std::string today = QLocale::c().toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy")).toStdString();
  const Computation computation = ComputationOf({}, today, reading.typed, reading.shown);
  return {
      .title = "Income tax computation",
      .subject = std::move(subject),
      .date = computation.date,
      .version = std::string(kProductName) + " " + kVersion,
      .entries = EntrySections(computation),
      .working = WorkingSections(computation),
      .results = ResultSection(computation),
  };
}

SheetReading SheetReadingOf(const payroll::RowReading& row) {
  SheetReading reading;
  reading.shown = kEveryPageShown;
  reading.typed = row.typed;
  reading.input = InputOf(reading.typed, reading.shown);
  return reading;
}

}  // namespace varnolix
