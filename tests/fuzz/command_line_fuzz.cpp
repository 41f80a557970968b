// The link's way to the browser: the command the key store names, cut at its
// placeholder with the address put in its place, then split by the shell's quoting rules.
//
// The input is parts separated by NUL bytes: the key store's command, the address, then
// any further texts. Every part must come back as one argument when quoted, all of them
// together in order, and the address must reach the browser as exactly one argument
// wherever the command's own text leaves room for one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hyperlink/browser_command.h"
#include "platform/command_line.h"
#include "platform/desktop_entry.h"
#include "tests/fuzz/property.h"

namespace varnolix::fuzz {
namespace {

using Arguments = std::optional<std::vector<std::string>>;

std::vector<std::string> Parts(std::string_view data) {
  std::vector<std::string> parts;
  for (size_t begin = 0;;) {
    const size_t end = data.find('\0', begin);
    parts.emplace_back(data.substr(begin, end - begin));
    if (end == std::string_view::npos) return parts;
    begin = end + 1;
  }
}

void CheckQuoting(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) {
    const std::string quoted = QuoteArgument(part);
    Require(SplitCommandLine(quoted) == Arguments{{part}}, "a quoted argument splits back to itself");
    if (!joined.empty()) joined += ' ';
    joined += quoted;
  }
  Require(SplitCommandLine(joined) == Arguments{parts}, "quoted arguments joined by blanks split back in order");
}

// What the browser is started with, for `command` and `address`.
Arguments Started(const std::string& command, std::string_view address) {
  return SplitCommandLine(BrowserCommandLine(command, address));
}

void CheckBrowserCommand(const std::string& command, const std::string& address) {
  const Arguments started = Started(command, address);
  Require(started == Started(command, address), "the same command line splits the same way twice");
  // Where a plain word put for the address would be an argument of its own, the address
  // must be just that argument, and the command's own arguments stay as they are.
  Arguments probe = Started(command, "x");
  if (!probe || probe->empty() || probe->back() != "x") return;
  probe->back() = address;
  Require(started == probe, "the address reaches the browser as one argument, the command's own unchanged");
}

// An Exec line's field codes give values that split back as they were, quoted or not,
// and neither they nor a literal percent sign form the placeholder "%1".
void CheckExecLine(const std::string& name, const std::string& location, const std::string& address) {
  const std::string command =
      CommandFromExecLine("browser %c \"--name=%c\" %k --x=%c1 \"%c1\" 100%%1 %u --tail", {"icon", name, location});
  const Arguments started = Started(command, address);
  Require(started == Arguments{{"browser", name, "--name=" + name, location, "--x=" + name + "1", name + "1", "100%1",
                                address}},
          "an Exec line's values and the address reach the browser as they were");
}

}  // namespace
}  // namespace varnolix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnolix::fuzz;
  const std::vector<std::string> parts = Parts({reinterpret_cast<const char*>(data), size});
  CheckQuoting(parts);
  const std::string& command = parts[0];
  const std::string& address = parts.size() > 1 ? parts[1] : parts[0];
  CheckBrowserCommand(command, address);
  CheckExecLine(parts.size() > 2 ? parts[2] : "", parts.size() > 3 ? parts[3] : "", address);
  return 0;
}
