// The fonts a sheet is printed in, one to each face, measured on the device they are
// drawn on. Names in Devanagari and the other Indian scripts fall back on the Noto fonts
// of their script, so that they print as text.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <vector>
#include <string_view>

#include "report/laid_out_page.h"

class QPaintDevice;

namespace varnolix::report {

class SheetFonts : public TextMeasure {
 public:
  explicit SheetFonts(const QPaintDevice& device);
  const QFont& Font(Face face) const { return m_fonts[static_cast<std::size_t>(face)]; }
  double Width(Face face, std::string_view text) const override;

 private:
  std::vector<QFont> m_fonts;  // one to each face
  std::vector<QFontMetricsF> m_metrics;
  double m_unitsPerMm;
};

}  // namespace varnolix::report
