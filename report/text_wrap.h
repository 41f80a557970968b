// Text broken into lines that fit a width, as the measure sets them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/laid_out_page.h"

namespace varnolix::report {

// `text` in lines no wider than `width`, broken between words; a word wider than a line
// is broken between its characters. Line breaks and tabs in it count as spaces. Empty
// text gives no lines.
std::vector<std::string> WrappedLines(const TextMeasure& measure, Face face, std::string_view text, double width);

}  // namespace varnolix::report
