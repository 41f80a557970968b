// A computation laid out as a printed sheet, page by page, with no toolkit: the head
// with whose computation it is, the date, where its entries came from and the five
// results; the entries; the working with every figure on its decimal point; a line to
// sign; and a footnote naming the rules. A page after the first repeats the name and
// code and says "continued"; a section never leaves one row alone on a page.
//
//   const std::vector<LaidOutPage> pages = LaidOutSheet(computation, {area, "Varnolix 1.0"}, measure);
#pragma once

#include <string>
#include <vector>

#include "computation/computation.h"
#include "report/laid_out_page.h"

namespace varnolix::report {

struct SheetSetup {
  PageArea area;
  std::string program;  // the program and its version, which the footnote names: "Varnolix 1.0.0.1"
};

std::vector<LaidOutPage> LaidOutSheet(const Computation& computation, const SheetSetup& setup,
                                      const TextMeasure& measure);

}  // namespace varnolix::report
