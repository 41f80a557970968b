#include "report/sheet_fonts.h"

#include <QPaintDevice>
#include <QStringList>

namespace varnolix::report {
namespace {

// Noto Sans first, then a Noto font for each script of India that it lacks; the package
// depends on fonts-noto-core, which has them all. Text that needs no shaping gets none, so
// that no ligature puts "ﬁ" for "fi" into text copied or searched in the PDF; Devanagari
// and its sister scripts need it to join their letters, and still get it.
QFont SheetFont(const FaceSize& size) {
  QFont font(QStringList{
      QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans Devanagari"), QStringLiteral("Noto Sans Bengali"),
      QStringLiteral("Noto Sans Gujarati"), QStringLiteral("Noto Sans Gurmukhi"), QStringLiteral("Noto Sans Oriya"),
      QStringLiteral("Noto Sans Tamil"), QStringLiteral("Noto Sans Telugu"), QStringLiteral("Noto Sans Kannada"),
      QStringLiteral("Noto Sans Malayalam"), QStringLiteral("Noto Sans Sinhala"), QStringLiteral("Noto Sans Ol Chiki"),
      QStringLiteral("Noto Sans Meetei Mayek")});
  font.setStyleHint(QFont::SansSerif);
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setPointSizeF(size.points);
  font.setBold(size.bold);
  return font;
}

}  // namespace

SheetFonts::SheetFonts(const QPaintDevice& device) : m_unitsPerMm(std::max(1, device.logicalDpiX()) / 25.4) {
  for (const FaceSize& size : kFaceSizes) {
    m_fonts.push_back(SheetFont(size));
    m_metrics.emplace_back(m_fonts.back(), &device);
  }
}

double SheetFonts::Width(Face face, std::string_view text) const {
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return m_metrics[static_cast<std::size_t>(face)].horizontalAdvance(string) / m_unitsPerMm;
}

}  // namespace varnolix::report
