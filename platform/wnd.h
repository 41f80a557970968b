// CWnd: a window or control of the program, reached by control identifier.
//
// A CWnd refers to a Qt widget it does not own. Controls built from a template get a
// plain CWnd at once; a member of a page may take a control over ("subclass" it) so
// that its own message table sees the control's typed characters.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
  bool IsWindowVisible() const;
  void EnableWindow(bool enable);
  bool IsWindowEnabled() const;
  void SetFocus();
  void Invalidate();

  // Takes over control `id` of `parent`: from now on this object's message table sees
  // the control's messages.
  bool SubclassDlgItem(int id, CWnd* parent);

  // Help requests end here. Windows without help do nothing.
  virtual void WinHelp(std::uint32_t data, unsigned command);

  // A command from a child control or a key; true when something handled it.
  virtual bool OnCommand(int id);

 protected:
  // The standard answer to a colour request: the standard brush, colours unchanged.
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind);

  // Inside a handler of a control's own message: let the control process it as usual.
  void Default();

  // For windows that build their own controls: attaches the window itself, and
  // records a child control under its identifier with a plain CWnd for it.
  void Attach(QWidget* widget, int id = 0);
  void Detach();
  void AddChild(QWidget* widget, int id, std::unique_ptr<CWnd> wrapper);
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
    QWidget* widget;
    std::unique_ptr<CWnd> wrapper;
  };

  QWidget* m_widget = nullptr;
  int m_id = 0;
  CWnd* m_replaced = nullptr;  // the plain CWnd a subclassing member stands in for
  std::unique_ptr<detail::WindowHook> m_hook;
  std::vector<Child> m_children;
  bool m_defaultRequested = false;
};

class CEdit : public CWnd {};
class CStatic : public CWnd {};
class CButton : public CWnd {};

// A downcast by run-time class that checks the class: null when `window` is not a T.
template <class T>
T* DynamicDownCast(CWnd* window) {
  return dynamic_cast<T*>(window);
}

}  // namespace varnolix
