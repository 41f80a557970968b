#include "platform/dialog_layout.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "platform/dialog_units.h"
#include "platform/qt_helpers.h"

namespace varnolix {
namespace {

QRect PictureRect(const ControlTemplate& control, const DialogUnits& units) {
  // A picture takes the size of its image, grown with the font like the rest.
  const double scale = units.PictureScale();
  return {units.X(control.x), units.Y(control.y), static_cast<int>(std::lround(control.imageWidth * scale)),
          static_cast<int>(std::lround(control.imageHeight * scale))};
}

// A label as it will be shown, to measure its text exactly as the dialog will draw it.
void Configure(QLabel& probe, const ControlTemplate& control, const QFont& font, bool wraps) {
  probe.setFont(font);
  probe.setTextFormat(Qt::PlainText);
  probe.setText(detail::ToQString(control.text));
  probe.setAlignment(LabelAlignment(control.style));
  probe.setFrameStyle(LabelHasFrame(control.style) ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
  probe.setWordWrap(wraps);
}

// A label wraps when its template gives it room for two lines or its text breaks lines.
bool Wraps(const ControlTemplate& control, const QRect& rect, const QFontMetrics& metrics) {
  return rect.height() >= 2 * metrics.height() || control.text.find('\n') != std::string_view::npos;
}

QRect WidenedToFit(QRect rect, int needed, Qt::Alignment alignment) {
  const int growth = needed - rect.width();
  if (growth <= 0) return rect;
  if (alignment & Qt::AlignRight) {
    rect.setLeft(rect.left() - growth);
  } else if (alignment & Qt::AlignHCenter) {
    rect.adjust(-growth / 2, 0, growth - growth / 2, 0);
  } else {
    rect.setRight(rect.right() + growth);
  }
  return rect;
}

// Moves everything right when something sticks out on the left, and widens the
// dialog when something sticks out on the right.
void KeepInside(DialogLayout& layout) {
  int left = 0;
  int right = layout.size.width();
  for (const QRect& rect : layout.controls) {
    left = std::min(left, rect.left());
    right = std::max(right, rect.right() + 1);
  }
  if (left < 0) {
    for (QRect& rect : layout.controls) rect.translate(-left, 0);
  }
  layout.size.setWidth(right - left);
}

void MakeRoomBelow(DialogLayout& layout, size_t grown, const QRect& original, int growth) {
  for (size_t i = 0; i < layout.controls.size(); ++i) {
    QRect& rect = layout.controls[i];
    if (i == grown || rect.contains(original)) {
      rect.setHeight(rect.height() + growth);
    } else if (rect.top() > original.bottom()) {
      rect.translate(0, growth);
    }
  }
  layout.size.setHeight(layout.size.height() + growth);
}

}  // namespace

Qt::Alignment LabelAlignment(unsigned controlStyle) {
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (controlStyle & style::kAlignRight) horizontal = Qt::AlignRight;
  if (controlStyle & style::kAlignCenter) horizontal = Qt::AlignHCenter;
  return horizontal | ((controlStyle & style::kCenterVertically) ? Qt::AlignVCenter : Qt::AlignTop);
}

bool LabelHasFrame(unsigned controlStyle) { return (controlStyle & style::kStaticEdge) != 0; }

DialogLayout LayOutDialog(const DialogTemplate& dialogTemplate, const QFont& font) {
  const DialogUnits units(font);
  const QFontMetrics metrics(font);
  DialogLayout layout;
  layout.size = units.Size(dialogTemplate.width, dialogTemplate.height);
  QLabel probe;

  for (const ControlTemplate& control : dialogTemplate.controls) {
    QRect rect = control.kind == ControlKind::Picture ? PictureRect(control, units)
                                                      : units.Rect(control.x, control.y, control.width, control.height);
    bool wraps = false;
    if (control.kind == ControlKind::Label) {
      wraps = Wraps(control, rect, metrics);
      if (!wraps) {
        Configure(probe, control, font, false);
        const int needed = metrics.horizontalAdvance(probe.text()) + 2 * probe.frameWidth() + 1;
        rect = WidenedToFit(rect, needed, probe.alignment());
      }
    }
    layout.controls.push_back(rect);
    layout.wrapsText.push_back(wraps);
  }
  KeepInside(layout);

  for (size_t i = 0; i < layout.controls.size(); ++i) {
    if (!layout.wrapsText[i]) continue;
    Configure(probe, dialogTemplate.controls[i], font, true);
    const QRect original = layout.controls[i];
    const int needed = probe.heightForWidth(original.width());
    if (needed > original.height()) MakeRoomBelow(layout, i, original, needed - original.height());
  }
  return layout;
}

}  // namespace varnolix
