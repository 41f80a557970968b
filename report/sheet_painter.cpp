// Lays a sheet out as a column of measured blocks (its header, its entry sections two by
// two, the working's rows, the results box), breaks the column into pages, and only then
// paints the pages, so that each page knows how many pages its sheet takes.
#include "report/sheet_painter.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace varnolix::report {
namespace {

constexpr double kMarginMm = 19;
// How much of the text width a column may take at most, so the others keep room.
constexpr double kEntryAmountShare = 0.45;
constexpr double kWorkingLabelShare = 0.38;
constexpr double kWorkingAmountShare = 0.45;
constexpr double kResultsAmountShare = 0.5;

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString TitleText(const std::string& title, bool continued) {
  return continued && !title.empty() ? ToQString(title) + QStringLiteral(" (continued)") : ToQString(title);
}

QFont SansFont(double points, bool bold = false, bool italic = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  // Ligatures would put "ﬁ" for "fi" into text copied or searched in the PDF; scripts that
  // need shaping still get it.
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

// A font measured on the device it is painted on.
struct Face {
  Face(const QFont& qfont, const QPaintDevice* paintDevice)
      : font(qfont), metrics(qfont, paintDevice), device(paintDevice) {}
  double Width(const QString& text) const { return metrics.horizontalAdvance(text); }
  double Height() const { return metrics.height(); }

  QFont font;
  QFontMetricsF metrics;
  const QPaintDevice* device;
};

// Sizes in the device's own units, so that a sheet looks the same at any resolution.
struct Style {
  explicit Style(const QPaintDevice& paintDevice)
      : mmX(std::max(1, paintDevice.logicalDpiX()) / 25.4),
        mmY(std::max(1, paintDevice.logicalDpiY()) / 25.4),
        rule(0.5 * mmY * 25.4 / 72),
        body(SansFont(9), &paintDevice),
        bold(SansFont(9, true), &paintDevice),
        italic(SansFont(9, false, true), &paintDevice),
        note(SansFont(8), &paintDevice),
        heading(SansFont(11, true), &paintDevice),
        title(SansFont(15, true), &paintDevice) {}

  double mmX;
  double mmY;
  double rule;  // a thin rule's width
  Face body;
  Face bold;
  Face italic;
  Face note;
  Face heading;
  Face title;
  QColor noteColour{0x40, 0x40, 0x40};
};

// Text laid out at a width, broken at word boundaries where it can and anywhere it must.
class Paragraph {
 public:
  Paragraph(const QString& text, const Face& face, double width, Qt::Alignment alignment = Qt::AlignLeft,
            QColor colour = Qt::black, QTextOption::WrapMode wrap = QTextOption::WrapAtWordBoundaryOrAnywhere)
      : m_colour(colour) {
    if (text.isEmpty()) return;
    auto layout = std::make_shared<QTextLayout>(QString(text).replace(u'\n', QChar::LineSeparator), face.font,
                                                face.device);
    QTextOption option(alignment);
    option.setWrapMode(wrap);
    layout->setTextOption(option);
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(std::max(width, 1.0));
      line.setPosition(QPointF(0, m_height));
      m_height += line.height();
    }
    layout->endLayout();
    m_layout = std::move(layout);
  }

  double height() const { return m_height; }
  void Paint(QPainter& painter, QPointF topLeft) const {
    if (!m_layout) return;
    painter.setPen(m_colour);
    m_layout->draw(&painter, topLeft);
  }

 private:
  std::shared_ptr<const QTextLayout> m_layout;  // shared: blocks are copied, layouts are not
  double m_height = 0;
  QColor m_colour;
};

struct Cell {
  QPointF at;
  Paragraph text;
};

// A piece of a sheet that a page break never splits.
struct Block {
  double height = 0;
  double spaceBefore = 0;  // dropped at the top of a page
  bool keepWithNext = false;
  std::vector<Cell> cells;
  std::vector<QLineF> rules;
  // Its section's title, painted above it when a page break parts them.
  std::shared_ptr<const Block> carriedTitle;
};

Block BlockOf(std::vector<Cell> cells, double spaceBefore, double paddingBelow) {
  Block block;
  for (const Cell& cell : cells) block.height = std::max(block.height, cell.at.y() + cell.text.height());
  block.height += paddingBelow;
  block.spaceBefore = spaceBefore;
  block.cells = std::move(cells);
  return block;
}

// Where amounts go across a column: decimal points line up at `point`, which is the right
// edge in a column of right-aligned amounts.
struct AmountColumn {
  double left = 0;
  double point = 0;
  double right = 0;

  AmountColumn Shifted(double x) const { return {left + x, point + x, right + x}; }
};

AmountColumn RightAligned(double right, double width) { return {right - width, right, right}; }

// Whether an amount is a number with a decimal point that it can be aligned on; "inf" and
// the like are not, and line up where whole parts end.
bool HasDecimalPoint(QStringView text) {
  if (text.startsWith(u'-') || text.startsWith(u'+')) text = text.mid(1);
  bool digit = false;
  int points = 0;
  for (const QChar c : text) {
    if (c.unicode() >= u'0' && c.unicode() <= u'9') {
      digit = true;
    } else if (c == u'.') {
      ++points;
    } else if (c != u',') {
      return false;
    }
  }
  return digit && points == 1;
}

std::pair<QString, QString> SplitAtPoint(const QString& amount) {
  if (!HasDecimalPoint(amount)) return {amount, {}};
  const qsizetype point = amount.indexOf(u'.');
  return {amount.left(point), amount.mid(point)};
}

// Breaks an amount too wide for its column into lines that fit, after a group comma where
// one falls on the line and wherever the width runs out otherwise.
QStringList BreakAmount(const QString& amount, const QFontMetricsF& metrics, double width) {
  QStringList lines;
  QString line;
  double lineWidth = 0;
  for (const QChar c : amount) {
    const double advance = metrics.horizontalAdvance(c);
    while (!line.isEmpty() && lineWidth + advance > width) {
      const qsizetype comma = line.lastIndexOf(u',');
      const qsizetype cut = comma >= 0 ? comma + 1 : line.size();
      lines.push_back(line.left(cut));
      line = line.mid(cut);
      lineWidth = metrics.horizontalAdvance(line);
    }
    line += c;
    lineWidth += advance;
  }
  if (!line.isEmpty()) lines.push_back(line);
  return lines;
}

Cell AmountCell(const QString& amount, const Face& face, const AmountColumn& column, double top) {
  // A column with no room right of its point has no fractions to line up.
  const auto [whole, fraction] =
      column.point < column.right ? SplitAtPoint(amount) : std::pair{amount, QString()};
  const double wholeWidth = face.Width(whole);
  constexpr double kSlack = 0.01;  // widths measured alike may still differ in the last bit
  if (wholeWidth <= column.point - column.left + kSlack &&
      face.Width(fraction) <= column.right - column.point + kSlack) {
    return {QPointF(column.point - wholeWidth, top),
            Paragraph(amount, face, wholeWidth + face.Width(fraction), Qt::AlignLeft, Qt::black,
                      QTextOption::NoWrap)};
  }
  const double width = column.right - column.left;
  const QString lines = BreakAmount(amount, face.metrics, width).join(QChar::LineSeparator);
  return {QPointF(column.left, top),
          Paragraph(lines, face, width, Qt::AlignRight, Qt::black, QTextOption::NoWrap)};
}

class SheetLayout {
 public:
  SheetLayout(const Style& style, double width) : m_style(style), m_width(width) {}

  std::vector<Block> Blocks(const ComputationSheet& sheet) {
    AddHeader(sheet);
    AddEntries(sheet.entries);
    AddWorking(sheet.working);
    AddResults(sheet.results);
    return std::move(m_blocks);
  }

 private:
  double Line() const { return m_style.body.Height(); }
  double Gap() const { return 3 * m_style.mmX; }     // between columns
  double Indent() const { return 3 * m_style.mmX; }  // of rows under their section's title
  double RowPadding() const { return 0.25 * m_style.mmY; }

  void AddHeader(const ComputationSheet& sheet) {
    const Paragraph title(ToQString(sheet.title), m_style.title, m_width);
    const Paragraph subject(ToQString(sheet.subject), m_style.body, m_width);
    const QString versionText = ToQString(sheet.version);
    const double versionWidth = std::min(m_style.body.Width(versionText), m_width / 2);
    const Paragraph version(versionText, m_style.body, versionWidth, Qt::AlignRight);
    const Paragraph date(ToQString(sheet.date), m_style.body, m_width - versionWidth - Gap());
    const double gap = 1.2 * m_style.mmY;
    double y = title.height() + 0.5 * m_style.mmY;
    std::vector<Cell> cells{{QPointF(0, 0), title}};
    if (subject.height() > 0) {
      cells.push_back({QPointF(0, y), subject});
      y += subject.height();
    }
    cells.push_back({QPointF(0, y), date});
    cells.push_back({QPointF(m_width - versionWidth, y), version});
    y += std::max(date.height(), version.height()) + gap;
    Block block = BlockOf(std::move(cells), 0, 0);
    block.rules.push_back(QLineF(0, y, m_width, y));
    block.height = y + m_style.rule;
    block.keepWithNext = true;
    m_blocks.push_back(std::move(block));
  }

  // The entry sections two side by side where their labels fit in half the width.
  void AddEntries(const std::vector<SheetSection>& sections) {
    double amountWidth = 0;
    for (const SheetSection& section : sections) {
      for (const SheetLine& line : section.lines)
        amountWidth = std::max(amountWidth, m_style.body.Width(ToQString(line.amount)));
    }
    const double gutter = 8 * m_style.mmX;
    const double half = (m_width - gutter) / 2;
    for (std::size_t i = 0; i < sections.size(); i += 2) {
      std::vector<const SheetSection*> pair{&sections[i]};
      if (i + 1 < sections.size()) pair.push_back(&sections[i + 1]);
      if (EntriesFit(pair, half, amountWidth)) {
        AddEntrySections(pair, half, gutter, amountWidth);
      } else {
        for (const SheetSection* section : pair) AddEntrySections({section}, m_width, 0, amountWidth);
      }
    }
  }

  double EntryAmountWidth(double sideWidth, double amountWidth) const {
    return std::min(amountWidth, kEntryAmountShare * sideWidth);
  }

  bool EntriesFit(const std::vector<const SheetSection*>& sections, double sideWidth,
                  double amountWidth) const {
    const double labelWidth = sideWidth - Indent() - Gap() - EntryAmountWidth(sideWidth, amountWidth);
    return std::ranges::all_of(sections, [&](const SheetSection* section) {
      return m_style.bold.Width(ToQString(section->title)) <= sideWidth &&
             std::ranges::all_of(section->lines, [&](const SheetLine& line) {
               return m_style.body.Width(ToQString(line.label)) <= labelWidth;
             });
    });
  }

  void AddEntrySections(const std::vector<const SheetSection*>& sides, double sideWidth, double gutter,
                        double amountWidth) {
    const AmountColumn amounts = RightAligned(sideWidth, EntryAmountWidth(sideWidth, amountWidth));
    const double labelWidth = amounts.left - Gap() - Indent();
    std::size_t rows = 0;
    for (const SheetSection* side : sides) rows = std::max(rows, side->lines.size());
    m_blocks.push_back(EntryTitles(sides, sideWidth, gutter, false));
    m_blocks.back().keepWithNext = rows > 0;
    const auto carried = std::make_shared<const Block>(EntryTitles(sides, sideWidth, gutter, true));
    for (std::size_t row = 0; row < rows; ++row) {
      std::vector<Cell> cells;
      for (std::size_t side = 0; side < sides.size(); ++side) {
        if (row >= sides[side]->lines.size()) continue;
        const SheetLine& line = sides[side]->lines[row];
        const double x = static_cast<double>(side) * (sideWidth + gutter);
        cells.push_back(
            {QPointF(x + Indent(), 0), Paragraph(ToQString(line.label), m_style.body, labelWidth)});
        cells.push_back(AmountCell(ToQString(line.amount), m_style.body, amounts.Shifted(x), 0));
      }
      m_blocks.push_back(BlockOf(std::move(cells), 0, RowPadding()));
      m_blocks.back().carriedTitle = carried;
    }
  }

  Block EntryTitles(const std::vector<const SheetSection*>& sides, double sideWidth, double gutter,
                    bool continued) const {
    std::vector<Cell> cells;
    for (std::size_t side = 0; side < sides.size(); ++side) {
      const double x = static_cast<double>(side) * (sideWidth + gutter);
      const Paragraph title(TitleText(sides[side]->title, continued), m_style.bold, sideWidth);
      cells.push_back({QPointF(x, 0), title});
      if (!continued)
        cells.push_back({QPointF(x, title.height()),
                         Paragraph(ToQString(sides[side]->remark), m_style.italic, sideWidth)});
    }
    return BlockOf(std::move(cells), Line(), RowPadding());
  }

  Block WorkingTitle(const SheetSection& section, bool continued) const {
    const Paragraph title(TitleText(section.title, continued), m_style.bold, m_width);
    std::vector<Cell> cells{{QPointF(0, 0), title}};
    if (!continued)
      cells.push_back(
          {QPointF(0, title.height()), Paragraph(ToQString(section.remark), m_style.italic, m_width)});
    return BlockOf(std::move(cells), 0.6 * Line(), RowPadding());
  }

  struct WorkingColumns {
    double labelWidth = 0;
    AmountColumn amounts;
    double noteLeft = 0;
  };

  // One set of columns for the whole working, sized by its widest texts, so that every
  // amount's point lines up down the sheet.
  WorkingColumns MeasureWorking(const std::vector<SheetSection>& working) const {
    double label = 0;
    double whole = 0;
    double fraction = 0;
    for (const SheetSection& section : working) {
      for (const SheetLine& line : section.lines) {
        label = std::max(label, m_style.body.Width(ToQString(line.label)));
        const auto [wholePart, fractionPart] = SplitAtPoint(ToQString(line.amount));
        whole = std::max(whole, m_style.body.Width(wholePart));
        fraction = std::max(fraction, m_style.body.Width(fractionPart));
      }
    }
    // A figure widened exactly from single precision has some 25 decimals; it keeps them
    // on one line, and only an absurd whole part is broken.
    const double amountCap = kWorkingAmountShare * m_width;
    if (whole + fraction > amountCap) {
      fraction = std::min(fraction, amountCap / 2);
      whole = std::min(whole, amountCap - fraction);
    }
    WorkingColumns columns;
    columns.labelWidth = std::min(label + Indent(), kWorkingLabelShare * m_width);
    const double amountLeft = columns.labelWidth + Gap();
    columns.amounts = {amountLeft, amountLeft + whole, amountLeft + whole + fraction};
    columns.noteLeft = columns.amounts.right + 2 * Gap();
    return columns;
  }

  void AddWorking(const std::vector<SheetSection>& working) {
    if (working.empty()) return;
    Block heading = BlockOf({{QPointF(0, 0), Paragraph(QStringLiteral("Working"), m_style.heading, m_width)}},
                            1.5 * Line(), 0);
    heading.keepWithNext = true;
    m_blocks.push_back(std::move(heading));
    const WorkingColumns columns = MeasureWorking(working);
    // Notes are smaller: lowered so that their first line sits on the label's baseline.
    const double noteDrop = m_style.body.metrics.ascent() - m_style.note.metrics.ascent();
    for (const SheetSection& section : working) {
      m_blocks.push_back(WorkingTitle(section, false));
      m_blocks.back().keepWithNext = !section.lines.empty();
      const auto carried = std::make_shared<const Block>(WorkingTitle(section, true));
      for (const SheetLine& line : section.lines) {
        m_blocks.push_back(BlockOf({{QPointF(Indent(), 0), Paragraph(ToQString(line.label), m_style.body,
                                                                     columns.labelWidth - Indent())},
                                    AmountCell(ToQString(line.amount), m_style.body, columns.amounts, 0),
                                    {QPointF(columns.noteLeft, noteDrop),
                                     Paragraph(ToQString(line.note), m_style.note, m_width - columns.noteLeft,
                                               Qt::AlignLeft, m_style.noteColour)}},
                                   0, RowPadding()));
        m_blocks.back().carriedTitle = carried;
      }
    }
  }

  // The results in a framed box, in one block so that a page break never splits them.
  void AddResults(const SheetSection& results) {
    if (results.title.empty() && results.remark.empty() && results.lines.empty()) return;
    double label = 0;
    double amount = 0;
    for (const SheetLine& line : results.lines) {
      label = std::max(label, m_style.body.Width(ToQString(line.label)));
      amount = std::max(amount, m_style.bold.Width(ToQString(line.amount)));
    }
    const double padding = 2.5 * m_style.mmX;
    const double boxWidth = std::clamp(label + 3 * Gap() + amount + 2 * padding, m_width / 2, m_width);
    const double inner = boxWidth - 2 * padding;
    const AmountColumn amounts = RightAligned(padding + inner, std::min(amount, kResultsAmountShare * inner));
    const double labelWidth = amounts.left - Gap() - padding;

    const Paragraph title(ToQString(results.title), m_style.bold, inner);
    const Paragraph remark(ToQString(results.remark), m_style.italic, inner);
    std::vector<Cell> cells{{QPointF(padding, padding), title},
                            {QPointF(padding, padding + title.height()), remark}};
    double y = padding + title.height() + remark.height() + 0.8 * m_style.mmY;
    for (const SheetLine& line : results.lines) {
      const Paragraph labelText(ToQString(line.label), m_style.body, labelWidth);
      const Cell amountCell = AmountCell(ToQString(line.amount), m_style.bold, amounts, y);
      cells.push_back({QPointF(padding, y), labelText});
      cells.push_back(amountCell);
      y += std::max(labelText.height(), amountCell.text.height()) + RowPadding();
    }
    Block box = BlockOf(std::move(cells), 2 * Line(), 0);
    box.height = y + padding;
    const QRectF frame(0, 0, boxWidth, box.height);
    box.rules = {QLineF(frame.topLeft(), frame.topRight()), QLineF(frame.topRight(), frame.bottomRight()),
                 QLineF(frame.bottomRight(), frame.bottomLeft()),
                 QLineF(frame.bottomLeft(), frame.topLeft())};
    m_blocks.push_back(std::move(box));
  }

  const Style& m_style;
  double m_width;
  std::vector<Block> m_blocks;
};

double CarriedHeight(const Block& block) { return block.carriedTitle ? block.carriedTitle->height : 0; }

// The blocks each page starts with. A block goes on the page where it fits, together with
// the blocks it is kept with; a block taller than a page still gets one to itself.
std::vector<std::size_t> PageStarts(const std::vector<Block>& blocks, double pageHeight) {
  std::vector<std::size_t> starts{0};
  double used = blocks.empty() ? 0 : CarriedHeight(blocks.front());
  std::size_t next = 0;
  while (next < blocks.size()) {
    const bool atTop = starts.back() == next;
    double chain = atTop ? 0 : blocks[next].spaceBefore;
    std::size_t end = next;
    do {
      if (end > next) chain += blocks[end].spaceBefore;
      chain += blocks[end].height;
    } while (blocks[end++].keepWithNext && end < blocks.size());
    if (!atTop && used + chain > pageHeight) {
      starts.push_back(next);
      used = CarriedHeight(blocks[next]);
      continue;
    }
    // A chain taller than a page is placed block by block.
    if (atTop && used + chain > pageHeight) {
      chain = blocks[next].height;
      end = next + 1;
    }
    used += chain;
    next = end;
  }
  return starts;
}

void PaintBlock(QPainter& painter, const Style& style, const Block& block, double top) {
  for (const Cell& cell : block.cells) cell.text.Paint(painter, cell.at + QPointF(0, top));
  painter.setPen(QPen(Qt::black, style.rule));
  for (const QLineF& rule : block.rules) painter.drawLine(rule.translated(0, top));
}

void PaintBlocks(QPainter& painter, const Style& style, const std::vector<Block>& blocks, std::size_t first,
                 std::size_t last) {
  double y = 0;
  if (first < last && blocks[first].carriedTitle) {
    PaintBlock(painter, style, *blocks[first].carriedTitle, y);
    y += blocks[first].carriedTitle->height;
  }
  for (std::size_t i = first; i < last; ++i) {
    if (i > first) y += blocks[i].spaceBefore;
    PaintBlock(painter, style, blocks[i], y);
    y += blocks[i].height;
  }
}

double FooterHeight(const Style& style) { return style.note.Height() + 3 * style.mmY; }

void PaintPageNumber(QPainter& painter, const Style& style, QSizeF frame, std::size_t page,
                     std::size_t pages) {
  const QString text = QStringLiteral("Page %1 of %2").arg(page).arg(pages);
  const Paragraph number(text, style.note, frame.width(), Qt::AlignHCenter);
  number.Paint(painter, QPointF(0, frame.height() - number.height()));
}

// The text area, in the painter's coordinates, which start at the corner of the device's
// paintable area: kMarginMm in from the paper's edges, or the device's own margins where
// those are wider.
QRectF TextFrame(const QPagedPaintDevice& device, const Style& style) {
  const QPageLayout layout = device.pageLayout();
  const QRectF paintable = layout.paintRect(QPageLayout::Millimeter);
  QRectF frame = layout.fullRect(QPageLayout::Millimeter)
                     .marginsRemoved(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm))
                     .intersected(paintable);
  if (frame.isEmpty()) frame = paintable;
  frame.translate(-paintable.topLeft());
  const QRectF units(frame.left() * style.mmX, frame.top() * style.mmY, frame.width() * style.mmX,
                     frame.height() * style.mmY);
  // A page too small for any text still gets one, drawn past its edge.
  return units.isEmpty() ? QRectF(0, 0, 100 * style.mmX, 100 * style.mmY) : units;
}

}  // namespace

struct SheetPainter::Painting {
  explicit Painting(QPagedPaintDevice& paintDevice)
      : device(paintDevice), style(paintDevice), frame(TextFrame(paintDevice, style)) {}

  QPagedPaintDevice& device;
  const Style style;
  const QRectF frame;
  QPainter painter;
  bool started = false;
  bool failed = false;
};

SheetPainter::SheetPainter(QPagedPaintDevice& device) : m(std::make_unique<Painting>(device)) {}

SheetPainter::~SheetPainter() { Finish(); }

bool SheetPainter::ok() const { return !m->failed; }

void SheetPainter::Paint(const ComputationSheet& sheet) {
  if (m->failed) return;
  // The device is begun on the first sheet, so that painting none writes no page.
  const bool firstSheet = !m->started;
  if (firstSheet && !(m->started = m->painter.begin(&m->device))) {
    m->failed = true;
    return;
  }
  const Style& style = m->style;
  const QRectF& frame = m->frame;
  const std::vector<Block> blocks = SheetLayout(style, frame.width()).Blocks(sheet);
  std::vector<std::size_t> starts = PageStarts(blocks, frame.height());
  const bool numbered = starts.size() > 1;
  if (numbered) starts = PageStarts(blocks, frame.height() - FooterHeight(style));
  for (std::size_t page = 0; page < starts.size(); ++page) {
    if ((!firstSheet || page > 0) && !m->device.newPage()) {
      m->failed = true;
      return;
    }
    QPainter& painter = m->painter;
    painter.save();
    painter.translate(frame.topLeft());
    PaintBlocks(painter, style, blocks, starts[page], page + 1 < starts.size() ? starts[page + 1] : blocks.size());
    if (numbered) PaintPageNumber(painter, style, frame.size(), page + 1, starts.size());
    painter.restore();
  }
}

bool SheetPainter::Finish() {
  if (m->started && m->painter.isActive() && !m->painter.end()) m->failed = true;
  return !m->failed;
}

bool PaintSheets(QPagedPaintDevice& device, std::span<const ComputationSheet> sheets) {
  SheetPainter painter(device);
  for (const ComputationSheet& sheet : sheets) painter.Paint(sheet);
  return painter.Finish();
}

}  // namespace varnolix::report
