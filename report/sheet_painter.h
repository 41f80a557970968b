// Paints computations as printed sheets on a PDF writer or a printer: each laid out by
// sheet_layout.h on the device's page, in fonts that print Indian scripts as text, and
// drawn as laid out.
#pragma once

#include <QPagedPaintDevice>
#include <memory>
#include <span>

#include "computation/computation.h"

namespace varnolix::report {

// Paints sheets one after another on `device`, each from a new page, so that a batch of
// any length is painted a sheet at a time.
class SheetPainter {
 public:
  explicit SheetPainter(QPagedPaintDevice& device);
  ~SheetPainter();
  SheetPainter(const SheetPainter&) = delete;
  SheetPainter& operator=(const SheetPainter&) = delete;

  void Paint(const Computation& computation);
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
bool PaintSheets(QPagedPaintDevice& device, std::span<const Computation> sheets);

}  // namespace varnolix::report
