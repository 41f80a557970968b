// Draws the laid-out pages: each run of text in its face's font, each rule and frame as
// a thin line, at the device's resolution. It decides no position of its own.
#include "report/sheet_painter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPen>

#include "report/sheet_fonts.h"
#include "report/sheet_layout.h"
#include "varnolix/version.h"

namespace varnolix::report {
namespace {

// Narrower above and below, where a sheet needs the room.
constexpr double kSideMarginMm = 15;
constexpr double kTopMarginMm = 12;
constexpr double kRulePoints = 0.5;

// The text area in millimetres, from the corner of the device's paintable area: the
// margins in from the paper's edges, or the device's own margins where those are wider.
QRectF TextFrame(const QPagedPaintDevice& device) {
  const QPageLayout layout = device.pageLayout();
  const QRectF paintable = layout.paintRect(QPageLayout::Millimeter);
  QRectF frame = layout.fullRect(QPageLayout::Millimeter)
                     .marginsRemoved(QMarginsF(kSideMarginMm, kTopMarginMm, kSideMarginMm, kTopMarginMm))
                     .intersected(paintable);
  if (frame.isEmpty()) frame = paintable;
  frame.translate(-paintable.topLeft());
  // A page too small for any text still gets one, drawn past its edge.
  return frame.isEmpty() ? QRectF(0, 0, 100, 100) : frame;
}

}  // namespace

struct SheetPainter::Painting {
  explicit Painting(QPagedPaintDevice& paintDevice)
      : device(paintDevice),
        fonts(paintDevice),
        frame(TextFrame(paintDevice)),
        mmX(std::max(1, paintDevice.logicalDpiX()) / 25.4),
        mmY(std::max(1, paintDevice.logicalDpiY()) / 25.4) {}

  QPointF At(double x, double y) const { return {(frame.left() + x) * mmX, (frame.top() + y) * mmY}; }

  void Draw(const LaidOutPage& page) {
    painter.setPen(QPen(Qt::black, kRulePoints / 72 * 25.4 * mmY));
    for (const Rule& rule : page.rules) painter.drawLine(At(rule.x1, rule.y1), At(rule.x2, rule.y2));
    for (const Frame& box : page.frames) {
      painter.drawRect(QRectF(At(box.x, box.y), At(box.x + box.width, box.y + box.height)));
    }
    for (const TextRun& run : page.texts) {
      painter.setFont(fonts.Font(run.face));
      painter.drawText(At(run.x, run.baseline), QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size())));
    }
  }

  QPagedPaintDevice& device;
  const SheetFonts fonts;
  const QRectF frame;
  const double mmX;
  const double mmY;
  QPainter painter;
  bool started = false;
  bool failed = false;
};

SheetPainter::SheetPainter(QPagedPaintDevice& device) : m(std::make_unique<Painting>(device)) {}

SheetPainter::~SheetPainter() { Finish(); }

bool SheetPainter::ok() const { return !m->failed; }

void SheetPainter::Paint(const Computation& computation) {
  if (m->failed) return;
  // The device is begun on the first sheet, so that painting none writes no page.
  const bool firstSheet = !m->started;
  if (firstSheet && !(m->started = m->painter.begin(&m->device))) {
    m->failed = true;
    return;
  }
  const SheetSetup setup{{m->frame.width(), m->frame.height()}, std::string(kProductName) + " " + kVersion};
  const std::vector<LaidOutPage> pages = LaidOutSheet(computation, setup, m->fonts);
  for (std::size_t page = 0; page < pages.size(); ++page) {
    if ((!firstSheet || page > 0) && !m->device.newPage()) {
      m->failed = true;
      return;
    }
    m->Draw(pages[page]);
  }
}

bool SheetPainter::Finish() {
  if (m->started && m->painter.isActive() && !m->painter.end()) m->failed = true;
  return !m->failed;
}

bool PaintSheets(QPagedPaintDevice& device, std::span<const Computation> sheets) {
  SheetPainter painter(device);
  for (const Computation& sheet : sheets) painter.Paint(sheet);
  return painter.Finish();
}

}  // namespace varnolix::report
