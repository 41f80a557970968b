#include "report/sheet_layout.h"

#include "report/sheet_parts.h"

namespace varnolix::report {
namespace {

std::vector<Block> BlocksOf(const Computation& computation, const SheetSetup& setup, const TextMeasure& measure,
                            const Columns& columns) {
  const double width = setup.area.width;
  std::vector<Block> blocks;
  blocks.push_back(HeaderBlock(computation, measure, width));
  blocks.push_back(EntriesBlock(computation, measure, columns));
  std::vector<Block> rows = WorkingBlocks(computation, measure, columns);
  if (!rows.empty()) rows.front().piece.spaceBefore = kBandGap;
  for (Block& row : rows) blocks.push_back(std::move(row));
  blocks.push_back(ClosingBlock(measure, width, setup.program));
  return blocks;
}

bool StartsSection(const std::vector<Block>& blocks, std::size_t i, std::size_t pageStart) {
  return blocks[i].piece.section != kNoSection &&
         (i == pageStart || blocks[i - 1].piece.section != blocks[i].piece.section);
}

}  // namespace

std::vector<LaidOutPage> LaidOutSheet(const Computation& computation, const SheetSetup& setup,
                                      const TextMeasure& measure) {
  const PageArea& area = setup.area;
  const Columns columns = MeasureColumns(computation, measure, area.width);
  const std::vector<Block> blocks = BlocksOf(computation, setup, measure, columns);
  std::vector<Piece> pieces;
  for (const Block& block : blocks) pieces.push_back(block.piece);
  std::vector<std::size_t> starts = PageStarts(pieces, {area.height, area.height});
  const bool numbered = starts.size() > 1;
  double room = area.height;
  Block continued;  // the head of each page after the first
  if (numbered) {
    continued = ContinuedHeader(computation, measure, area.width);
    // Every page of a longer sheet gives its number at the foot.
    room -= LineSpacing(Face::kSmall) + kBandGap / 2;
    starts = PageStarts(pieces, {room, room - continued.piece.height - kBandGap});
  }

  std::vector<LaidOutPage> pages(starts.size());
  for (std::size_t p = 0; p < starts.size(); ++p) {
    LaidOutPage& page = pages[p];
    const std::size_t end = p + 1 < starts.size() ? starts[p + 1] : blocks.size();
    double y = 0;
    if (p > 0) {
      page.Add(continued.items, 0);
      y = continued.piece.height + kBandGap;
    }
    for (std::size_t i = starts[p]; i < end; ++i) {
      const Block& block = blocks[i];
      if (i > starts[p]) y += block.piece.spaceBefore;
      // The foot stands at the foot of the last page.
      if (i + 1 == blocks.size()) y = std::max(y, room - block.piece.height);
      if (StartsSection(blocks, i, starts[p])) {
        const bool carriedOver = i > 0 && blocks[i - 1].piece.section == block.piece.section;
        page.Add(SectionHeading(measure, computation.working[static_cast<std::size_t>(block.piece.section)].title,
                                carriedOver, columns),
                 y);
      }
      page.Add(block.items, y);
      y += block.piece.height;
    }
    if (numbered) page.Add(PageNumber(measure, area, p + 1, starts.size()), 0);
  }
  return pages;
}

}  // namespace varnolix::report
