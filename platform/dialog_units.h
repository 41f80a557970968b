// Dialog units: template positions scale with the dialog font, a horizontal unit
// being a quarter of the font's average character width and a vertical unit an
// eighth of its height, so that no label or field is clipped whatever the font.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace varnolix {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int X(int units) const;
  int Y(int units) const;
  QRect Rect(int x, int y, int width, int height) const;
  QSize Size(int width, int height) const;
  // How much larger than the 8-point dialog font of 6 × 13 base units this one is; pictures,
  // drawn for that font, grow by it.
  double PictureScale() const;

 private:
  int m_baseX;
  int m_baseY;
};

}  // namespace varnolix
