// Fonts a window can be given: a description to make one from, and the font object
// that owns what was made.
#pragma once

#include <memory>
#include <string>

class QFont;

namespace varnolix {

// What a font is made from.
struct LOGFONT {
  std::string lfFaceName;
  double lfPointSize = 0;  // used when lfPixelSize is not above 0
  int lfPixelSize = 0;
  int lfWeight = 400;      // 100 thin to 900 black; 400 normal, 700 bold
  bool lfItalic = false;
  bool lfUnderline = false;
  bool lfStrikeOut = false;
};

class CFont {
 public:
  CFont();
  ~CFont();
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  // Makes the font the description asks for; any font made before is let go.
  bool CreateFontIndirect(const LOGFONT& logFont);
  void DeleteObject();
  bool IsNull() const { return m_font == nullptr; }

  // Internal to the platform layer.
  const QFont* Get() const { return m_font.get(); }
  static LOGFONT Describe(const QFont& font);

 private:
  std::unique_ptr<QFont> m_font;
};

}  // namespace varnolix
