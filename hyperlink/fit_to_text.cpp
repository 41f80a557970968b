#include "hyperlink/fit_to_text.h"

#include "resources/dialog_template.h"

namespace varnolix {

CRect FitRectToText(CRect window, CSize text, unsigned style) {
  if (style & style::kCenterVertically) {
    const int shrink = (window.Height() - text.cy) / 2;
    window.InflateRect(0, -shrink);
  } else {
    window.bottom = window.top + text.cy;
  }
  if (style & style::kAlignCenter) {
    const int shrink = (window.Width() - text.cx) / 2;
    window.InflateRect(-shrink, 0);
  } else if (style & style::kAlignRight) {
    window.left = window.right - text.cx;
  } else {
    window.right = window.left + text.cx;
  }
  return window;
}

}  // namespace varnolix
