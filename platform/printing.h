// Printing a document: a print preview shows it first, as desktop programs do; its
// Print button opens the desktop's print dialog, which chooses the printer or a PDF
// file, and the document is painted on what was chosen.
#pragma once

#include <functional>
#include <string_view>

class QPagedPaintDevice;
class QPageSize;

namespace varnolix {

enum class PrintOutcome { kPrinted, kCancelled, kFailed };

class Printers {
 public:
  virtual ~Printers() = default;
  // Offers `paper` first; `paint` is false when the device could not be painted on. It
  // may be called more than once: for the preview, then for the printer.
  virtual PrintOutcome Print(std::string_view documentName, const QPageSize& paper,
                             const std::function<bool(QPagedPaintDevice&)>& paint) = 0;
  static Printers& Production();
};

PrintOutcome PrintDocument(std::string_view documentName, const QPageSize& paper,
                           const std::function<bool(QPagedPaintDevice&)>& paint);

}  // namespace varnolix
