#include "platform/shell.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

#include "platform/child_process.h"
#include "platform/service.h"

namespace varnolix {
namespace {

// How long the opener may take to report. Where the desktop has no opener of its own
// it waits for the viewer it starts, which may run for hours, so after this the
// opener counts as having opened the document.
constexpr std::chrono::milliseconds kOpenerWait{1000};

bool IsAddress(const QString& target) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(target).hasMatch();
}

// The opener's exit status as the result of a shell open.
std::intptr_t FromOpenerStatus(int status) {
  switch (status) {
    case 0:  // opened
      return kShellOpened;
    case 1:  // it refused its own command line
    case 4:  // it found a viewer, which then failed
      return SE_ERR_ASSOCINCOMPLETE;
    case 2:  // no such file
      return SE_ERR_FNF;
    case 3:  // nothing on this desktop opens it
    default:  // killed, or a status it does not document
      return SE_ERR_NOASSOC;
  }
}

// Why the opener itself could not start.
std::intptr_t FromStartError(int error) {
  switch (error) {
    case ENOENT:  // no opener installed: nothing opens anything
      return SE_ERR_NOASSOC;
    case EACCES:
    case EPERM:
      return SE_ERR_ACCESSDENIED;
    case ENOMEM:
    case EAGAIN:
      return SE_ERR_OOM;
    default:
      return SE_ERR_ASSOCINCOMPLETE;
  }
}

// Opens through the desktop's opener, started directly and never through a shell.
// A document is opened by its full path; an address (anything that starts with a
// scheme such as "https:") is handed over as it is.
class DesktopShell : public Shell {
 public:
  std::intptr_t Execute(const ShellRequest& request) override {
    if (request.verb != "open") return SE_ERR_NOASSOC;
    QString target = QString::fromStdString(request.file);
    if (target.isEmpty()) return SE_ERR_FNF;
    if (!IsAddress(target)) {
      const QDir base(request.directory.empty() ? QDir::currentPath() : QString::fromStdString(request.directory));
      const QFileInfo file(base, target);
      if (!file.dir().exists()) return SE_ERR_PNF;
      if (!file.exists()) return SE_ERR_FNF;
      if (!file.isReadable()) return SE_ERR_ACCESSDENIED;
      target = file.absoluteFilePath();
    }
    pid_t pid = 0;
    if (const int error = StartProgram({"xdg-open", target.toStdString()}, &pid); error != 0) {
      return FromStartError(error);
    }
    const std::optional<int> status = WaitForExit(pid, kOpenerWait);
    return status ? FromOpenerStatus(*status) : kShellOpened;
  }
};

}  // namespace

Shell& Shell::Production() {
  static DesktopShell shell;
  return shell;
}

std::intptr_t ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                           std::string_view directory, int showCommand) {
  return Service<Shell>().Execute(ShellRequest{std::string(verb), std::string(file), std::string(parameters),
                                               std::string(directory), showCommand});
}

}  // namespace varnolix
