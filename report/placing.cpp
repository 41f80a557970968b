// Placing text: runs aligned on a decimal point or a right edge, and wrapped paragraphs.
#include <algorithm>

#include "report/sheet_parts.h"
#include "report/text_wrap.h"

namespace varnolix::report {
namespace {

// The part of a figure before its decimal point: all of a whole number, nothing of text
// that is no number.
std::string_view WholePart(std::string_view text, bool& isNumber) {
  std::string_view digits = text;
  if (digits.starts_with('-')) digits.remove_prefix(1);
  const std::size_t point = std::min(digits.find('.'), digits.size());
  const std::string_view whole = digits.substr(0, point);
  const std::string_view fraction = point < digits.size() ? digits.substr(point + 1) : std::string_view{};
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  isNumber = !whole.empty() && std::all_of(whole.begin(), whole.end(), [&](char c) { return isDigit(c) || c == ','; }) &&
             std::all_of(fraction.begin(), fraction.end(), isDigit);
  return text.substr(0, text.size() - digits.size() + point);
}

}  // namespace

void LaidOutPage::Add(const LaidOutPage& other, double dy) {
  for (TextRun run : other.texts) {
    run.baseline += dy;
    texts.push_back(std::move(run));
  }
  for (Rule rule : other.rules) rules.push_back({rule.x1, rule.y1 + dy, rule.x2, rule.y2 + dy});
  for (Frame frame : other.frames) frames.push_back({frame.x, frame.y + dy, frame.width, frame.height});
}

TextRun FigureRun(const TextMeasure& measure, Face face, std::string text, double pointX, double right,
                  double baseline) {
  bool isNumber = false;
  const std::string_view whole = WholePart(text, isNumber);
  const double x = isNumber ? pointX - measure.Width(face, whole) : right - measure.Width(face, text);
  return {x, baseline, face, std::move(text)};
}

TextRun RightRun(const TextMeasure& measure, Face face, std::string text, double right, double baseline) {
  const double x = right - measure.Width(face, text);
  return {x, baseline, face, std::move(text)};
}

std::size_t AddWrapped(LaidOutPage& items, const TextMeasure& measure, Face face, std::string_view text, double x,
                       double baseline, double width) {
  std::vector<std::string> lines = WrappedLines(measure, face, text, width);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    items.texts.push_back({x, baseline + static_cast<double>(i) * LineSpacing(face), face, std::move(lines[i])});
  }
  return lines.size();
}

}  // namespace varnolix::report
