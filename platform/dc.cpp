#include "platform/dc.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

#include "platform/font.h"
#include "platform/qt_helpers.h"
#include "platform/wnd.h"

namespace varnolix {

CDC::CDC() = default;
CDC::~CDC() = default;

CFont* CDC::SelectObject(CFont* font) {
  CFont* previous = m_selected;
  m_selected = font;
  return previous;
}

CSize CDC::GetTextExtent(std::string_view text) const {
  const QFont* font = m_selected != nullptr && !m_selected->IsNull() ? m_selected->Get() : m_ownFont.get();
  const QFontMetrics metrics(font != nullptr ? *font : QApplication::font());
  return {metrics.horizontalAdvance(detail::ToQString(text)), metrics.height()};
}

CClientDC::CClientDC(const CWnd* window) {
  if (const QWidget* widget = window != nullptr ? window->GetSafeHwnd() : nullptr) {
    m_ownFont = std::make_unique<QFont>(widget->font());
  }
}

}  // namespace varnolix
