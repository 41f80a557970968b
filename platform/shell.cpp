#include "platform/shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include "platform/service.h"

namespace varnolix {
namespace {

// How long to wait for the opener to report; a browser it starts may run on.
constexpr int kOpenerWaitMs = 5000;

bool IsAddress(const QString& target) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(target).hasMatch();
}

// xdg-open's exit statuses: 0 opened, 2 no such file, 3 no opener tool, others failed.
std::intptr_t FromOpenerStatus(int status) {
  switch (status) {
    case 0:
      return kShellOpened;
    case 2:
      return SE_ERR_FNF;
    default:
      return SE_ERR_NOASSOC;
  }
}

// Opens through the desktop's opener, started directly and never through a shell.
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
    auto* opener = new QProcess(QCoreApplication::instance());
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    opener->start(QStringLiteral("xdg-open"), {target});
    if (!opener->waitForStarted()) {
      delete opener;
      return SE_ERR_NOASSOC;
    }
    if (!opener->waitForFinished(kOpenerWaitMs)) return kShellOpened;  // still starting the viewer
    return opener->exitStatus() == QProcess::NormalExit ? FromOpenerStatus(opener->exitCode()) : SE_ERR_NOASSOC;
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
