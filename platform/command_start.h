// Starting a command line: split into its arguments and started directly, never
// through a shell. The result follows the codes a caller of WinExec expects: above
// 31 when the program started, else why not.
#pragma once

#include <string_view>

namespace varnolix {

inline constexpr unsigned kCommandStarted = 33;

class CommandStarter {
 public:
  virtual ~CommandStarter() = default;
  virtual unsigned Start(std::string_view commandLine, int showCommand) = 0;
  static CommandStarter& Production();
};

// Starts `commandLine`; the program shows itself as it sees fit, so `showCommand` is
// passed on to test doubles only. Not found, or no program in the line: 2; not allowed: 5;
// not a program this system runs: 11; out of memory or processes: 0.
unsigned WinExec(std::string_view commandLine, int showCommand);

}  // namespace varnolix
