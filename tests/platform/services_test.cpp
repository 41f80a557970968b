// The desktop's services as the platform offers them: the application's name, and the
// opener started for real (a stand-in on PATH). Desktop entries and command lines are
// checked through the key store and fuzzed.
#include <gtest/gtest.h>

#include <string>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/shell.h"
#include "platform/types.h"
#include "platform/win_app.h"

namespace varnolix {
namespace {

TEST(CWinApp, IsNamedAfterItsProgramFileWithoutTheExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/varnolix-1.0/bin/Varnolix", "Varnolix"}, {"/tmp/tax.tool.bin", "tax.tool"}, {"/home/user/.hidden", ".hidden"}};
  for (const auto& [path, name] : cases) EXPECT_EQ(CWinApp::NameFromProgramPath(path), name) << path;
}

// A stand-in for the desktop's opener, first on PATH, in a working folder of its own;
// both are put back however the test ends.
class StandInOpener : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.isValid() && QDir(m_folder.path()).mkdir(QStringLiteral("bin")));
    qputenv("PATH", QFile::encodeName(m_folder.filePath(QStringLiteral("bin"))) + ":" + m_path);
    ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
  }
  void TearDown() override {
    QDir::setCurrent(m_workingFolder);
    qputenv("PATH", m_path);
  }

  // The opener writes down what it was asked to open, then runs `then`.
  void Opener(const QByteArray& then) {
    QFile opener(m_folder.filePath(QStringLiteral("bin/xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly | QIODevice::Truncate));
    opener.write("#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/../opened\"\n" + then + "\n");
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  QString Opened() const {
    QFile file(m_folder.filePath(QStringLiteral("opened")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed() : QString();
  }
  QString Path(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }

 private:
  QTemporaryDir m_folder;
  const QByteArray m_path = qgetenv("PATH");
  const QString m_workingFolder = QDir::currentPath();
};

// A relative file is opened by its full path, and only where it exists; the opener's
// exit status becomes the shell's code.
TEST_F(StandInOpener, OpensAnExistingRelativeFileByItsFullPathAndTellsHowItWent) {
  Opener("exit 0");
  EXPECT_EQ(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(Opened(), QString());
  QFile help(Path("Varnolix.hlp"));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  EXPECT_GT(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), 32);
  EXPECT_EQ(Opened(), QFileInfo(help).absoluteFilePath());
  const std::pair<const char*, std::intptr_t> cases[] = {
      {"exit 2", SE_ERR_FNF}, {"exit 3", SE_ERR_NOASSOC}, {"kill -9 $$", SE_ERR_NOASSOC}};
  for (const auto& [then, code] : cases) {
    Opener(then);
    EXPECT_EQ(ShellExecute("open", "https://varnolix.example/", "", "", SW_SHOW), code) << then;
  }
}

// An opener that waits for its viewer to end is left to it after a second, and the
// window goes on painting while it waits.
TEST_F(StandInOpener, AnOpenerThatNeverEndsCountsAsOpenedWithinASecond) {
  Opener("exec sleep 10");
  QLabel window(QStringLiteral("waiting"));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  int paints = 0;
  struct PaintCounter : QObject {
    int& count;
    explicit PaintCounter(int& counter) : count(counter) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++count;
      return false;
    }
  } counter(paints);
  window.installEventFilter(&counter);
  QTimer::singleShot(200, &window, [&window] { window.setText(QStringLiteral("still waiting")); });

  QElapsedTimer elapsed;
  elapsed.start();
  EXPECT_EQ(ShellExecute("open", "https://varnolix.example/", "", "", SW_SHOW), kShellOpened);
  EXPECT_LT(elapsed.elapsed(), 5000);  // a second, with room for a busy machine
  EXPECT_GT(paints, 0) << "the window was not painted while the opener ran";
  EXPECT_EQ(Opened(), QStringLiteral("https://varnolix.example/"));
}

}  // namespace
}  // namespace varnolix
