#include "platform/window_hook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include "platform/cursor.h"
#include "platform/dc.h"
#include "platform/qt_helpers.h"
#include "platform/typed_character.h"
#include "platform/wnd.h"

namespace varnolix {
namespace {

using detail::ToQString;

// The virtual key of a key press: space, digits and letters; other keys are 0.
unsigned VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  return key >= Qt::Key_Space && key <= Qt::Key_Z ? static_cast<unsigned>(key) : 0u;
}

}  // namespace

namespace detail {

QPointer<QWidget>& CaptureHolder() {
  static QPointer<QWidget> holder;
  return holder;
}

WindowHook::WindowHook(CWnd& owner, QWidget* widget) : m_owner(owner), m_widget(widget) {
  widget->installEventFilter(this);
  // The widget's handler goes with the widget; the CWnd is left without one.
  connect(widget, &QObject::destroyed, this, [this, widget] {
    if (m_owner.m_widget == widget) m_owner.m_widget = nullptr;
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
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (TakesPastes() && key->matches(QKeySequence::Paste)) {
        Paste(QClipboard::Clipboard);
        return true;
      }
      if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
        OpenContextMenuFromKeyboard();
        return true;
      }
      return OfferKey(*key);
    }
    case QEvent::ContextMenu: {
      const auto* menu = static_cast<QContextMenuEvent*>(event);
      // Some desktops send their own menu event for the Menu key too; the keys above open it.
      if (menu->reason() == QContextMenuEvent::Keyboard && !m_openingMenu) return true;
      if (m_owner.m_contextCommands.empty() && !TakesPastes()) return false;
      ShowContextMenu(menu->globalPos());
      return true;
    }
    case QEvent::InputMethod:
      return FilterComposedText(*static_cast<QInputMethodEvent*>(event));
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      OfferSetCursor();
      return OfferMouse(Message::MouseMove, mouse->position().toPoint());
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      // The middle button pastes the selection, where the desktop keeps one.
      if (mouse->button() == Qt::MiddleButton && event->type() == QEvent::MouseButtonRelease && TakesPastes() &&
          QGuiApplication::clipboard()->supportsSelection()) {
        qobject_cast<QLineEdit*>(m_widget.data())->deselect();
        Paste(QClipboard::Selection);
        return true;
      }
      if (mouse->button() != Qt::LeftButton) return false;
      const Message message = event->type() == QEvent::MouseButtonRelease ? Message::LButtonUp : Message::LButtonDown;
      return OfferMouse(message, mouse->position().toPoint());
    }
    case QEvent::Enter:
      OfferSetCursor();
      return false;
    case QEvent::Leave:
      if (CaptureHolder() == m_widget) {
        // The first move outside, as the holder of the capture sees it. Where the pointer
        // went is not always known by now; it is outside the window in any case.
        QPoint outside = m_widget->mapFromGlobal(QCursor::pos());
        if (m_widget->rect().contains(outside)) outside = QPoint(-1, -1);
        OfferMouse(Message::MouseMove, outside);
      }
      return false;
    case QEvent::Drop:
      return TakesPastes() && DropText(*static_cast<QDropEvent*>(event));
    case QEvent::FocusIn:
      OfferFocus(Message::SetFocus);
      return false;
    case QEvent::FocusOut:
      OfferFocus(Message::KillFocus);
      return false;
    default:
      return false;
  }
}

bool WindowHook::TakesPastes() const {
  const auto* edit = qobject_cast<QLineEdit*>(m_widget.data());
  return edit != nullptr && !edit->isReadOnly() && m_owner.HasHandler(Message::Paste, kAnyControl);
}

void WindowHook::Paste(QClipboard::Mode mode) { Insert(QGuiApplication::clipboard()->text(mode)); }

// Text dragged in from elsewhere goes where it is dropped, as a paste; a move within the
// field stays the field's own.
bool WindowHook::DropText(QDropEvent& drop) {
  auto* edit = qobject_cast<QLineEdit*>(m_widget.data());
  if (drop.source() == m_widget || !drop.mimeData()->hasText()) return false;
  edit->deselect();
  edit->setCursorPosition(edit->cursorPositionAt(drop.position().toPoint()));
  Insert(drop.mimeData()->text());
  drop.acceptProposedAction();
  return true;
}

// The owner sees the text first and may change it; then it goes in where the cursor
// is, over any selection, as one step to undo.
void WindowHook::Insert(const QString& text) {
  std::string pasted = text.toStdString();
  MessageArgs args{Message::Paste};
  args.text = &pasted;
  m_owner.Dispatch(args);
  qobject_cast<QLineEdit*>(m_widget.data())->insert(ToQString(pasted));
}

bool WindowHook::Offer(MessageArgs& args) {
  if (!m_owner.HasHandler(args.message, kAnyControl)) return false;
  m_owner.Dispatch(args);
  return true;
}

// A key goes first to the owner's key handler, which may keep it, then to its
// character filter. True keeps the key from the control.
bool WindowHook::OfferKey(const QKeyEvent& event) {
  MessageArgs args{Message::KeyDown};
  args.character = VirtualKey(event);
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  args.keyFlags = (event.isAutoRepeat() ? KF_REPEAT : 0) | (modifiers.testFlag(Qt::AltModifier) ? KF_ALTDOWN : 0) |
                  (modifiers.testFlag(Qt::ControlModifier) ? KF_CONTROLDOWN : 0) |
                  (modifiers.testFlag(Qt::MetaModifier) ? KF_METADOWN : 0);
  m_owner.m_defaultRequested = false;
  if (Offer(args) && !m_owner.m_defaultRequested) return true;
  return FilterTypedCharacters(event);
}

bool WindowHook::FilterTypedCharacters(const QKeyEvent& event) {
  if (!m_owner.HasHandler(Message::Char, kAnyControl)) return false;
  const KeyTyping typing = TypingOf(event);
  switch (typing.kind) {
    case KeyTyping::Kind::Key:
      return false;
    case KeyTyping::Kind::Command:
      return true;
    case KeyTyping::Kind::Characters:
      break;
  }
  return !PassesFilter(typing.characters);
}

// Text composed by an input method is typed too.
bool WindowHook::FilterComposedText(const QInputMethodEvent& event) {
  if (!m_owner.HasHandler(Message::Char, kAnyControl)) return false;
  return !PassesFilter(event.commitString().toStdU32String());
}

// Text that types several characters at once types them all or none.
bool WindowHook::PassesFilter(std::u32string_view characters) {
  for (char32_t character : characters) {
    if (!OfferCharacter(static_cast<unsigned>(character))) return false;
  }
  return true;
}

// True when the handler let the control have the character.
bool WindowHook::OfferCharacter(unsigned character) {
  MessageArgs args{Message::Char};
  args.character = character;
  m_owner.m_defaultRequested = false;
  m_owner.Dispatch(args);
  return m_owner.m_defaultRequested;
}

bool WindowHook::OfferMouse(Message message, const QPoint& position) {
  MessageArgs args{message};
  args.point = {position.x(), position.y()};
  return Offer(args);
}

void WindowHook::OfferFocus(Message message) {
  MessageArgs args{message};
  if (message == Message::KillFocus) args.control = CWnd::FromHandle(QApplication::focusWidget());
  Offer(args);
}

void WindowHook::OpenContextMenuFromKeyboard() {
  const QRect textCursor = m_widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QPoint position = textCursor.isValid() ? textCursor.center() : m_widget->rect().center();
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, position, m_widget->mapToGlobal(position));
  m_openingMenu = true;
  QCoreApplication::sendEvent(m_widget, &menu);
  m_openingMenu = false;
}

// The control's own entries (an edit's: undo, copy, select all and the rest), then the
// commands its owner added.
void WindowHook::ShowContextMenu(const QPoint& globalPosition) {
  auto* edit = qobject_cast<QLineEdit*>(m_widget.data());
  const std::unique_ptr<QMenu> menu(edit != nullptr ? edit->createStandardContextMenu() : new QMenu);
  if (TakesPastes()) {
    for (QAction* action : menu->actions()) {
      // The edit's own Paste entry, as its menu names it in the language of the day.
      if (!action->text().startsWith(QLineEdit::tr("&Paste"))) continue;
      QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
      QObject::connect(action, &QAction::triggered, action, [this] { Paste(QClipboard::Clipboard); });
    }
  }
  if (!menu->isEmpty()) menu->addSeparator();
  for (const auto& [text, id] : m_owner.m_contextCommands) {
    QAction* action = menu->addAction(ToQString(text));
    QObject::connect(action, &QAction::triggered, action, [this, id = id] {
      if (CWnd* parent = m_owner.GetParent()) parent->OnCommand(id);
    });
  }
  menu->exec(globalPosition);
}

// The owner that chooses a pointer shape sets it; one that declines gets the standard one.
void WindowHook::OfferSetCursor() {
  MessageArgs args{Message::SetCursor};
  BeginCursorRequest();
  if (!Offer(args)) return;
  const HCURSOR chosen = ChosenCursor();
  if (args.handled && chosen != nullptr) {
    m_widget->setCursor(*chosen);
  } else {
    m_widget->unsetCursor();
  }
}

void WindowHook::ApplyControlColours(CWnd& control) {
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
  if (!parent->Dispatch(args)) parent->OnCtlColor(&dc, &control, kind);

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

}  // namespace varnolix
