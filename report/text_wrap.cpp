#include "report/text_wrap.h"

namespace varnolix::report {
namespace {

// The length of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// A word too wide for any line, in pieces that fit, the last one left open for more.
void BreakWord(const TextMeasure& measure, Face face, std::string_view word, double width,
               std::vector<std::string>& lines) {
  std::string piece;
  for (std::size_t at = 0; at < word.size();) {
    const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(word[at])), word.size() - at);
    const std::string_view character = word.substr(at, length);
    if (!piece.empty() && measure.Width(face, piece + std::string(character)) > width) {
      lines.push_back(std::move(piece));
      piece.clear();
    }
    piece += character;
    at += length;
  }
  lines.push_back(std::move(piece));
}

}  // namespace

std::vector<std::string> WrappedLines(const TextMeasure& measure, Face face, std::string_view text, double width) {
  std::vector<std::string> lines;
  bool open = false;  // the last line may take more words
  while (!text.empty()) {
    // A cell of a file may hold line breaks and tabs; on the sheet they are spaces.
    const std::size_t space = text.find_first_of(" \t\r\n");
    const std::string_view word = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
    if (word.empty()) continue;
    if (open) {
      std::string longer = lines.back() + " " + std::string(word);
      if (measure.Width(face, longer) <= width) {
        lines.back() = std::move(longer);
        continue;
      }
    }
    if (measure.Width(face, word) <= width) {
      lines.emplace_back(word);
    } else {
      BreakWord(measure, face, word, width, lines);
    }
    open = true;
  }
  return lines;
}

}  // namespace varnolix::report
