// Message tables: each class lists the messages it handles, from which control, and
// with which member function; a class's table chains to its base class's table.
//
//   const MessageMap& CMyPage::GetMessageMap() const {
//     static const MessageMap map{&CPropertyPage::GetMessageMap(), {
//         OnButtonClicked(kReset, &CMyPage::OnReset),
//         OnEditChange(kBasic, &CMyPage::OnChangeBasic),
//     }};
//     return map;
//   }
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace varnolix {

class CCmdTarget;
class CDC;
class CWnd;

// The brush a colour request returns. Controls here always fill with their standard
// background, so nothing uses it; handlers return null.
using HBRUSH = const struct BrushTag*;

enum class Message {
  Command,           // a button was clicked, or a command was issued (id: the control or command)
  EditChange,        // the text of an edit control changed (id: the control)
  CtlColor,          // a child control asks its parent for its text colour
  ReflectedCtlColor, // the parent left that question to the control itself
  Char,              // a typed character reaches the control it was typed into
  KeyDown,           // a key goes down in the control with the focus, before any character
  MouseMove,         // the pointer moved over the control (or left it, while it holds the capture)
  LButtonDown,       // the left button went down over the control
  LButtonUp,         // the left button came up over the control
  SetFocus,          // the control got the keyboard focus
  KillFocus,         // the control lost the keyboard focus
  SetCursor,         // the pointer is over the control: which shape should it take?
  Paste,             // text is about to be pasted into the edit control, however it came
};

struct MessageArgs {
  Message message;
  int id = 0;
  CDC* dc = nullptr;              // CtlColor, ReflectedCtlColor
  CWnd* control = nullptr;        // CtlColor: the control asking; SetFocus, KillFocus: the other window
  unsigned ctlColorKind = 0;      // CtlColor, ReflectedCtlColor: CTLCOLOR_EDIT or CTLCOLOR_STATIC
  unsigned character = 0;         // Char: the character; KeyDown: the virtual key
  unsigned repeatCount = 1;       // Char, KeyDown
  unsigned keyFlags = 0;          // Char, KeyDown: KF_REPEAT, KF_ALTDOWN, KF_CONTROLDOWN, KF_METADOWN
  CPoint point{};                 // mouse messages, in the control's client coordinates
  bool handled = false;           // SetCursor: the handler chose the shape
  std::string* text = nullptr;    // Paste: the text to be inserted, which the handler may change
};

// Matches a message from any control.
inline constexpr int kAnyControl = -0x7FFF;

struct MessageEntry {
  Message message;
  int id;
  std::function<void(CCmdTarget&, MessageArgs&)> handler;
};

struct MessageMap {
  const MessageMap* base;
  std::vector<MessageEntry> entries;
};

template <class T>
MessageEntry OnButtonClicked(int id, void (T::*handler)()) {
  return {Message::Command, id, [handler](CCmdTarget& target, MessageArgs&) {
            (static_cast<T&>(target).*handler)();
          }};
}

// A command issued by a button or a key; the same entry as a click.
template <class T>
MessageEntry OnCommand(int id, void (T::*handler)()) {
  return OnButtonClicked(id, handler);
}

template <class T>
MessageEntry OnEditChange(int id, void (T::*handler)()) {
  return {Message::EditChange, id, [handler](CCmdTarget& target, MessageArgs&) {
            (static_cast<T&>(target).*handler)();
          }};
}

template <class T>
MessageEntry OnCtlColorRequest(HBRUSH (T::*handler)(CDC*, CWnd*, unsigned)) {
  return {Message::CtlColor, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            (static_cast<T&>(target).*handler)(args.dc, args.control, args.ctlColorKind);
          }};
}

// The control answers its own colour request, when its parent leaves it to the control.
template <class T>
MessageEntry OnReflectedCtlColor(HBRUSH (T::*handler)(CDC*, unsigned)) {
  return {Message::ReflectedCtlColor, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            (static_cast<T&>(target).*handler)(args.dc, args.ctlColorKind);
          }};
}

// Handlers of a control's own key, focus and pointer messages.
template <class T>
MessageEntry OnKeyDownMessage(void (T::*handler)(unsigned, unsigned, unsigned)) {
  return {Message::KeyDown, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            (static_cast<T&>(target).*handler)(args.character, args.repeatCount, args.keyFlags);
          }};
}

template <class T>
MessageEntry OnMouseMessage(Message message, void (T::*handler)(CPoint)) {
  return {message, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            (static_cast<T&>(target).*handler)(args.point);
          }};
}

template <class T>
MessageEntry OnFocusMessage(Message message, void (T::*handler)(CWnd*)) {
  return {message, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            (static_cast<T&>(target).*handler)(args.control);
          }};
}

template <class T>
MessageEntry OnSetCursorMessage(bool (T::*handler)()) {
  return {Message::SetCursor, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            args.handled = (static_cast<T&>(target).*handler)();
          }};
}

// Whatever way text is pasted into the control (keys, menu, middle click, a drop), the
// handler sees it first and may change it.
template <class T>
MessageEntry OnPasteMessage(void (T::*handler)(std::string&)) {
  return {Message::Paste, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            (static_cast<T&>(target).*handler)(*args.text);
          }};
}

template <class T>
MessageEntry OnCharMessage(void (T::*handler)(unsigned, unsigned, unsigned)) {
  return {Message::Char, kAnyControl, [handler](CCmdTarget& target, MessageArgs& args) {
            (static_cast<T&>(target).*handler)(args.character, args.repeatCount, args.keyFlags);
          }};
}

// Anything that can take messages: windows and the application.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  virtual const MessageMap& GetMessageMap() const;

  // Runs the first matching entry of this class's table or its bases'; false if none.
  bool Dispatch(MessageArgs& args);
  bool HasHandler(Message message, int id) const;
};

}  // namespace varnolix
