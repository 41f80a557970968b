// Internal to the platform layer: the link between a CWnd and the widget it handles.
#pragma once

#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <string_view>

#include "platform/message_map.h"

namespace varnolix {

class CWnd;

namespace detail {

// The window that hears of the pointer leaving it; the main thread is the only user.
QPointer<QWidget>& CaptureHolder();

// Watches one widget for its CWnd: keys, typed characters, pastes, focus changes and the
// pointer go to the CWnd's table first, colours are asked for before each paint, and
// the CWnd learns when the widget goes.
class WindowHook : public QObject {
 public:
  WindowHook(CWnd& owner, QWidget* widget);
  ~WindowHook() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // An editable field whose owner handles pastes: every paste goes through Insert.
  bool TakesPastes() const;
  void Paste(QClipboard::Mode mode);
  bool DropText(QDropEvent& drop);
  void Insert(const QString& text);
  bool OfferKey(const QKeyEvent& event);
  bool FilterTypedCharacters(const QKeyEvent& event);
  bool FilterComposedText(const QInputMethodEvent& event);
  bool PassesFilter(std::u32string_view characters);
  bool OfferCharacter(unsigned character);
  bool OfferMouse(Message message, const QPoint& position);
  void OfferFocus(Message message);
  void OfferSetCursor();
  // The context menu the keyboard asks for, where the control shows its text cursor.
  void OpenContextMenuFromKeyboard();
  void ShowContextMenu(const QPoint& globalPosition);
  // A message the owner handles itself, or false when it has no handler for it.
  bool Offer(MessageArgs& args);
  // Asks the control's parent which text colour it draws with.
  static void ApplyControlColours(CWnd& control);

  CWnd& m_owner;
  QPointer<QWidget> m_widget;
  bool m_openingMenu = false;
};

}  // namespace detail
}  // namespace varnolix
