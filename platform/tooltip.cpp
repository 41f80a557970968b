#include "platform/tooltip.h"

#include <QTextDocument>
#include <QWidget>
#include <algorithm>

#include "platform/qt_helpers.h"
#include "platform/wnd.h"

namespace varnolix {
namespace {

// The text as it is, even text that looks like markup; lines in a fixed-pitch font.
QString TipOf(const QString& text) {
  if (text.contains(u'\n')) return QStringLiteral("<pre>%1</pre>").arg(text.toHtmlEscaped());
  if (Qt::mightBeRichText(text)) return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
  return text;
}

}  // namespace

CToolTipCtrl::~CToolTipCtrl() {
  for (const QPointer<QWidget>& tool : m_tools) {
    if (tool) {
      tool->setToolTip(QString());
      tool->setAccessibleDescription(QString());
    }
  }
}

bool CToolTipCtrl::Create(CWnd* parent) {
  m_created = parent != nullptr && parent->IsWindow();
  return m_created;
}

bool CToolTipCtrl::AddTool(CWnd* window, std::string_view text) {
  if (!m_created || window == nullptr || !window->IsWindow()) return false;
  QWidget* widget = window->GetSafeHwnd();
  if (std::find(m_tools.begin(), m_tools.end(), widget) == m_tools.end()) m_tools.emplace_back(widget);
  const QString tip = detail::ToQString(text);
  widget->setToolTip(TipOf(tip));
  widget->setAccessibleDescription(tip);
  return true;
}

}  // namespace varnolix
