// The application's name from its program file, and the production shell, which must
// answer for a missing file without starting anything.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/shell.h"
#include "platform/types.h"
#include "platform/win_app.h"

namespace varnolix {
namespace {

TEST(CWinApp, IsNamedAfterItsProgramFileWithoutTheExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/Varnolix", "Varnolix"}, {"Varnolix", "Varnolix"}, {"./build/Varnolix.exe", "Varnolix"},
      {"C:\\Program Files\\Varnolix.EXE", "Varnolix"}, {"/opt/varnolix-1.0/bin/Varnolix", "Varnolix"},
      {"/tmp/tax.tool.bin", "tax.tool"}, {"/home/user/.hidden", ".hidden"}, {"", ""}};
  for (const auto& [path, name] : cases) EXPECT_EQ(CWinApp::NameFromProgramPath(path), name) << path;
}

// With a stand-in for the desktop's opener first on the PATH, which writes down what it
// was asked to open, and a working folder of its own.
TEST(ProductionShell, OpensAnExistingRelativeFileByItsFullPathAndNothingElse) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid() && QDir(folder.path()).mkdir(QStringLiteral("bin")));
  QFile opener(folder.filePath(QStringLiteral("bin/xdg-open")));
  ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
  opener.write("#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/../opened\"\n");
  opener.close();
  opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  const QString workingFolder = QDir::currentPath();
  qputenv("PATH", QFile::encodeName(folder.filePath(QStringLiteral("bin"))) + ":" + path);
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  auto opened = [&folder] {
    QFile file(folder.filePath(QStringLiteral("opened")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed() : QString();
  };

  EXPECT_EQ(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(opened(), QString());
  QFile help(folder.filePath(QStringLiteral("Varnolix.hlp")));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  EXPECT_GT(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), 32);
  EXPECT_EQ(opened(), QFileInfo(help).absoluteFilePath());

  QDir::setCurrent(workingFolder);
  qputenv("PATH", path);
}

}  // namespace
}  // namespace varnolix
