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

// A '%' of a value that a '1' could follow gets an empty pair of `quote` after it: the
// shell joins the pieces again, yet the text never holds the placeholder "%1" that the
// address is put in place of.
std::string KeptFromPlaceholder(std::string_view text, char quote) {
  std::string kept;
  for (size_t i = 0; i < text.size(); ++i) {
    kept += text[i];
    if (text[i] == '%' && (i + 1 == text.size() || text[i + 1] == '1')) kept.append(2, quote);
  }
  return kept;
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
    const char quote = quoted ? '"' : '\'';
    const auto value = [quoted, quote](std::string_view text) {
      return KeptFromPlaceholder(quoted ? EscapedForDoubleQuotes(text) : QuoteArgument(text), quote);
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
        if (i + 1 < exec.size() && exec[i + 1] == '1') command.append(2, quote);  // as in a value
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
