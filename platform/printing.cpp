#include "platform/printing.h"

#include <QApplication>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

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
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::kCancelled;
    return paint(printer) ? PrintOutcome::kPrinted : PrintOutcome::kFailed;
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
