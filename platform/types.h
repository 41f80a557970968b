// The small vocabulary the program's windows share: colours, points and rectangles,
// standard control identifiers, keys, and the codes of message boxes and show commands.
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

struct CPoint {
  int x = 0;
  int y = 0;
};

struct CSize {
  int cx = 0;
  int cy = 0;
};

// Right and bottom lie just outside the rectangle.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool PtInRect(CPoint point) const { return point.x >= left && point.x < right && point.y >= top && point.y < bottom; }
  // Moves the left and right sides out by dx, the top and bottom by dy (in when negative).
  void InflateRect(int dx, int dy) {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
  }
  bool operator==(const CRect&) const = default;
};

// Identifiers of the standard buttons of dialogs and property sheets.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDSAVE = 12;
inline constexpr int IDDISCARD = 13;
inline constexpr int IDHELP = 9;
inline constexpr int ID_APPLY_NOW = 12321;
// The help command that the Help button and F1 issue.
inline constexpr int ID_HELP = 57670;

// Message box types and answers. Save, Discard and Cancel are our own buttons, for the
// question asked before unsaved entries are lost.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_SAVEDISCARDCANCEL = 0x07;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

// Keys, and the flags of a key message: the key was already down, and which of the
// modifier keys that make a key a command were held (the last two are our own).
inline constexpr unsigned VK_SPACE = 0x20;
inline constexpr unsigned KF_REPEAT = 0x4000;
inline constexpr unsigned KF_ALTDOWN = 0x2000;
inline constexpr unsigned KF_CONTROLDOWN = 0x0200;
inline constexpr unsigned KF_METADOWN = 0x0400;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

// Kinds of control in a colour request.
inline constexpr unsigned CTLCOLOR_EDIT = 1;
inline constexpr unsigned CTLCOLOR_STATIC = 6;

// Help commands.
inline constexpr unsigned HELP_CONTEXT = 0x0001;
// A page's help context is this base plus its dialog template's identifier.
inline constexpr std::uint32_t HID_BASE_RESOURCE = 0x00020000;

}  // namespace varnolix
