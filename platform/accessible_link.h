// Internal to the platform layer: how screen readers meet a control that acts as a link.
#pragma once

class QWidget;

namespace varnolix::detail {

// The widget is announced as a link named by its text, whose one action presses Space.
void PresentAsLink(QWidget* widget);

}  // namespace varnolix::detail
