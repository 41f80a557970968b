// A computation as text: the whole working, as Copy Working copies it and as
// varnolix-assess --explain prints it under each row's heading; and the tooltip of a
// result on the Tax Results page, which a screen reader reads as the result's
// description. Figures are written as the rules hold them, to the paisa, grouped the
// Indian way; entries as typed, grouped.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "computation/computation.h"

namespace varnolix {

// A figure written to the paisa as the rules hold it ("%.2f"), grouped the Indian way:
// 1,20,000.00.
std::string WrittenFigure(double figure);
// A line's figure: as WrittenFigure writes it, or "nil".
std::string FigureText(const WorkingLine& line);
// The note, and where the rules' single precision moves the figure, the exact one.
std::string NoteText(const WorkingLine& line);

// The sections that show how `result` was reached, in order.
std::span<const WorkingPart> PartsExplaining(Result result);

// Every section, a line to each figure (label, figure on the decimal point, note), then
// the five results as the Tax Results page shows them, then the notes on the rules.
std::string WorkingText(const Computation& computation);

// How a tooltip is wrapped.
inline constexpr std::size_t kTipWidth = 60;
// The result and its figure as a heading, then the sections that explain it, each line
// a label with its figure at the right, and its note wrapped below.
std::string ResultTip(const Computation& computation, Result result);

}  // namespace varnolix
