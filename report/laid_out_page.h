// A page of a computation sheet as laid out: runs of text in a face, thin rules and
// frames, each placed in millimetres from the top-left corner of the page's text area.
// The layout decides every position; a painter only draws them. Text is measured
// through TextMeasure, so the layout knows no toolkit: the painter measures with the
// fonts it draws in, tests with a fixed advance.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnolix::report {

enum class Face : std::uint8_t {
  kTitle,    // the sheet's title
  kName,     // the employee's name
  kBody,     // labels, figures, entries
  kStrong,   // section titles, the lines that give a result
  kNote,     // how a figure came about
  kSmall,    // the rules' footnote, the page's number
};
inline constexpr std::size_t kFaceCount = 6;

struct FaceSize {
  double points;
  bool bold;
};
inline constexpr std::array<FaceSize, kFaceCount> kFaceSizes{{
    {14, true},   // kTitle
    {11, true},   // kName
    {9, false},   // kBody
    {9, true},    // kStrong
    {7, false},   // kNote
    {7, false},   // kSmall
}};
inline constexpr double kMillimetresPerPoint = 25.4 / 72;

// Text on one line, its left end at `x`, sitting on `baseline`.
struct TextRun {
  double x = 0;
  double baseline = 0;
  Face face = Face::kBody;
  std::string text;  // UTF-8
};

// A thin straight line.
struct Rule {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A thin rectangle, drawn round a block of text.
struct Frame {
  double x = 0, y = 0, width = 0, height = 0;
};

struct LaidOutPage {
  std::vector<TextRun> texts;
  std::vector<Rule> rules;
  std::vector<Frame> frames;

  // Everything of `other`, moved down by `dy`.
  void Add(const LaidOutPage& other, double dy);
};

// The text area of a page, in millimetres.
struct PageArea {
  double width = 0;
  double height = 0;
};

// From one baseline to the next, the same for every font a face falls back on, so that a
// name in Devanagari takes no more room than one in Latin letters.
inline constexpr double LineSpacing(Face face) {
  return 1.15 * kFaceSizes[static_cast<std::size_t>(face)].points * kMillimetresPerPoint;
}
// From the top of a line to its baseline.
inline constexpr double Ascent(Face face) {
  return 0.9 * kFaceSizes[static_cast<std::size_t>(face)].points * kMillimetresPerPoint;
}

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // The advance of `text` (UTF-8) set on one line, in millimetres.
  virtual double Width(Face face, std::string_view text) const = 0;
};

}  // namespace varnolix::report
