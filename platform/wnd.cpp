#include "platform/wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <unordered_map>

#include "platform/dc.h"
#include "platform/qt_helpers.h"
#include "platform/typed_character.h"
#include "platform/window_hook.h"

namespace varnolix {
namespace {

// Which CWnd handles each widget. The main thread is the only user.
std::unordered_map<const QWidget*, CWnd*>& Handlers() {
  static std::unordered_map<const QWidget*, CWnd*> handlers;
  return handlers;
}

using detail::ToQString;

}  // namespace

namespace detail {

WindowHook::WindowHook(CWnd& owner, QWidget* widget) : m_owner(owner), m_widget(widget) {
  widget->installEventFilter(this);
  // The pointer is only a key once the widget is gone; it is never dereferenced.
  connect(widget, &QObject::destroyed, this, [this, widget] {
    if (m_owner.m_widget != widget) return;
    const auto found = Handlers().find(widget);
    if (found != Handlers().end() && found->second == &m_owner) Handlers().erase(found);
    m_owner.m_widget = nullptr;
  });
}

WindowHook::~WindowHook() {
  if (m_widget) m_widget->removeEventFilter(this);
}

bool WindowHook::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_widget || CWnd::FromHandle(m_widget) != &m_owner) return false;
  switch (event->type()) {
    case QEvent::Paint:
      ApplyControlColours(m_owner);
      return false;
    case QEvent::KeyPress:
    case QEvent::InputMethod:
      return FilterTypedCharacters(event);
    default:
      return false;
  }
}

bool WindowHook::FilterTypedCharacters(QEvent* event) {
  if (!m_owner.HasHandler(Message::Char, kAnyControl)) return false;
  if (event->type() == QEvent::KeyPress) {
    const std::optional<unsigned> character = TypedCharacter(*static_cast<QKeyEvent*>(event));
    return character.has_value() && !OfferCharacter(*character);
  }
  // Text composed by an input method is typed too: it passes only if every
  // character would.
  const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
  for (char32_t character : committed.toUcs4()) {
    if (!OfferCharacter(static_cast<unsigned>(character))) return true;
  }
  return false;
}

// True when the handler let the control have the character.
bool WindowHook::OfferCharacter(unsigned character) {
  MessageArgs args{Message::Char};
  args.character = character;
  m_owner.m_defaultRequested = false;
  m_owner.Dispatch(args);
  return m_owner.m_defaultRequested;
}

void ApplyControlColours(CWnd& control) {
  QWidget* widget = control.GetSafeHwnd();
  CWnd* parent = control.GetParent();
  if (widget == nullptr || parent == nullptr) return;
  // Push buttons draw their own text colour, whatever the parent says.
  if (qobject_cast<QAbstractButton*>(widget) != nullptr) return;
  auto* edit = qobject_cast<QLineEdit*>(widget);
  const unsigned kind = edit == nullptr ? CTLCOLOR_STATIC : (edit->isReadOnly() ? CTLCOLOR_STATIC : CTLCOLOR_EDIT);
  const QPalette::ColorRole role = edit != nullptr ? QPalette::Text : QPalette::WindowText;

  CDC dc;
  MessageArgs args{Message::CtlColor, control.GetDlgCtrlID()};
  args.dc = &dc;
  args.control = &control;
  args.ctlColorKind = kind;
  parent->Dispatch(args);

  const std::optional<COLORREF> asked = dc.GetTextColor();
  const QColor wanted = asked ? QColor(GetRValue(*asked), GetGValue(*asked), GetBValue(*asked))
                              : QApplication::palette(widget).color(role);
  if (widget->palette().color(role) != wanted) {
    QPalette palette = widget->palette();
    palette.setColor(role, wanted);
    widget->setPalette(palette);
  }
}

}  // namespace detail

CWnd::CWnd() = default;

CWnd::~CWnd() { Detach(); }

CWnd* CWnd::FromHandle(const QWidget* widget) {
  if (widget == nullptr) return nullptr;
  const auto found = Handlers().find(widget);
  return found == Handlers().end() ? nullptr : found->second;
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

bool CWnd::IsWindowVisible() const { return m_widget != nullptr && m_widget->isVisible(); }

void CWnd::EnableWindow(bool enable) {
  if (m_widget != nullptr) m_widget->setEnabled(enable);
}

bool CWnd::IsWindowEnabled() const { return m_widget != nullptr && m_widget->isEnabled(); }

void CWnd::SetFocus() {
  if (m_widget != nullptr) m_widget->setFocus(Qt::OtherFocusReason);
}

void CWnd::Invalidate() {
  if (m_widget != nullptr) m_widget->update();
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent) {
  if (parent == nullptr) return false;
  for (const Child& child : parent->m_children) {
    if (child.id == id) {
      Attach(child.widget, id);
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

HBRUSH CWnd::OnCtlColor(CDC* /*dc*/, CWnd* /*control*/, unsigned /*ctlColorKind*/) { return nullptr; }

void CWnd::Default() { m_defaultRequested = true; }

void CWnd::Attach(QWidget* widget, int id) {
  Detach();
  m_widget = widget;
  m_id = id;
  CWnd*& handler = Handlers()[widget];
  m_replaced = handler;
  handler = this;
  m_hook = std::make_unique<detail::WindowHook>(*this, widget);
}

void CWnd::Detach() {
  m_hook.reset();
  if (m_widget != nullptr) {
    const auto found = Handlers().find(m_widget);
    if (found != Handlers().end() && found->second == this) {
      // A control taken over by a member goes back to its plain CWnd.
      if (m_replaced != nullptr && m_replaced->m_widget == m_widget) {
        found->second = m_replaced;
      } else {
        Handlers().erase(found);
      }
    }
  }
  m_widget = nullptr;
  m_replaced = nullptr;
}

void CWnd::AddChild(QWidget* widget, int id, std::unique_ptr<CWnd> wrapper) {
  wrapper->Attach(widget, id);
  m_children.push_back({id, widget, std::move(wrapper)});
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
