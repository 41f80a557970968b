// The drawing context a colour request hands to the handler: the handler sets the
// text colour that the control then draws with.
#pragma once

#include <optional>

#include "platform/types.h"

namespace varnolix {

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

class CDC {
 public:
  COLORREF SetTextColor(COLORREF colour) {
    const COLORREF previous = m_textColour.value_or(0);
    m_textColour = colour;
    return previous;
  }
  std::optional<COLORREF> GetTextColor() const { return m_textColour; }

  int SetBkMode(int mode) {
    const int previous = m_backgroundMode;
    m_backgroundMode = mode;
    return previous;
  }
  int GetBkMode() const { return m_backgroundMode; }

 private:
  std::optional<COLORREF> m_textColour;  // unset: the control's standard colour
  int m_backgroundMode = OPAQUE;
};

}  // namespace varnolix
