#include "platform/command_line.h"

#include <glib.h>

#include <algorithm>
#include <memory>

namespace varnolix {

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view commandLine) {
  const std::string text(commandLine);
  if (text.find('\0') != std::string::npos) return std::nullopt;
  int count = 0;
  gchar** parsed = nullptr;
  if (!g_shell_parse_argv(text.c_str(), &count, &parsed, nullptr)) return std::nullopt;
  const std::unique_ptr<gchar*, decltype(&g_strfreev)> owned(parsed, &g_strfreev);
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) arguments.emplace_back(parsed[i]);
  return arguments;
}

std::string QuoteArgument(std::string_view argument) {
  constexpr std::string_view kPlain = "%+,-./:=@_?&~";
  const bool plain = !argument.empty() && std::all_of(argument.begin(), argument.end(), [&](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           kPlain.find(c) != std::string_view::npos;
  });
  if (plain) return std::string(argument);
  std::string quoted = "'";
  for (char c : argument) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

}  // namespace varnolix
