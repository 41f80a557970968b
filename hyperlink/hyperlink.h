// CHyperLink: a static text of a dialog turned into a web link. It draws in link
// colours with an underlined copy of its font, shows a pointing hand and a tooltip
// with its address, fits itself to its text, and opens the address on a click or the
// space key. Tab reaches it like any control of the dialog.
//
// A dialog attaches it to its static with DDX_Control; the static's text is the address.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/cursor.h"
#include "platform/font.h"
#include "platform/key_store.h"
#include "platform/tooltip.h"
#include "platform/wnd.h"

namespace varnolix {

class CHyperLink : public CStatic {
 public:
  // The style word's bits.
  static constexpr std::uint32_t HLS_UNDERLINE = 0x01;     // the link font is underlined
  static constexpr std::uint32_t HLS_HOTCOLOR = 0x02;      // drawn in s_crHot under the pointer
  static constexpr std::uint32_t HLS_FITTOTEXT = 0x04;     // fitted to its text when attached
  static constexpr std::uint32_t HLS_OPENONPRESS = 0x08;   // opens on the press, not the release
  static constexpr std::uint32_t HLS_FOCUSONPRESS = 0x10;  // a press gives it the focus
  static constexpr std::uint32_t HLS_PLAINCURSOR = 0x20;   // loads no hand pointer
  static constexpr std::uint32_t HLS_NOFOCUSCOLOR = 0x40;  // never drawn in the focus colour

  // The colours of every link.
  static constexpr COLORREF s_crLink = RGB(0, 0, 255);        // not yet followed
  static constexpr COLORREF s_crFocused = RGB(0, 128, 128);   // with the focus
  static constexpr COLORREF s_crFollowed = RGB(128, 0, 128);  // followed
  static constexpr COLORREF s_crHot = RGB(255, 0, 0);         // under the pointer, with HLS_HOTCOLOR

  CHyperLink() = default;
  ~CHyperLink() override;
  const MessageMap& GetMessageMap() const override;

  // Copies the default value of root\subKey into `out`; returns 0, or the store's error
  // and leaves `out` alone. `subKey` may view `out`.
  static long ReadKeyDefault(HKEY root, std::string_view subKey, std::string& out);
  // Opens `address` through the desktop, or else with the command line of the program
  // the key store names for its scheme, or for web pages; returns above 32 when it
  // opened, else the code that says why not.
  static int OpenAddress(std::string_view address, int showCommand);
  // Tells the person, in an exclamation box, why `code` kept the address from opening.
  static void ReportOpenFailure(int code);

 protected:
  void PreSubclassWindow() override;
  void FitToText();
  static void LoadHandCursor();
  // Opens the target; marks the link followed, or beeps and says why it could not.
  void OpenTarget();

  HBRUSH CtlColor(CDC* dc, unsigned ctlColorKind);
  bool OnSetCursor();
  void OnMouseMove(CPoint point);
  void OnLButtonDown(CPoint point);
  void OnLButtonUp(CPoint point);
  void OnSetFocus(CWnd* oldWindow);
  void OnKillFocus(CWnd* newWindow);
  void OnKeyDown(unsigned key, unsigned repeatCount, unsigned flags);

  bool m_bFocused = false;        // has the focus, or was pressed; the release may open
  bool m_bPointerInside = false;  // the pointer is over it (it holds the capture)
  bool m_bFollowed = false;       // its target was opened; never cleared
  std::uint32_t m_dwLinkStyle = HLS_UNDERLINE | HLS_FITTOTEXT | HLS_FOCUSONPRESS;
  std::string m_strTarget;
  CFont m_fontLink;
  CToolTipCtrl m_tipLink;

  // Loaded by the first link that wants it, then shared by all until the program ends.
  static inline HCURSOR s_hHandCursor = nullptr;
};

}  // namespace varnolix
