#include "platform/desktop_entry.h"

#include "platform/command_line.h"

namespace varnolix {
namespace {

// Text put inside double quotes, where these four keep their meaning only when escaped.
std::string EscapedForDoubleQuotes(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

std::string CommandFromExecLine(std::string_view exec, const DesktopEntryFacts& entry) {
  std::string command;
  bool quoted = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == '\\' && i + 1 < exec.size()) {  // an escaped character is never a code or a quote
      command += c;
      command += exec[++i];
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (c != '%') {
      command += c;
      continue;
    }
    if (++i == exec.size()) break;  // a lone percent sign at the end says nothing
    // Inside quotes a value is escaped for them; outside, it is one argument of its own.
    const auto value = [quoted](std::string_view text) {
      return quoted ? EscapedForDoubleQuotes(text) : QuoteArgument(text);
    };
    switch (exec[i]) {
      case 'u':
      case 'U':
      case 'f':
      case 'F':
        command += "%1";
        break;
      case '%':
        command += '%';
        break;
      case 'i':
        if (!entry.icon.empty() && !quoted) command += "--icon " + value(entry.icon);
        break;
      case 'c':
        command += value(entry.name);
        break;
      case 'k':
        command += value(entry.location);
        break;
      default:  // %d %D %n %N %v %m are deprecated, anything else unknown
        break;
    }
  }
  return command;
}

}  // namespace varnolix
