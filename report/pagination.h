// Where a sheet's pages break. The sheet is a column of pieces that a break never
// splits (a header, a row of the working, the signature line); a break falls between
// two pieces, and only where the rules below allow:
//  - a piece kept with the next one goes on the page the next one starts on;
//  - the rows of one section break only with at least kLeastRowsAtABreak of them on
//    each side, so that neither page holds a lone row of it; a section too short for
//    that moves whole;
//  - the space before a piece is dropped at the top of a page.
// Where no break keeps the rules, the page takes what fits; a piece taller than a page
// gets a page to itself.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace varnolix::report {

inline constexpr std::size_t kLeastRowsAtABreak = 2;
inline constexpr int kNoSection = -1;

struct Piece {
  double height = 0;
  double spaceBefore = 0;
  int section = kNoSection;  // pieces of one section are the rows a break must not leave alone
  bool keepWithNext = false;
};

// The room for pieces on the first page and on each page after it, which repeats a
// heading.
struct PageRoom {
  double first = 0;
  double following = 0;
};

// The index of the first piece on each page; {0} for a sheet that fits one page.
std::vector<std::size_t> PageStarts(std::span<const Piece> pieces, PageRoom room);

}  // namespace varnolix::report
