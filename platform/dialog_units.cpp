#include "platform/dialog_units.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace varnolix {
namespace {

// value × numerator / denominator, rounded half away from zero.
int Scale(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

// The base units of the 8-point sans-serif font the pictures are drawn for.
constexpr int kPictureBaseX = 6;
constexpr int kPictureBaseY = 13;

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int alphabetWidth =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_baseX = std::max(1, (alphabetWidth / 26 + 1) / 2);
  m_baseY = std::max(1, metrics.height());
}

int DialogUnits::X(int units) const { return Scale(units, m_baseX, 4); }
int DialogUnits::Y(int units) const { return Scale(units, m_baseY, 8); }

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
  return {X(x), Y(y), X(width), Y(height)};
}

QSize DialogUnits::Size(int width, int height) const { return {X(width), Y(height)}; }

double DialogUnits::PictureScale() const {
  return std::min(static_cast<double>(m_baseX) / kPictureBaseX, static_cast<double>(m_baseY) / kPictureBaseY);
}

}  // namespace varnolix
