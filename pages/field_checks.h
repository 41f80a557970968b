// What the input pages share when the user leaves them: the warning that lists the
// amounts that are empty, zero or negative.
#pragma once

#include <string_view>

#include "assessment/fields.h"
#include "platform/wnd.h"

namespace varnolix {

// Shows one box naming every field of page `which`, shown as `page`, that has a warning
// label and counts as zero or negative, in the table's order; true when it showed one.
bool WarnAboutZeroOrNegative(const CWnd& page, Page which);

// Message boxes of the input pages: an information icon and an OK button.
void ShowInformation(std::string_view text);

}  // namespace varnolix
