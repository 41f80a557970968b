// The small vocabulary the program's windows share: colours, standard control
// identifiers and the codes of message boxes and show commands.
#pragma once

#include <cstdint>

namespace varnolix {

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int red, int green, int blue) {
  return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF colour) { return static_cast<int>(colour & 0xFF); }
constexpr int GetGValue(COLORREF colour) { return static_cast<int>((colour >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF colour) { return static_cast<int>((colour >> 16) & 0xFF); }

// Identifiers of the standard buttons of dialogs and property sheets.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDHELP = 9;
inline constexpr int ID_APPLY_NOW = 12321;
// The help command that the Help button and F1 issue.
inline constexpr int ID_HELP = 57670;

// Message box types and answers.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

// Kinds of control in a colour request.
inline constexpr unsigned CTLCOLOR_EDIT = 1;
inline constexpr unsigned CTLCOLOR_BTN = 3;
inline constexpr unsigned CTLCOLOR_STATIC = 6;

// Help commands.
inline constexpr unsigned HELP_CONTEXT = 0x0001;
// A page's help context is this base plus its dialog template's identifier.
inline constexpr std::uint32_t HID_BASE_RESOURCE = 0x00020000;

}  // namespace varnolix
