// The parts of a sheet that say whose it is and what it rests on: the first page's head
// with the results, the head of a later page, the foot with the rules and the lines to
// sign, and the page's number.
#include <algorithm>

#include "computation/render.h"
#include "report/sheet_parts.h"

namespace varnolix::report {
namespace {

constexpr std::string_view kTitle = "Income tax computation";
constexpr double kBoxPadding = 2;
constexpr double kBoxShare = 0.45;  // of the width, at most, for the results
constexpr double kWriteOnLength = 55;  // a line to write a name on

// A cell of a file may be as long as the file: the sheet gives up to kLongestCell
// characters of it and "...".
constexpr std::size_t kLongestCell = 100;

std::string Shortened(const std::string& cell) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < cell.size(); ++at) {
    if ((static_cast<unsigned char>(cell[at]) & 0xC0) == 0x80) continue;  // inside a character
    if (characters++ == kLongestCell) return cell.substr(0, at) + "...";
  }
  return cell;
}

Who Shortened(const Who& who) {
  Who shown = who;
  for (std::string* cell : {&shown.name, &shown.code, &shown.department, &shown.pan, &shown.file}) {
    *cell = Shortened(*cell);
  }
  return shown;
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string joined;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!joined.empty()) joined += separator;
    joined += part;
  }
  return joined;
}

std::string Labelled(std::string_view label, const std::string& value) {
  return value.empty() ? std::string() : std::string(label) + " " + value;
}

// Where the entries came from: "from employees.csv, line 5", and whether they were changed
// since.
std::string SourceWords(const Who& who) {
  if (who.file.empty()) return "entries as typed";
  std::string source = who.file;
  if (who.line > 0) source += ", line " + std::to_string(who.line);
  return (who.changedSinceOpened ? "entries changed since opened from " : "entries from ") + source;
}

// A label with a rule after it, on `baseline`, for a pen: "Name ________".
void AddWriteOn(LaidOutPage& items, const TextMeasure& measure, Face face, std::string label, double x, double end,
                double baseline) {
  const double ruleStart = x + measure.Width(face, label) + 1.5;
  items.texts.push_back({x, baseline, face, std::move(label)});
  items.rules.push_back({ruleStart, baseline + 0.6, std::max(end, ruleStart + 10), baseline + 0.6});
}

// The five results in a frame, as the Tax Results page shows them; returns its height.
double AddResults(LaidOutPage& items, const Computation& computation, const TextMeasure& measure, double right,
                  double widest) {
  double label = 0;
  double whole = 0;
  double fraction = 0;
  for (Result result : kResultsAsShown) {
    label = std::max(label, measure.Width(Face::kBody, ResultLabel(result)));
    const std::string figure = WrittenFigure(computation.results[result]);
    const std::size_t point = std::min(figure.find('.'), figure.size());
    whole = std::max(whole, measure.Width(Face::kStrong, std::string_view(figure).substr(0, point)));
    fraction = std::max(fraction, measure.Width(Face::kStrong, std::string_view(figure).substr(point)));
  }
  const double width = std::min(2 * kBoxPadding + label + 2 * kColumnGap + whole + fraction, widest);
  const double left = right - width;
  const double figureRight = right - kBoxPadding;
  double baseline = kBoxPadding + Ascent(Face::kStrong);
  items.texts.push_back({left + kBoxPadding, baseline, Face::kStrong, "Results"});
  for (Result result : kResultsAsShown) {
    baseline += LineSpacing(Face::kBody);
    items.texts.push_back({left + kBoxPadding, baseline, Face::kBody, std::string(ResultLabel(result))});
    items.texts.push_back(FigureRun(measure, Face::kStrong, WrittenFigure(computation.results[result]),
                                    figureRight - fraction, figureRight, baseline));
  }
  const double height = baseline + LineSpacing(Face::kBody) - Ascent(Face::kBody) + kBoxPadding;
  items.frames.push_back({left, 0, width, height});
  return height;
}

}  // namespace

Block HeaderBlock(const Computation& computation, const TextMeasure& measure, double width) {
  Block block;
  LaidOutPage& items = block.items;
  const Who who = Shortened(computation.who);
  const double boxHeight = AddResults(items, computation, measure, width, kBoxShare * width);
  const double left = width - items.frames.back().width - 2 * kColumnGap;

  double top = 0;
  top += LineSpacing(Face::kTitle) *
         static_cast<double>(AddWrapped(items, measure, Face::kTitle, kTitle, 0, Ascent(Face::kTitle), left));
  const std::string details =
      Joined({Labelled("Code", who.code), Labelled("Department", who.department), Labelled("PAN", who.pan)}, " · ");
  if (!who.name.empty()) {
    // Room below for the deep vowel signs of Tamil and its sister scripts.
    constexpr double kDescenders = 0.8;
    top += LineSpacing(Face::kName) *
               static_cast<double>(AddWrapped(items, measure, Face::kName, who.name, 0, top + Ascent(Face::kName), left)) +
           kDescenders;
  } else {
    // Room to write a name by hand, and a PAN where none is known.
    top += 0.6 * LineSpacing(Face::kName);
    const double nameEnd = std::min(kWriteOnLength, left);
    AddWriteOn(items, measure, Face::kBody, "Name", 0, nameEnd, top + Ascent(Face::kName));
    if (who.pan.empty() && nameEnd + kWriteOnLength / 2 <= left) {
      AddWriteOn(items, measure, Face::kBody, "PAN", nameEnd + 2 * kColumnGap, nameEnd + kWriteOnLength / 2,
                 top + Ascent(Face::kName));
    }
    top += LineSpacing(Face::kName);
  }
  top += LineSpacing(Face::kBody) *
         static_cast<double>(AddWrapped(items, measure, Face::kBody, details, 0, top + Ascent(Face::kBody), left));
  const std::string dated = Joined({computation.date, SourceWords(who)}, " · ");
  top += LineSpacing(Face::kNote) *
         static_cast<double>(AddWrapped(items, measure, Face::kNote, dated, 0, top + Ascent(Face::kNote), left));

  const double ruleAt = std::max(top, boxHeight) + 1.5;
  items.rules.push_back({0, ruleAt, width, ruleAt});
  block.piece.height = ruleAt;
  return block;
}

Block ContinuedHeader(const Computation& computation, const TextMeasure& measure, double width) {
  Block block;
  LaidOutPage& items = block.items;
  const Who who = Shortened(computation.who);
  const double baseline = Ascent(Face::kStrong);
  const std::string title = Joined({std::string(kTitle), computation.date}, " · ");
  const TextRun right = RightRun(measure, Face::kNote, title, width, baseline);
  const double room = right.x - kColumnGap;
  std::string whose = Joined({who.name, who.code}, ", ");
  if (whose.empty() && !who.file.empty()) whose = SourceWords(who);
  if (whose.empty()) {
    AddWriteOn(items, measure, Face::kBody, "Name", 0, std::min(kWriteOnLength, room), baseline);
    items.texts.push_back({std::min(kWriteOnLength, room) + 1.5, baseline, Face::kBody, "continued"});
  } else {
    whose += ", continued";
    AddWrapped(items, measure, Face::kStrong, whose, 0, baseline, room);
  }
  items.texts.push_back(right);
  const double ruleAt = LineSpacing(Face::kStrong) + 1;
  items.rules.push_back({0, ruleAt, width, ruleAt});
  block.piece.height = ruleAt;
  return block;
}

Block ClosingBlock(const TextMeasure& measure, double width, std::string_view program) {
  Block block;
  LaidOutPage& items = block.items;
  constexpr double kSignOffShare = 0.3;
  constexpr double kRoomToSign = 7;
  const double signOffX = (1 - kSignOffShare) * width + kColumnGap;
  const double noteWidth = signOffX - 2 * kColumnGap;

  std::string text = "Rules: an older Indian regime with the Section 88 rebate, as " + std::string(program) +
                     " applies it.";
  for (std::size_t note = 0; note < kRuleNoteCount; ++note) {
    text += ' ';
    text += RuleNoteText(static_cast<RuleNote>(note));
  }
  constexpr double kRuleLength = 40;
  items.rules.push_back({0, 0, std::min(kRuleLength, noteWidth), 0});
  const std::size_t lines = AddWrapped(items, measure, Face::kSmall, text, 0, 1 + Ascent(Face::kSmall), noteWidth);
  const double noteHeight = 1 + static_cast<double>(lines) * LineSpacing(Face::kSmall);

  double baseline = 0;
  for (std::string_view label : {"Prepared by", "Date", "Signature"}) {
    baseline += kRoomToSign;
    AddWriteOn(items, measure, Face::kBody, std::string(label), signOffX, width, baseline);
  }
  block.piece.height = std::max(noteHeight, baseline + LineSpacing(Face::kBody) - Ascent(Face::kBody));
  block.piece.spaceBefore = kBandGap;
  return block;
}

LaidOutPage PageNumber(const TextMeasure& measure, const PageArea& area, std::size_t page, std::size_t pages) {
  LaidOutPage items;
  const double baseline = area.height - (LineSpacing(Face::kSmall) - Ascent(Face::kSmall));
  items.texts.push_back(RightRun(measure, Face::kSmall,
                                 "Page " + std::to_string(page) + " of " + std::to_string(pages), area.width,
                                 baseline));
  return items;
}

}  // namespace varnolix::report
