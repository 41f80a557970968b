// Pointer shapes. A window asked which shape the pointer should take over it answers
// with SetCursor; the hand that links show comes from the desktop's cursor theme.
#pragma once

class QCursor;

namespace varnolix {

using HCURSOR = const QCursor*;

// Where the pointing-hand shape comes from. Tests put a source in its place that
// counts the loads or has no hand at all.
class HandCursorSource {
 public:
  virtual ~HandCursorSource() = default;
  // The desktop's pointing hand, or null when there is none. It lives until the
  // program ends.
  virtual HCURSOR Load() = 0;
  static HandCursorSource& Production();
};

// The pointing hand from the source in use; null when there is none.
HCURSOR LoadPointingHandCursor();

// Inside a SetCursor handler: the pointer takes this shape over the window asking.
// Returns the shape chosen before in the same request, if any.
HCURSOR SetCursor(HCURSOR cursor);

namespace detail {
// Used by the platform around a SetCursor request: starts a new request, and
// afterwards tells what the handler chose.
void BeginCursorRequest();
HCURSOR ChosenCursor();
}  // namespace detail

}  // namespace varnolix
