#include "platform/tooltip.h"

#include <QTextDocument>
#include <QWidget>

#include "platform/qt_helpers.h"
#include "platform/wnd.h"

namespace varnolix {

CToolTipCtrl::~CToolTipCtrl() {
  if (m_tool) m_tool->setToolTip(QString());
}

bool CToolTipCtrl::Create(CWnd* parent) {
  m_created = parent != nullptr && parent->IsWindow();
  return m_created;
}

bool CToolTipCtrl::AddTool(CWnd* window, std::string_view text) {
  if (!m_created || window == nullptr || !window->IsWindow()) return false;
  m_tool = window->GetSafeHwnd();
  QString tip = detail::ToQString(text);
  // The tip shows the text as it is, even text that looks like markup.
  if (Qt::mightBeRichText(tip)) tip = QStringLiteral("<p style='white-space:pre'>%1</p>").arg(tip.toHtmlEscaped());
  m_tool->setToolTip(tip);
  return true;
}

}  // namespace varnolix
