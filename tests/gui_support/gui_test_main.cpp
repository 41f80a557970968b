// The main of every GUI test program: the tests run inside one offscreen QApplication
// named as the program is, with configuration and caches kept in a temporary folder
// and a watchdog against modal windows nobody closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "platform/win_app.h"
#include "tests/gui_support/modal_windows.h"

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform says so for every fixed-size window; nothing to act on.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message == QLatin1String("This plugin does not support propagateSizeHints()")) return;
  if (standardHandler != nullptr) standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  if (!home.isValid()) return 2;
  for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
    const QString folder = home.filePath(QString::fromLatin1(variable));
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv(variable, folder.toLocal8Bit());
  }
  standardHandler = qInstallMessageHandler(QuietMessages);
  QApplication application(argc, argv);
  // The program's application object where the program is linked in, else one in its
  // place. Either is named as the program is; the tests run under other names.
  std::optional<varnolix::CWinApp> standIn;
  if (varnolix::AfxGetApp() == nullptr) standIn.emplace();
  varnolix::AfxGetApp()->m_strAppName = "Varnolix";
  QApplication::setApplicationName(QStringLiteral("Varnolix"));
  const varnolix::test::ModalWatchdog watchdog;
  return RUN_ALL_TESTS();
}
