#include "platform/typed_character.h"

namespace varnolix {

KeyTyping TypingOf(const QKeyEvent& event) {
  using Kind = KeyTyping::Kind;
  const int key = event.key();
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
      return {Kind::Key, {}};
    case Qt::Key_Backspace:
      return {Kind::Characters, U"\b"};
    default:
      break;
  }
  // The clipboard and editing keys work as in any field.
  for (const QKeySequence::StandardKey editing : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
                                                  QKeySequence::SelectAll, QKeySequence::Undo, QKeySequence::Redo}) {
    if (event.matches(editing)) return {Kind::Key, {}};
  }
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool alt = modifiers.testFlag(Qt::AltModifier);
  const bool control = modifiers.testFlag(Qt::ControlModifier);
  const QString text = event.text();
  // Ctrl and Alt together are how some keyboards reach their third level (AltGr):
  // whatever that types goes to the filter like any other character.
  if (control && !alt) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return {Kind::Characters, {static_cast<char32_t>(key - Qt::Key_A + 1)}};
    return {text.isEmpty() ? Kind::Key : Kind::Command, {}};
  }
  if (text.isEmpty()) return {Kind::Key, {}};
  if (alt && !control) return {Kind::Command, {}};
  return {Kind::Characters, text.toStdU32String()};
}

}  // namespace varnolix
