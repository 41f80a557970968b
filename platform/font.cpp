#include "platform/font.h"

#include <QFont>

namespace varnolix {

CFont::CFont() = default;
CFont::~CFont() = default;

bool CFont::CreateFontIndirect(const LOGFONT& logFont) {
  auto font = std::make_unique<QFont>(QString::fromStdString(logFont.lfFaceName));
  if (logFont.lfPixelSize > 0) {
    font->setPixelSize(logFont.lfPixelSize);
  } else if (logFont.lfPointSize > 0) {
    font->setPointSizeF(logFont.lfPointSize);
  }
  font->setWeight(static_cast<QFont::Weight>(logFont.lfWeight));
  font->setItalic(logFont.lfItalic);
  font->setUnderline(logFont.lfUnderline);
  font->setStrikeOut(logFont.lfStrikeOut);
  m_font = std::move(font);
  return true;
}

void CFont::DeleteObject() { m_font.reset(); }

LOGFONT CFont::Describe(const QFont& font) {
  LOGFONT logFont;
  logFont.lfFaceName = font.family().toStdString();
  logFont.lfPointSize = font.pointSizeF();
  logFont.lfPixelSize = font.pointSizeF() > 0 ? 0 : font.pixelSize();
  logFont.lfWeight = static_cast<int>(font.weight());
  logFont.lfItalic = font.italic();
  logFont.lfUnderline = font.underline();
  logFont.lfStrikeOut = font.strikeOut();
  return logFont;
}

}  // namespace varnolix
