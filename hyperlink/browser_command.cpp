#include "hyperlink/browser_command.h"

#include "platform/command_line.h"

namespace varnolix {

std::string BrowserCommandLine(std::string command, std::string_view address) {
  // The address takes the place of the placeholder and of everything after it. The
  // text is UTF-8, where a byte search finds only whole characters.
  if (const size_t quoted = command.find("\"%1\""); quoted != std::string::npos) {
    command.resize(quoted);
  } else if (const size_t bare = command.find("%1"); bare != std::string::npos) {
    command.resize(bare);
  }
  command += ' ';
  command += QuoteArgument(address);
  return command;
}

}  // namespace varnolix
