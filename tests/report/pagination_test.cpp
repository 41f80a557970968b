// Where a sheet's pages break: never inside a piece, never parting pieces kept together,
// never leaving a section's lone row at the foot or the head of a page.
#include "report/pagination.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnolix::report {
namespace {

Piece Row(int section) { return {1, 0, section, false}; }
void Rows(int section, std::size_t count, std::vector<Piece>& into) {
  for (std::size_t i = 0; i < count; ++i) into.push_back(Row(section));
}
std::vector<Piece> Sections(std::initializer_list<std::size_t> counts) {
  std::vector<Piece> pieces;
  int section = 0;
  for (std::size_t count : counts) Rows(section++, count, pieces);
  return pieces;
}
Piece Block(double height, bool keepWithNext = false) { return {height, 0, kNoSection, keepWithNext}; }

TEST(Pagination, BreaksOnlyWhereTheRulesAllow) {
  const auto headed = [](double header, std::size_t rows) {
    std::vector<Piece> pieces{Block(header)};
    Rows(0, rows, pieces);
    return pieces;
  };
  std::vector<Piece> spaced = Sections({2, 2});
  spaced[2].spaceBefore = 1;
  const struct {
    const char* name;
    std::vector<Piece> pieces;
    PageRoom room;
    std::vector<std::size_t> starts;
  } cases[] = {
      {"all on one page", Sections({3, 2}), {5, 5}, {0}},
      {"between two sections", Sections({2, 2}), {2, 2}, {0, 2}},
      {"a section of three moves whole", Sections({1, 3}), {3, 3}, {0, 1}},
      {"its last row never alone on the next page", Sections({5}), {4, 4}, {0, 3}},
      {"its first row never alone at the foot", headed(3, 4), {4, 4}, {0, 1}},
      {"two rows at least on every page of a long section", Sections({7}), {3, 3}, {0, 3, 5}},
      {"a section begun on the page before breaks again by the rules", Sections({9}), {4, 3}, {0, 4, 7}},
      {"kept with the next", {Block(1), Block(1, true), Block(1)}, {2, 2}, {0, 1}},
      {"a chain longer than a page takes what fits", {Block(1, true), Block(1, true), Block(1)}, {2, 2}, {0, 2}},
      {"too tall for a page: a page to itself", {Block(1), Block(5), Block(1)}, {3, 3}, {0, 1, 2}},
      {"no room for two rows: what fits", Sections({4}), {1, 1}, {0, 1, 2, 3}},
      {"the space before dropped at the top", spaced, {3, 2}, {0, 2}},
      {"the space before counted inside a page", spaced, {4, 4}, {0, 2}},
      {"later pages have less room", Sections({2, 2, 2, 2}), {4, 2}, {0, 4, 6}},
  };
  for (const auto& c : cases) EXPECT_EQ(PageStarts(c.pieces, c.room), c.starts) << c.name;
}

}  // namespace
}  // namespace varnolix::report
