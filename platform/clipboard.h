// The desktop's clipboard, where any program can paste what is put on it.
#pragma once

#include <string_view>

namespace varnolix {

void SetClipboardText(std::string_view text);

}  // namespace varnolix
