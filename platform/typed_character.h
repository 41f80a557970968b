// Which key presses count as typed characters, as a character filter sees them.
#pragma once

#include <optional>

#include <QKeyEvent>

namespace varnolix {

// The character a key press types: printable text, backspace (8), and Ctrl with a
// letter as its control code (Ctrl+V is 0x16). Keys that move, edit or navigate the
// dialog (arrows, Delete, Tab, Enter, Esc, function keys) type nothing.
std::optional<unsigned> TypedCharacter(const QKeyEvent& event);

}  // namespace varnolix
