// What a key press puts into a field, as a character filter sees it.
#pragma once

#include <QKeyEvent>
#include <string>

namespace varnolix {

struct KeyTyping {
  enum class Kind {
    Key,         // a key the control handles as a key: it moves, deletes or leaves, typing nothing
    Characters,  // it types `characters`, each of which the filter sees
    Command,     // a command nobody took (Alt with a letter, say): it must type nothing
  };
  Kind kind = Kind::Key;
  std::u32string characters;
};

// Printable text types its characters, all of them, however the key produced them
// (keypad, AltGr, a dead key or a compose sequence). Backspace types 8 and Ctrl with a
// letter types its control code (Ctrl+K is 0x0B). Alt with a key that has text is a
// command, and so is Ctrl with any other key that has text. Tab, Enter, Esc and Delete,
// the clipboard and editing keys (copy, cut, paste, select all, undo, redo), and keys
// without text (arrows, Home, function keys), are keys.
KeyTyping TypingOf(const QKeyEvent& event);

}  // namespace varnolix
