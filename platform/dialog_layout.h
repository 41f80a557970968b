// Where the controls of a dialog template go, in pixels, for a given font.
//
// Positions are dialog units of the font. Where the font makes a text larger than the
// template allows, the layout makes room rather than cut the text off: a one-line
// label grows away from the side it is aligned to (and the whole dialog moves right
// or widens if it reaches an edge); a wrapped label that needs more lines grows
// downward, pushing what lies below it down and growing what encloses it.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <vector>

#include "resources/dialog_template.h"

namespace varnolix {

struct DialogLayout {
  QSize size;
  std::vector<QRect> controls;   // in template order
  std::vector<bool> wrapsText;   // per control: a label that wraps its text
};

DialogLayout LayOutDialog(const DialogTemplate& dialogTemplate, const QFont& font);

// How a label of the template shows its text; the layout measures with the same.
Qt::Alignment LabelAlignment(unsigned controlStyle);
bool LabelHasFrame(unsigned controlStyle);

}  // namespace varnolix
