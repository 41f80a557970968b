// Command lines as text: split into arguments by the quoting rules of the POSIX shell,
// but never given to a shell, so nothing in them is expanded or run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnolix {

// The arguments of `commandLine`: blanks separate them, quotes and backslashes keep
// them together. Nothing when it holds no argument or a quote is left open.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view commandLine);

// `argument` as SplitCommandLine will give it back as one argument: unchanged when
// it holds only characters that need no quoting, else in single quotes.
std::string QuoteArgument(std::string_view argument);

}  // namespace varnolix
