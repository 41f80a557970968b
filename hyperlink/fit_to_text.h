// Where a link goes when it is fitted to its text.
#pragma once

#include "platform/types.h"

namespace varnolix {

// `window` shrunk or grown to a text of `text` size. A control centred vertically (or
// horizontally) stays centred: each side moves by half the difference, the half
// truncated toward zero. Otherwise a right-aligned control keeps its right edge, and
// the rest keep their top-left corner. `style` holds the control's style bits.
CRect FitRectToText(CRect window, CSize text, unsigned style);

}  // namespace varnolix
