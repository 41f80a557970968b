#include "hyperlink/hyperlink.h"

#include "hyperlink/fit_to_text.h"
#include "platform/dc.h"

namespace varnolix {

CHyperLink::~CHyperLink() { m_fontLink.DeleteObject(); }

const MessageMap& CHyperLink::GetMessageMap() const {
  static const MessageMap map{&CStatic::GetMessageMap(),
                              {
                                  OnReflectedCtlColor(&CHyperLink::CtlColor),
                                  OnSetCursorMessage(&CHyperLink::OnSetCursor),
                                  OnMouseMessage(Message::MouseMove, &CHyperLink::OnMouseMove),
                                  OnMouseMessage(Message::LButtonUp, &CHyperLink::OnLButtonUp),
                                  OnFocusMessage(Message::SetFocus, &CHyperLink::OnSetFocus),
                                  OnFocusMessage(Message::KillFocus, &CHyperLink::OnKillFocus),
                                  OnKeyDownMessage(&CHyperLink::OnKeyDown),
                                  OnMouseMessage(Message::LButtonDown, &CHyperLink::OnLButtonDown),
                              }};
  return map;
}

void CHyperLink::PreSubclassWindow() {
  if (m_strTarget.empty()) m_strTarget = GetWindowText();
  if (GetWindowText().empty()) SetWindowText(m_strTarget);

  if (std::optional<LOGFONT> font = GetFont()) {
    font->lfUnderline = (m_dwLinkStyle & HLS_UNDERLINE) != 0;
    if (m_fontLink.CreateFontIndirect(*font)) SetFont(&m_fontLink, true);
    FitToText();
  } else {
    m_dwLinkStyle &= ~HLS_FITTOTEXT;
  }
  if ((m_dwLinkStyle & HLS_PLAINCURSOR) == 0) LoadHandCursor();

  m_tipLink.Create(this);
  m_tipLink.AddTool(this, m_strTarget);
  PresentAsLink();
  CStatic::PreSubclassWindow();
}

void CHyperLink::FitToText() {
  if ((m_dwLinkStyle & HLS_FITTOTEXT) == 0) return;
  CRect window;
  GetWindowRect(&window);
  if (CWnd* parent = GetParent()) parent->ScreenToClient(&window);
  CRect client;
  GetClientRect(&client);
  const int borderWidth = window.Width() - client.Width();
  const int borderHeight = window.Height() - client.Height();

  CSize text;
  {
    CClientDC dc(this);
    CFont* previous = dc.SelectObject(&m_fontLink);
    text = dc.GetTextExtent(GetWindowText());
    dc.SelectObject(previous);
  }
  const CRect fitted = FitRectToText(window, text, GetStyle());
  MoveWindow(fitted.left, fitted.top, fitted.Width() + borderWidth, fitted.Height() + borderHeight, true);
}

void CHyperLink::LoadHandCursor() {
  if (s_hHandCursor != nullptr) return;
  s_hHandCursor = LoadPointingHandCursor();
}

// The first rule that applies: hot, focused, followed, else a plain link. A static
// fills no background of its own, so the brush only passes through.
HBRUSH CHyperLink::CtlColor(CDC* dc, unsigned /*ctlColorKind*/) {
  if (m_bPointerInside && (m_dwLinkStyle & HLS_HOTCOLOR) != 0) {
    dc->SetTextColor(s_crHot);
  } else if ((m_dwLinkStyle & HLS_NOFOCUSCOLOR) == 0 && m_bFocused) {
    dc->SetTextColor(s_crFocused);
  } else if (m_bFollowed) {
    dc->SetTextColor(s_crFollowed);
  } else {
    dc->SetTextColor(s_crLink);
  }
  return nullptr;
}

bool CHyperLink::OnSetCursor() {
  if (s_hHandCursor == nullptr) return false;
  SetCursor(s_hHandCursor);
  return true;
}

// Entering takes the capture, so the first move that leaves the link reaches it.
void CHyperLink::OnMouseMove(CPoint point) {
  if (!m_bPointerInside) {
    m_bPointerInside = true;
    Invalidate();
    SetCapture();
    return;
  }
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) {
    m_bPointerInside = false;
    ReleaseCapture();
    Invalidate();
  }
}

void CHyperLink::OnLButtonDown(CPoint /*point*/) {
  if ((m_dwLinkStyle & HLS_FOCUSONPRESS) != 0) SetFocus();
  if ((m_dwLinkStyle & HLS_OPENONPRESS) != 0) OpenTarget();
  m_bFocused = true;
}

// A release away from the link cancels the click, however the pointer went meanwhile.
void CHyperLink::OnLButtonUp(CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (m_bFocused && (m_dwLinkStyle & HLS_OPENONPRESS) == 0 && client.PtInRect(point)) OpenTarget();
}

void CHyperLink::OnSetFocus(CWnd* /*oldWindow*/) {
  m_bFocused = true;
  Invalidate();
}

void CHyperLink::OnKillFocus(CWnd* /*newWindow*/) {
  m_bPointerInside = false;
  m_bFocused = false;
  Invalidate();
}

// A plain Space opens the target, once however long it is held; with Alt, Ctrl or
// Meta it is a command for someone else.
void CHyperLink::OnKeyDown(unsigned key, unsigned /*repeatCount*/, unsigned flags) {
  if (key != VK_SPACE || (flags & (KF_ALTDOWN | KF_CONTROLDOWN | KF_METADOWN)) != 0) {
    Default();
    return;
  }
  if ((flags & KF_REPEAT) == 0) OpenTarget();
}

}  // namespace varnolix
