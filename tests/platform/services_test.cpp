// The application's name from its program file, and the production shell, which
// must answer for a missing file without starting anything.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/shell.h"
#include "platform/types.h"
#include "platform/win_app.h"

namespace varnolix {
namespace {

struct PathCase {
  const char* path;
  const char* name;
};

class NameFromProgramPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(NameFromProgramPathTest, IsTheFileNameWithoutItsExtension) {
  EXPECT_EQ(CWinApp::NameFromProgramPath(GetParam().path), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Paths, NameFromProgramPathTest,
                         ::testing::Values(PathCase{"/usr/bin/Varnolix", "Varnolix"},
                                           PathCase{"Varnolix", "Varnolix"},
                                           PathCase{"./build/Varnolix.exe", "Varnolix"},
                                           PathCase{"C:\\Program Files\\Varnolix.EXE", "Varnolix"},
                                           PathCase{"/opt/varnolix-1.0/bin/Varnolix", "Varnolix"},
                                           PathCase{"/tmp/tax.tool.bin", "tax.tool"},
                                           PathCase{"/home/user/.hidden", ".hidden"},
                                           PathCase{"", ""}));

// Runs with a stand-in for the desktop's opener first on the PATH, which writes down
// what it was asked to open, and with a working folder of its own.
class ProductionShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.isValid());
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("bin")));
    QFile opener(m_folder.filePath(QStringLiteral("bin/xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/../opened\"\nexit 0\n");
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_folder.filePath(QStringLiteral("bin"))) + ":" + m_path);
    m_workingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
  }
  void TearDown() override {
    QDir::setCurrent(m_workingFolder);
    qputenv("PATH", m_path);
  }
  QString Opened() const {
    QFile opened(m_folder.filePath(QStringLiteral("opened")));
    return opened.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(opened.readAll()).trimmed() : QString();
  }

  QTemporaryDir m_folder;

 private:
  QByteArray m_path;
  QString m_workingFolder;
};

TEST_F(ProductionShellTest, AMissingRelativeFileIsNotFoundAndNothingIsStarted) {
  EXPECT_EQ(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(Opened(), QString());
}

TEST_F(ProductionShellTest, AnExistingRelativeFileGoesToTheOpenerByItsFullPath) {
  QFile help(m_folder.filePath(QStringLiteral("Varnolix.hlp")));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  EXPECT_GT(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), 32);
  EXPECT_EQ(Opened(), QFileInfo(help).absoluteFilePath());
}

}  // namespace
}  // namespace varnolix
