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
  // The font that sets `text` in `face`.
  const QFont& Font(Face face, std::string_view text) const { return Set(face, text).font; }
  double Width(Face face, std::string_view text) const override;

 private:
  struct Setting {
    QFont font;
    QFontMetricsF metrics;
  };
  const Setting& Set(Face face, std::string_view text) const;

  // Text in Latin letters is set without shaping, so that no ligature puts "ﬁ" for "fi"
  // into text copied or searched in the PDF; other scripts need shaping to join their
  // letters.
  std::vector<Setting> m_plain;   // one to each face
  std::vector<Setting> m_shaped;
  double m_unitsPerMm;
};

}  // namespace varnolix::report
