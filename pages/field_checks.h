// What the input pages share when the user leaves them: the warning that lists the
// amounts that are empty, zero or negative.
#pragma once

#include <span>
#include <string_view>

#include "platform/wnd.h"

namespace varnolix {

struct FieldWarning {
  int id;
  std::string_view label;  // carries its own separator
};

// Shows one box naming every listed field of `page` that counts as zero or negative,
// in the list's order; true when it showed one.
bool WarnAboutZeroOrNegative(const CWnd& page, std::span<const FieldWarning> fields);

// Message boxes of the input pages: an information icon and an OK button.
void ShowInformation(std::string_view text);

}  // namespace varnolix
