// The working's rows: each line's label, its figure on the decimal point and its note,
// in columns measured once for the sheet; a section's title stands beside its first row.
#include <algorithm>

#include "computation/render.h"
#include "report/sheet_parts.h"
#include "report/text_wrap.h"

namespace varnolix::report {
namespace {

// How much of the width a column may take at most; a longer label or note wraps.
constexpr double kHeadingShare = 0.17;
constexpr double kLabelShare = 0.33;  // room for a slab line's label on one line
constexpr double kFigureShare = 0.3;
constexpr std::string_view kEntriesTitle = "Entries";

// The lines that give a result are set as the result is: in the strong face.
bool GivesAResult(const WorkingLine& line) {
  return std::ranges::any_of(kResultsAsShown, [&](Result result) { return ResultLabel(result) == line.label; });
}

Face LineFace(const WorkingLine& line) { return GivesAResult(line) ? Face::kStrong : Face::kBody; }

std::string_view Whole(std::string_view figure) { return figure.substr(0, std::min(figure.find('.'), figure.size())); }

}  // namespace

Columns MeasureColumns(const Computation& computation, const TextMeasure& measure, double width) {
  Columns columns;
  columns.width = width;
  double heading = measure.Width(Face::kStrong, kEntriesTitle);
  double label = 0;
  double whole = 0;
  double fraction = 0;
  for (const WorkingSection& section : computation.working) {
    if (!section.lines.empty()) heading = std::max(heading, measure.Width(Face::kStrong, section.title));
    for (const WorkingLine& line : section.lines) {
      const Face face = LineFace(line);
      label = std::max(label, measure.Width(face, line.label));
      const std::string figure = FigureText(line);
      whole = std::max(whole, measure.Width(face, Whole(figure)));
      fraction = std::max(fraction, measure.Width(face, std::string_view(figure).substr(Whole(figure).size())));
    }
  }
  columns.headingWidth = std::min(heading, kHeadingShare * width);
  columns.labelX = columns.headingWidth + kColumnGap;
  columns.labelWidth = std::min(label, kLabelShare * width);
  // A figure too wide for its column is broken over lines; the others keep their points.
  whole = std::min(whole, kFigureShare * width - fraction);
  columns.pointX = columns.labelX + columns.labelWidth + kColumnGap + whole;
  columns.figureRight = columns.pointX + fraction;
  columns.noteX = columns.figureRight + kColumnGap + 1;
  columns.noteWidth = std::max(width - columns.noteX, 1.0);
  return columns;
}

std::vector<Block> WorkingBlocks(const Computation& computation, const TextMeasure& measure, const Columns& columns) {
  std::vector<Block> blocks;
  const double bodyLine = LineSpacing(Face::kBody);
  const double noteLine = LineSpacing(Face::kNote);
  const double baseline = Ascent(Face::kBody);
  for (const WorkingSection& section : computation.working) {
    for (const WorkingLine& line : section.lines) {
      Block& block = blocks.emplace_back();
      LaidOutPage& items = block.items;
      const Face face = LineFace(line);
      const std::size_t labels =
          AddWrapped(items, measure, face, line.label, columns.labelX, baseline, columns.labelWidth);
      const std::string figure = FigureText(line);
      const double figureWidth = columns.figureRight - columns.labelX - columns.labelWidth - kColumnGap;
      std::size_t figures = 1;
      if (measure.Width(face, figure) <= figureWidth + 0.01) {
        items.texts.push_back(FigureRun(measure, face, figure, columns.pointX, columns.figureRight, baseline));
      } else {
        std::vector<std::string> pieces = WrappedLines(measure, face, figure, figureWidth);
        figures = pieces.size();
        for (std::size_t i = 0; i < pieces.size(); ++i) {
          items.texts.push_back(RightRun(measure, face, std::move(pieces[i]), columns.figureRight,
                                         baseline + static_cast<double>(i) * bodyLine));
        }
      }
      const std::size_t notes =
          AddWrapped(items, measure, Face::kNote, NoteText(line), columns.noteX, baseline, columns.noteWidth);
      const double noteHeight = notes == 0 ? 0 : bodyLine + static_cast<double>(notes - 1) * noteLine;
      block.piece.height = std::max({static_cast<double>(std::max(labels, figures)) * bodyLine, noteHeight});
      block.piece.section = static_cast<int>(section.part);
      block.piece.spaceBefore = &line == &section.lines.front() ? kSectionGap : 0;
    }
  }
  // The tax payable stays with the signature under it.
  if (!blocks.empty()) blocks.back().piece.keepWithNext = true;
  return blocks;
}

LaidOutPage SectionHeading(const TextMeasure& measure, std::string_view title, bool continued,
                           const Columns& columns) {
  LaidOutPage items;
  const double baseline = Ascent(Face::kBody);
  const std::size_t lines = AddWrapped(items, measure, Face::kStrong, title, 0, baseline, columns.headingWidth);
  if (continued) {
    const double below = baseline + static_cast<double>(std::max<std::size_t>(lines, 1) - 1) * LineSpacing(Face::kStrong);
    items.texts.push_back({0, below + LineSpacing(Face::kNote), Face::kNote, "continued"});
  }
  return items;
}

}  // namespace varnolix::report
