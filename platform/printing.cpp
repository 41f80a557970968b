#include "platform/printing.h"

#include <QApplication>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include "platform/qt_helpers.h"
#include "platform/service.h"

namespace varnolix {
namespace {

class QtPrinters : public Printers {
 public:
  PrintOutcome Print(std::string_view documentName, const QPageSize& paper,
                     const std::function<bool(QPagedPaintDevice&)>& paint) override {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(detail::ToQString(documentName));
    printer.setCreator(QApplication::applicationName());
    printer.setPageSize(paper);
    // The preview paints the document on its own pages, then on the printer chosen in
    // the print dialog that its Print button opens, and closes as accepted.
    QPrintPreviewDialog preview(&printer, QApplication::activeWindow());
    // Large enough to read a page, as a preview opens on a desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) preview.resize(screen->availableSize() * 4 / 5);
    bool painted = true;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter* device) { painted = paint(*device); });
    if (preview.exec() != QDialog::Accepted) return PrintOutcome::kCancelled;
    return painted ? PrintOutcome::kPrinted : PrintOutcome::kFailed;
  }
};

}  // namespace

Printers& Printers::Production() {
  static QtPrinters printers;
  return printers;
}

PrintOutcome PrintDocument(std::string_view documentName, const QPageSize& paper,
                           const std::function<bool(QPagedPaintDevice&)>& paint) {
  return Service<Printers>().Print(documentName, paper, paint);
}

}  // namespace varnolix
