// The browser's command line for an address, from the command the key store names.
// Pure text work, apart from the link control, so that it can be checked on its own.
#pragma once

#include <string>
#include <string_view>

namespace varnolix {

// `command` cut at its first "\"%1\"" (else its first "%1"), then a blank and the
// address, quoted when it holds blanks or quotes so that it reaches the browser as one
// argument. A command without a placeholder keeps all of its text.
std::string BrowserCommandLine(std::string command, std::string_view address);

}  // namespace varnolix
