#include "platform/typed_character.h"

namespace varnolix {

std::optional<unsigned> TypedCharacter(const QKeyEvent& event) {
  const int key = event.key();
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
      return std::nullopt;  // the dialog's keys, and editing keys without a character
    case Qt::Key_Backspace:
      return 0x08u;
    default:
      break;
  }
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool control = modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier);
  if (control) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<unsigned>(key - Qt::Key_A + 1);
    return std::nullopt;
  }
  if (modifiers.testFlag(Qt::AltModifier)) return std::nullopt;  // mnemonics
  const QString text = event.text();
  if (text.isEmpty()) return std::nullopt;
  const char32_t character = text.toUcs4().value(0);
  if (character == 0x7F) return std::nullopt;
  return static_cast<unsigned>(character);
}

}  // namespace varnolix
