// Drawing contexts. A colour request hands one to the handler, which sets the text
// colour the control then draws with; a window's client context measures text in the
// font selected into it.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/types.h"

class QFont;

namespace varnolix {

class CFont;
class CWnd;

class CDC {
 public:
  CDC();
  ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  COLORREF SetTextColor(COLORREF colour) {
    const COLORREF previous = m_textColour.value_or(0);
    m_textColour = colour;
    return previous;
  }
  std::optional<COLORREF> GetTextColor() const { return m_textColour; }

  // Text is measured in `font` from now on; returns the font selected before (null for
  // the context's own). Selecting null goes back to the context's own font.
  CFont* SelectObject(CFont* font);
  // The width and height of `text` drawn as one line.
  CSize GetTextExtent(std::string_view text) const;

 protected:
  std::unique_ptr<QFont> m_ownFont;  // the window's font for a client context

 private:
  std::optional<COLORREF> m_textColour;  // unset: the control's standard colour
  CFont* m_selected = nullptr;
};

// The context of a window's client area, in the window's own font.
class CClientDC : public CDC {
 public:
  explicit CClientDC(const CWnd* window);
};

}  // namespace varnolix
