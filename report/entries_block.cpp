// The entries as typed, page by page: a page with nothing typed is left out, and the
// pages stand side by side in as many columns as their labels and amounts fit.
#include <algorithm>
#include <bit>

#include "assessment/amount.h"
#include "report/sheet_parts.h"

namespace varnolix::report {
namespace {

constexpr std::size_t kMostColumns = 4;
constexpr double kGutter = 5;
constexpr double kPageGap = 0.5;  // between two pages in one column, in lines

struct TypedPage {
  std::string_view title;
  std::vector<std::pair<std::string_view, std::string>> entries;  // label, amount as typed and grouped
};

struct Column {
  std::size_t first = 0;  // pages first..end-1
  std::size_t end = 0;
  double lines = 0;
};

double LinesOf(const std::vector<TypedPage>& pages, std::size_t first, std::size_t end) {
  double lines = 0;
  for (std::size_t p = first; p < end; ++p) lines += 1 + static_cast<double>(pages[p].entries.size()) + (p > first ? kPageGap : 0);
  return lines;
}

// The pages in `count` columns, in order, the tallest as short as it can be. A column
// starts after each cut between two pages; few pages make few choices to try.
std::vector<Column> Balanced(const std::vector<TypedPage>& pages, std::size_t count) {
  std::vector<Column> best;
  double bestLines = 0;
  const std::size_t gaps = pages.size() - 1;
  for (unsigned cuts = 0; cuts < (1U << gaps); ++cuts) {
    if (static_cast<std::size_t>(std::popcount(cuts)) != count - 1) continue;
    std::vector<Column> columns;
    double tallest = 0;
    std::size_t first = 0;
    for (std::size_t end = 1; end <= pages.size(); ++end) {
      if (end < pages.size() && (cuts & (1U << (end - 1))) == 0) continue;
      columns.push_back({first, end, LinesOf(pages, first, end)});
      tallest = std::max(tallest, columns.back().lines);
      first = end;
    }
    if (best.empty() || tallest < bestLines) {
      best = std::move(columns);
      bestLines = tallest;
    }
  }
  return best;
}

struct Widths {
  double label = 0;
  double whole = 0;
  double fraction = 0;
};

Widths WidthsOf(const TextMeasure& measure, const std::vector<TypedPage>& pages, const Column& column) {
  Widths widths;
  for (std::size_t p = column.first; p < column.end; ++p) {
    widths.label = std::max(widths.label, measure.Width(Face::kStrong, pages[p].title) - kColumnGap);
    for (const auto& [label, amount] : pages[p].entries) {
      widths.label = std::max(widths.label, measure.Width(Face::kBody, label));
      const std::size_t point = std::min(amount.find('.'), amount.size());
      widths.whole = std::max(widths.whole, measure.Width(Face::kBody, std::string_view(amount).substr(0, point)));
      widths.fraction = std::max(widths.fraction, measure.Width(Face::kBody, std::string_view(amount).substr(point)));
    }
  }
  return widths;
}

struct Arrangement {
  std::vector<Column> columns;
  double columnWidth = 0;
};

// The pages in the most columns, up to kMostColumns, whose labels and amounts fit across
// `room`; in one column when none do. Columns stand on a grid of kMostColumns where they
// fit in it, so that a page's amounts stay near their labels.
Arrangement Arranged(const TextMeasure& measure, const std::vector<TypedPage>& pages, double room) {
  const auto across = [&](std::size_t count) {
    return (room - static_cast<double>(count - 1) * kGutter) / static_cast<double>(count);
  };
  for (std::size_t count = std::min(kMostColumns, pages.size()); count >= 1; --count) {
    std::vector<Column> tried = Balanced(pages, count);
    double needed = 0;
    for (const Column& column : tried) {
      const Widths widths = WidthsOf(measure, pages, column);
      needed = std::max(needed, widths.label + kColumnGap + widths.whole + widths.fraction);
    }
    if (needed <= across(count) || count == 1) {
      return {std::move(tried), std::min(across(count), std::max(needed, across(kMostColumns)))};
    }
  }
  return {};
}

}  // namespace

Block EntriesBlock(const Computation& computation, const TextMeasure& measure, const Columns& columns) {
  std::vector<TypedPage> pages;
  std::string unshown;
  for (const EntryPage& page : computation.entries) {
    if (!page.shown) unshown += (unshown.empty() ? "" : ", ") + std::string(page.title);
    TypedPage typed{page.title, {}};
    for (const Entry& entry : page.entries) {
      if (!entry.typed.empty()) typed.entries.emplace_back(entry.label, GroupIndian(entry.typed));
    }
    if (!typed.entries.empty()) pages.push_back(std::move(typed));
  }

  Block block;
  LaidOutPage& items = block.items;
  // Beside the side heading where they fit as many columns as they would across the
  // whole width; else across it, under the heading.
  double left = columns.labelX;
  double top = 0;
  Arrangement arranged = Arranged(measure, pages, columns.width - left);
  if (arranged.columns.size() < std::min(kMostColumns, pages.size())) {
    Arrangement across = Arranged(measure, pages, columns.width);
    if (across.columns.size() > arranged.columns.size()) {
      arranged = std::move(across);
      left = 0;
      top = LineSpacing(Face::kStrong);
    }
  }
  items.Add(SectionHeading(measure, "Entries", false, columns), 0);
  const double room = columns.width - left;
  const std::vector<Column>& placed = arranged.columns;
  const double columnWidth = arranged.columnWidth;

  const double bodyLine = LineSpacing(Face::kBody);
  double tallest = 0;
  for (std::size_t c = 0; c < placed.size(); ++c) {
    const double x = left + static_cast<double>(c) * (columnWidth + kGutter);
    const Widths widths = WidthsOf(measure, pages, placed[c]);
    const double right = x + columnWidth;
    const double pointX = right - widths.fraction;
    const double labelWidth = std::max(columnWidth - kColumnGap - widths.whole - widths.fraction, 1.0);
    double y = top;
    for (std::size_t p = placed[c].first; p < placed[c].end; ++p) {
      if (p > placed[c].first) y += kPageGap * bodyLine;
      items.texts.push_back({x, y + Ascent(Face::kBody), Face::kStrong, std::string(pages[p].title)});
      y += bodyLine;
      for (const auto& [label, amount] : pages[p].entries) {
        const double baseline = y + Ascent(Face::kBody);
        const std::size_t lines = AddWrapped(items, measure, Face::kBody, label, x, baseline, labelWidth);
        items.texts.push_back(FigureRun(measure, Face::kBody, amount, pointX, right, baseline));
        y += static_cast<double>(std::max<std::size_t>(lines, 1)) * bodyLine;
      }
    }
    tallest = std::max(tallest, y);
  }
  if (!unshown.empty()) {
    const std::string remark = "Pages never shown count as 0: " + unshown + ".";
    tallest += LineSpacing(Face::kNote) *
               static_cast<double>(AddWrapped(items, measure, Face::kNote, remark, left,
                                              tallest + Ascent(Face::kNote) + 0.5, room)) + 0.5;
  }
  block.piece.height = std::max(tallest, bodyLine);
  block.piece.spaceBefore = kBandGap;
  return block;
}

}  // namespace varnolix::report
