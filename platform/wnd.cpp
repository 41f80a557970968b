#include "platform/wnd.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "platform/accessible_link.h"
#include "platform/qt_helpers.h"
#include "platform/window_hook.h"

namespace varnolix {
namespace {

// Which CWnd handles a widget is written on the widget itself.
constexpr const char* kHandlerProperty = "varnolix-cwnd";

CWnd* HandlerOf(const QWidget* widget) {
  return static_cast<CWnd*>(widget->property(kHandlerProperty).value<void*>());
}

void SetHandler(QWidget* widget, CWnd* handler) {
  widget->setProperty(kHandlerProperty, handler != nullptr ? QVariant::fromValue<void*>(handler) : QVariant());
}

using detail::CaptureHolder;
using detail::ToQString;

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() { Detach(); }

CWnd* CWnd::FromHandle(const QWidget* widget) {
  return widget != nullptr ? HandlerOf(widget) : nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
  for (const Child& child : m_children) {
    if (child.id == id) return FromHandle(child.widget);
  }
  return nullptr;
}

CWnd* CWnd::GetParent() const {
  if (m_widget == nullptr) return nullptr;
  for (QWidget* ancestor = m_widget->parentWidget(); ancestor != nullptr; ancestor = ancestor->parentWidget()) {
    if (CWnd* window = FromHandle(ancestor)) return window;
  }
  return nullptr;
}

std::string CWnd::GetWindowText() const {
  if (m_widget == nullptr) return {};
  QString text;
  if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) {
    text = edit->text();
  } else if (auto* label = qobject_cast<QLabel*>(m_widget)) {
    text = label->text();
  } else if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
    text = button->text();
  } else {
    text = m_widget->windowTitle();
  }
  return text.toStdString();
}

std::string CWnd::GetDlgItemText(int id) const {
  const CWnd* control = GetDlgItem(id);
  return control != nullptr ? control->GetWindowText() : std::string();
}

void CWnd::SetDlgItemText(int id, std::string_view text) {
  if (CWnd* control = GetDlgItem(id)) control->SetWindowText(text);
}

void CWnd::SetWindowText(std::string_view text) {
  if (m_widget == nullptr) return;
  const QString newText = ToQString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) {
    if (edit->text() == newText) {
      if (CWnd* handler = FromHandle(edit)) NotifyEditChange(*handler);
    } else {
      edit->setText(newText);  // its textChanged raises the notification
    }
  } else if (auto* label = qobject_cast<QLabel*>(m_widget)) {
    label->setText(newText);
  } else if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
    button->setText(newText);
  } else {
    m_widget->setWindowTitle(newText);
  }
}

void CWnd::ShowWindow(int showCommand) {
  if (m_widget != nullptr) m_widget->setVisible(showCommand != SW_HIDE);
}


void CWnd::EnableWindow(bool enable) {
  if (m_widget != nullptr) m_widget->setEnabled(enable);
}


void CWnd::SetFocus() {
  if (m_widget != nullptr) m_widget->setFocus(Qt::OtherFocusReason);
}

void CWnd::Invalidate() {
  if (m_widget != nullptr) m_widget->update();
}

std::optional<LOGFONT> CWnd::GetFont() const {
  if (m_widget == nullptr) return std::nullopt;
  return CFont::Describe(m_widget->font());
}

void CWnd::SetFont(const CFont* font, bool redraw) {
  if (m_widget == nullptr || font == nullptr || font->IsNull()) return;
  m_widget->setFont(*font->Get());
  if (redraw) m_widget->update();
}

void CWnd::GetWindowRect(CRect* rect) const {
  if (m_widget == nullptr) return;
  const QPoint topLeft = m_widget->mapToGlobal(QPoint(0, 0));
  *rect = {topLeft.x(), topLeft.y(), topLeft.x() + m_widget->width(), topLeft.y() + m_widget->height()};
}

// A framed control's client area lies inside its frame.
void CWnd::GetClientRect(CRect* rect) const {
  if (m_widget == nullptr) return;
  const auto* frame = qobject_cast<const QFrame*>(m_widget);
  const QSize size = frame != nullptr ? frame->frameRect().adjusted(frame->frameWidth(), frame->frameWidth(),
                                                                     -frame->frameWidth(), -frame->frameWidth())
                                            .size()
                                      : m_widget->size();
  *rect = {0, 0, size.width(), size.height()};
}

void CWnd::ScreenToClient(CRect* rect) const {
  if (m_widget == nullptr) return;
  const QPoint topLeft = m_widget->mapFromGlobal(QPoint(rect->left, rect->top));
  *rect = {topLeft.x(), topLeft.y(), topLeft.x() + rect->Width(), topLeft.y() + rect->Height()};
}

void CWnd::MoveWindow(int x, int y, int width, int height, bool repaint) {
  if (m_widget == nullptr) return;
  m_widget->setGeometry(x, y, width, height);
  if (repaint) m_widget->update();
}

void CWnd::SetCapture() { CaptureHolder() = m_widget; }

void CWnd::AppendContextMenuCommand(std::string_view text, int id) { m_contextCommands.emplace_back(text, id); }

void CWnd::PresentAsLink() {
  if (m_widget != nullptr) detail::PresentAsLink(m_widget);
}

void ReleaseCapture() { CaptureHolder() = nullptr; }

bool CWnd::SubclassDlgItem(int id, CWnd* parent) {
  if (parent == nullptr) return false;
  for (const Child& child : parent->m_children) {
    if (child.id == id) {
      Attach(child.widget, id, child.style);
      PreSubclassWindow();
      return true;
    }
  }
  return false;
}

void CWnd::WinHelp(std::uint32_t /*data*/, unsigned /*command*/) {}

bool CWnd::OnCommand(int id) {
  MessageArgs args{Message::Command, id};
  return Dispatch(args);
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind) {
  if (control == nullptr) return nullptr;
  MessageArgs args{Message::ReflectedCtlColor, control->GetDlgCtrlID()};
  args.dc = dc;
  args.ctlColorKind = ctlColorKind;
  control->Dispatch(args);
  return nullptr;
}

void CWnd::Default() { m_defaultRequested = true; }

void CWnd::Attach(QWidget* widget, int id, unsigned controlStyle) {
  Detach();
  m_widget = widget;
  m_id = id;
  m_style = controlStyle;
  m_replaced = HandlerOf(widget);
  SetHandler(widget, this);
  m_hook = std::make_unique<detail::WindowHook>(*this, widget);
  // Moves reach a window that follows the pointer even with no button down.
  if (HasHandler(Message::MouseMove, kAnyControl)) widget->setMouseTracking(true);
}

void CWnd::Detach() {
  m_hook.reset();
  if (m_widget != nullptr && HandlerOf(m_widget) == this) {
    // A control taken over by a member goes back to its plain CWnd.
    const bool replacedStillThere = m_replaced != nullptr && m_replaced->m_widget == m_widget;
    SetHandler(m_widget, replacedStillThere ? m_replaced : nullptr);
  }
  m_widget = nullptr;
  m_replaced = nullptr;
}

void CWnd::AddChild(QWidget* widget, int id, unsigned controlStyle, std::unique_ptr<CWnd> wrapper) {
  wrapper->Attach(widget, id, controlStyle);
  m_children.push_back({id, controlStyle, widget, std::move(wrapper)});
}

void CWnd::ClearChildren() { m_children.clear(); }

std::vector<QWidget*> CWnd::ChildWidgets() const {
  std::vector<QWidget*> widgets;
  widgets.reserve(m_children.size());
  for (const Child& child : m_children) widgets.push_back(child.widget);
  return widgets;
}

void CWnd::NotifyEditChange(CWnd& control) {
  if (CWnd* parent = control.GetParent()) {
    MessageArgs args{Message::EditChange, control.GetDlgCtrlID()};
    parent->Dispatch(args);
  }
}

void CWnd::NotifyCommand(CWnd& control) {
  if (CWnd* parent = control.GetParent()) parent->OnCommand(control.GetDlgCtrlID());
}

}  // namespace varnolix
