// The parts a computation sheet is laid out from, each measured and placed relative to
// its own top-left corner: the header, the entries, a row of the working and the foot
// with the rules and the signature; and what repeats on pages after the first. Internal to
// report/: callers take whole pages from sheet_layout.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "computation/computation.h"
#include "report/laid_out_page.h"
#include "report/pagination.h"

namespace varnolix::report {

// Room between columns, between the sections of the working, and between the bands of
// the sheet (header, entries, working, signature), in millimetres.
inline constexpr double kColumnGap = 3;
inline constexpr double kSectionGap = 1.4;
inline constexpr double kBandGap = 3.5;

struct Block {
  LaidOutPage items;
  Piece piece;  // its height, and how a page break treats it
};

// Where the working's columns stand across the page, measured on the sheet's own texts,
// so that every figure's point lines up down the sheet. The entries' side heading uses
// the same first column.
struct Columns {
  double width = 0;        // the whole text area
  double headingWidth = 0; // the sections' titles, at the left
  double labelX = 0;
  double labelWidth = 0;
  double pointX = 0;       // where the figures' decimal points stand
  double figureRight = 0;  // where their paise end
  double noteX = 0;
  double noteWidth = 0;
};

Columns MeasureColumns(const Computation& computation, const TextMeasure& measure, double width);

// A figure placed with its decimal point on `pointX`: a whole number ends there, and
// text that is no number ("nil") ends at `right`.
TextRun FigureRun(const TextMeasure& measure, Face face, std::string text, double pointX, double right,
                  double baseline);
// A run ending at `right`.
TextRun RightRun(const TextMeasure& measure, Face face, std::string text, double right, double baseline);
// Lines of `text` wrapped to `width` from (x, first baseline), one LineSpacing apart;
// returns the number of lines.
std::size_t AddWrapped(LaidOutPage& items, const TextMeasure& measure, Face face, std::string_view text, double x,
                       double baseline, double width);

// The first page's head: title, who, date and source at the left; the five results,
// framed, at the right.
Block HeaderBlock(const Computation& computation, const TextMeasure& measure, double width);
// The head of each page after the first: the name and code, and "continued".
Block ContinuedHeader(const Computation& computation, const TextMeasure& measure, double width);
// The entries typed, page by page, in as many columns as fit.
Block EntriesBlock(const Computation& computation, const TextMeasure& measure, const Columns& columns);
// One block to each line of the working; the lines of a section are a section's rows.
std::vector<Block> WorkingBlocks(const Computation& computation, const TextMeasure& measure, const Columns& columns);
// A section's title, beside its first row on a page, with "continued" under it on a page
// after the one it starts on.
LaidOutPage SectionHeading(const TextMeasure& measure, std::string_view title, bool continued,
                           const Columns& columns);
// The sheet's foot: a footnote on what rules the working applies (the regime, the rules
// that surprise a practitioner, the single precision; `program` names the version that
// applies them), and beside it lines for who prepared the sheet, the date and a signature.
Block ClosingBlock(const TextMeasure& measure, double width, std::string_view program);
LaidOutPage PageNumber(const TextMeasure& measure, const PageArea& area, std::size_t page, std::size_t pages);

}  // namespace varnolix::report
