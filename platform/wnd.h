// CWnd: a window or control of the program, reached by control identifier.
//
// A CWnd refers to a Qt widget it does not own. Controls built from a template get a
// plain CWnd at once; a member of a page may take a control over ("subclass" it) so
// that its own message table sees the control's typed characters.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/font.h"
#include "platform/message_map.h"

class QWidget;

namespace varnolix {

namespace detail {
class WindowHook;
}

class CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;

  QWidget* GetSafeHwnd() const { return m_widget; }
  bool IsWindow() const { return m_widget != nullptr; }
  int GetDlgCtrlID() const { return m_id; }
  // The control's style bits from its template (see style:: in resources/dialog_template.h).
  unsigned GetStyle() const { return m_style; }

  // A child control by identifier, or null.
  CWnd* GetDlgItem(int id) const;
  // The window this one sits in: a control's dialog, a page's sheet.
  CWnd* GetParent() const;
  // The CWnd that currently handles a widget, if any.
  static CWnd* FromHandle(const QWidget* widget);

  std::string GetWindowText() const;
  // The text of child control `id`; empty when there is no such control.
  std::string GetDlgItemText(int id) const;
  void SetDlgItemText(int id, std::string_view text);
  // Setting an edit control's text raises its change notification, as typing does,
  // even when the text stays the same.
  void SetWindowText(std::string_view text);
  void ShowWindow(int showCommand);
  void EnableWindow(bool enable);
  void SetFocus();
  // Redraws the window soon, asking for its colours again.
  void Invalidate();

  // The font the window draws with.
  std::optional<LOGFONT> GetFont() const;
  void SetFont(const CFont* font, bool redraw = true);

  // The window's rectangle in screen coordinates; its client area in its own.
  void GetWindowRect(CRect* rect) const;
  void GetClientRect(CRect* rect) const;
  void ScreenToClient(CRect* rect) const;
  // Moves the window, in its parent's client coordinates.
  void MoveWindow(int x, int y, int width, int height, bool repaint = true);

  // The window hears of the pointer leaving it: the first mouse move outside reaches it.
  void SetCapture();

  // Screen readers meet the control as a link named by its text; its action is a
  // press of the space key.
  void PresentAsLink();

  // The control's context menu offers `text` after its own entries; choosing it sends
  // command `id` to the control's parent, as a button's click does. The menu opens
  // from the pointer, the Menu key and Shift+F10.
  void AppendContextMenuCommand(std::string_view text, int id);

  // Takes over control `id` of `parent`: from now on this object's message table sees
  // the control's messages. PreSubclassWindow runs once the control is attached.
  bool SubclassDlgItem(int id, CWnd* parent);

  // Help requests end here. Windows without help do nothing.
  virtual void WinHelp(std::uint32_t data, unsigned command);

  // A command from a child control or a key; true when something handled it.
  virtual bool OnCommand(int id);

 protected:
  // The standard answer to a colour request: the control's own answer if it has one,
  // else the standard brush with the colours unchanged.
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind);

  // Inside a handler of a control's own message: let the control process it as usual.
  void Default();

  // A member taking over a control sets itself up here.
  virtual void PreSubclassWindow() {}

  // For windows that build their own controls: attaches the window itself, and
  // records a child control under its identifier with a plain CWnd for it.
  void Attach(QWidget* widget, int id = 0, unsigned controlStyle = 0);
  void Detach();
  void AddChild(QWidget* widget, int id, unsigned controlStyle, std::unique_ptr<CWnd> wrapper);
  void ClearChildren();
  // The children in the order they were added (template order).
  std::vector<QWidget*> ChildWidgets() const;

  // Raise a control's notifications at its parent.
  static void NotifyEditChange(CWnd& control);
  static void NotifyCommand(CWnd& control);

 private:
  friend class detail::WindowHook;

  struct Child {
    int id;
    unsigned style;
    QWidget* widget;
    std::unique_ptr<CWnd> wrapper;
  };

  QWidget* m_widget = nullptr;
  int m_id = 0;
  unsigned m_style = 0;
  CWnd* m_replaced = nullptr;  // the plain CWnd a subclassing member stands in for
  std::unique_ptr<detail::WindowHook> m_hook;
  std::vector<Child> m_children;
  std::vector<std::pair<std::string, int>> m_contextCommands;
  bool m_defaultRequested = false;
};

// Ends the capture SetCapture started.
void ReleaseCapture();

class CEdit : public CWnd {};
class CStatic : public CWnd {};

// A downcast by run-time class that checks the class: null when `window` is not a T.
template <class T>
T* DynamicDownCast(CWnd* window) {
  return dynamic_cast<T*>(window);
}

}  // namespace varnolix
