// A tooltip: tips shown over windows while the pointer rests on them. Each tip is also
// the window's description for screen readers.
#pragma once

#include <QPointer>
#include <string_view>
#include <vector>

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
  // Shows `text` over the whole of `window` (nothing when it is empty) until the tooltip
  // goes; a window that has a tip already gets the new text. A tip of several lines
  // keeps its columns.
  bool AddTool(CWnd* window, std::string_view text);

 private:
  bool m_created = false;
  std::vector<QPointer<QWidget>> m_tools;
};

}  // namespace varnolix
