#include "report/pagination.h"

#include <algorithm>

namespace varnolix::report {
namespace {

// The pieces from `start` that fit in `room`, at least one.
std::size_t Fitting(std::span<const Piece> pieces, std::size_t start, double room) {
  double used = 0;
  std::size_t end = start;
  for (; end < pieces.size(); ++end) {
    const double height = (end > start ? pieces[end].spaceBefore : 0) + pieces[end].height;
    if (used + height > room) break;
    used += height;
  }
  return std::max(end, start + 1);
}

bool SameSection(std::span<const Piece> pieces, std::size_t a, std::size_t b) {
  return pieces[a].section != kNoSection && pieces[a].section == pieces[b].section;
}

// A break before `at`, moved earlier until it parts no pieces kept together and leaves
// no section with fewer than kLeastRowsAtABreak rows on either side; `start` when no
// such break lies after the page's first piece.
std::size_t RuledBreak(std::span<const Piece> pieces, std::size_t start, std::size_t at) {
  for (;;) {
    const std::size_t before = at;
    while (at > start && pieces[at - 1].keepWithNext) --at;
    if (at > start && at < pieces.size() && SameSection(pieces, at - 1, at)) {
      std::size_t first = at;
      while (first > 0 && SameSection(pieces, first - 1, at)) --first;
      std::size_t end = at;
      while (end < pieces.size() && SameSection(pieces, end, at)) ++end;
      // Rows of the section above the page's top were placed on an earlier page.
      const std::size_t top = std::max(first, start);
      if (end - at < kLeastRowsAtABreak) at = end - std::min(end, kLeastRowsAtABreak);
      if (at < top + kLeastRowsAtABreak) at = first;
      at = std::max(at, start);
    }
    if (at == before || at == start) return at;
  }
}

}  // namespace

std::vector<std::size_t> PageStarts(std::span<const Piece> pieces, PageRoom room) {
  std::vector<std::size_t> starts{0};
  for (std::size_t start = 0;;) {
    const std::size_t fit = Fitting(pieces, start, starts.size() == 1 ? room.first : room.following);
    if (fit >= pieces.size()) return starts;
    const std::size_t ruled = RuledBreak(pieces, start, fit);
    start = ruled > start ? ruled : fit;
    starts.push_back(start);
  }
}

}  // namespace varnolix::report
