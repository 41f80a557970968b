#include "platform/command_start.h"

#include <cerrno>

#include "platform/child_process.h"
#include "platform/command_line.h"
#include "platform/service.h"

namespace varnolix {
namespace {

unsigned FromStartError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return 2;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY:
      return 5;
    case ENOEXEC:
    case ELIBBAD:
      return 11;
    default:  // ENOMEM, EAGAIN, E2BIG, EMFILE and the rest: out of resources
      return 0;
  }
}

class DirectStarter : public CommandStarter {
 public:
  unsigned Start(std::string_view commandLine, int /*showCommand*/) override {
    const std::optional<std::vector<std::string>> arguments = SplitCommandLine(commandLine);
    if (!arguments || arguments->empty()) return 2;
    pid_t pid = 0;
    if (const int error = StartProgram(*arguments, &pid); error != 0) return FromStartError(error);
    ReapWhenDone(pid);
    return kCommandStarted;
  }
};

}  // namespace

CommandStarter& CommandStarter::Production() {
  static DirectStarter starter;
  return starter;
}

unsigned WinExec(std::string_view commandLine, int showCommand) {
  return Service<CommandStarter>().Start(commandLine, showCommand);
}

}  // namespace varnolix
