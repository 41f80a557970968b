// A tooltip: a tip shown over a window while the pointer rests on it.
#pragma once

#include <QPointer>
#include <string_view>

class QWidget;

namespace varnolix {

class CWnd;

class CToolTipCtrl {
 public:
  CToolTipCtrl() = default;
  ~CToolTipCtrl();
  CToolTipCtrl(const CToolTipCtrl&) = delete;
  CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;

  bool Create(CWnd* parent);
  // Shows `text` over the whole of `window` (nothing when the text is empty) until
  // the tooltip goes.
  bool AddTool(CWnd* window, std::string_view text);

 private:
  bool m_created = false;
  QPointer<QWidget> m_tool;
};

}  // namespace varnolix
