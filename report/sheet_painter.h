// Paints computation sheets on a PDF writer or a printer: each sheet's title, its entries,
// its working and its results, broken into pages that are numbered within the sheet.
#pragma once

#include <QPagedPaintDevice>
#include <memory>
#include <span>

#include "report/computation_sheet.h"

namespace varnolix::report {

// Paints sheets one after another on `device`, each from a new page, so that a batch of
// any length is painted a sheet at a time.
class SheetPainter {
 public:
  explicit SheetPainter(QPagedPaintDevice& device);
  ~SheetPainter();
  SheetPainter(const SheetPainter&) = delete;
  SheetPainter& operator=(const SheetPainter&) = delete;

  void Paint(const ComputationSheet& sheet);
  // False once the device could not be painted on, or took no new page.
  bool ok() const;
  // Ends the painting; false when any of it failed. Painting no sheet writes nothing.
  bool Finish();

 private:
  struct Painting;
  std::unique_ptr<Painting> m;
};

// Each sheet from a new page; false when the device cannot be painted on (an output file
// that cannot be written).
bool PaintSheets(QPagedPaintDevice& device, std::span<const ComputationSheet> sheets);

}  // namespace varnolix::report
