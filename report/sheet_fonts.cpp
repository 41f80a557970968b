#include "report/sheet_fonts.h"

#include <QPaintDevice>
#include <QStringList>

namespace varnolix::report {
namespace {

// Noto Sans first, then a Noto font for each script of India that it lacks; the package
// depends on fonts-noto-core, which has them all.
QFont SheetFont(const FaceSize& size, bool shaped) {
  QFont font(QStringList{
      QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans Devanagari"), QStringLiteral("Noto Sans Bengali"),
      QStringLiteral("Noto Sans Gujarati"), QStringLiteral("Noto Sans Gurmukhi"), QStringLiteral("Noto Sans Oriya"),
      QStringLiteral("Noto Sans Tamil"), QStringLiteral("Noto Sans Telugu"), QStringLiteral("Noto Sans Kannada"),
      QStringLiteral("Noto Sans Malayalam"), QStringLiteral("Noto Sans Sinhala"), QStringLiteral("Noto Sans Ol Chiki"),
      QStringLiteral("Noto Sans Meetei Mayek")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(size.points);
  font.setBold(size.bold);
  if (!shaped) font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

// Latin letters, their punctuation and the rupee sign join no letters.
bool NeedsShaping(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) continue;
    if (byte == 0xC2 || byte == 0xC3) {  // Latin-1
      ++i;
      continue;
    }
    if (byte == 0xE2 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xFC) == 0x80) {
      i += 2;  // U+2000 to U+20FF: punctuation and currency signs
      continue;
    }
    return true;
  }
  return false;
}

}  // namespace

SheetFonts::SheetFonts(const QPaintDevice& device) : m_unitsPerMm(std::max(1, device.logicalDpiX()) / 25.4) {
  for (const FaceSize& size : kFaceSizes) {
    for (bool shaped : {false, true}) {
      QFont font = SheetFont(size, shaped);
      QFontMetricsF metrics(font, &device);
      (shaped ? m_shaped : m_plain).push_back({std::move(font), std::move(metrics)});
    }
  }
}

const SheetFonts::Setting& SheetFonts::Set(Face face, std::string_view text) const {
  return (NeedsShaping(text) ? m_shaped : m_plain)[static_cast<std::size_t>(face)];
}

double SheetFonts::Width(Face face, std::string_view text) const {
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return Set(face, text).metrics.horizontalAdvance(string) / m_unitsPerMm;
}

}  // namespace varnolix::report
