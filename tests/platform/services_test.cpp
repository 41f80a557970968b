// The desktop's services as the platform offers them: the application's name, the
// opener started for real (a stand-in on PATH), the browser's command line made from a
// desktop entry, and command lines split and quoted without a shell.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/command_line.h"
#include "platform/desktop_entry.h"
#include "platform/shell.h"
#include "platform/types.h"
#include "platform/win_app.h"

namespace varnolix {
namespace {

TEST(CWinApp, IsNamedAfterItsProgramFileWithoutTheExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/Varnolix", "Varnolix"}, {"Varnolix", "Varnolix"}, {"./build/Varnolix.bin", "Varnolix"},
      {"/opt/varnolix-1.0/bin/Varnolix", "Varnolix"}, {"/tmp/tax.tool.bin", "tax.tool"},
      {"/home/user/.hidden", ".hidden"}, {"", ""}};
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

TEST_F(StandInOpener, OpensAnExistingRelativeFileByItsFullPathAndNothingElse) {
  Opener("exit 0");
  EXPECT_EQ(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(Opened(), QString());
  QFile help(Path("Varnolix.hlp"));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  EXPECT_GT(ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW), 32);
  EXPECT_EQ(Opened(), QFileInfo(help).absoluteFilePath());
}

TEST_F(StandInOpener, TheOpenersExitStatusBecomesTheShellsCode) {
  const std::pair<const char*, std::intptr_t> cases[] = {
      {"exit 0", kShellOpened},          {"exit 1", SE_ERR_ASSOCINCOMPLETE}, {"exit 2", SE_ERR_FNF},
      {"exit 3", SE_ERR_NOASSOC},        {"exit 4", SE_ERR_ASSOCINCOMPLETE}, {"exit 9", SE_ERR_NOASSOC},
      {"kill -9 $$", SE_ERR_NOASSOC},
  };
  for (const auto& [then, code] : cases) {
    Opener(then);
    EXPECT_EQ(ShellExecute("open", "https://varnolix.example/", "", "", SW_SHOW), code) << then;
  }
  EXPECT_EQ(Opened().split(u'\n').size(), static_cast<qsizetype>(std::size(cases)));
}

TEST_F(StandInOpener, WithoutAnOpenerNothingOpensAnything) {
  qputenv("PATH", QFile::encodeName(Path("bin")));
  EXPECT_EQ(ShellExecute("open", "https://varnolix.example/", "", "", SW_SHOW), SE_ERR_NOASSOC);
}

// An opener that waits for its viewer to end is left to it after a second, and the
// window goes on painting while it waits.
TEST_F(StandInOpener, AnOpenerThatNeverEndsCountsAsOpenedWithinASecond) {
  Opener("exec sleep 10 >/dev/null 2>&1");  // let go of the test's output, which ctest waits on
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

TEST(DesktopEntry, TheExecLineTakesTheAddressAtPercentOne) {
  const DesktopEntryFacts facts{"web-browser", "Web Browser", "/usr/share/applications/web-browser.desktop"};
  const std::pair<const char*, const char*> cases[] = {
      {"web-browser %u", "web-browser %1"},
      {"web-browser %U", "web-browser %1"},
      {"web-browser --new-window \"%f\"", "web-browser --new-window \"%1\""},
      {"web-browser %F --private", "web-browser %1 --private"},
      {"web-browser", "web-browser"},
      {"web-browser %i %u", "web-browser --icon web-browser %1"},
      {"web-browser --class=%c %k %u", "web-browser --class='Web Browser' /usr/share/applications/web-browser.desktop %1"},
      {"web-browser \"--title=%c\" %u", "web-browser \"--title=Web Browser\" %1"},
      {"web-browser %d %D %n %N %v %m %x %u", "web-browser        %1"},
      {"web-browser 100%% %u", "web-browser 100% %1"},
      {"web-browser \"a \\\"%u\\\" b\"", "web-browser \"a \\\"%1\\\" b\""},
      {"web-browser %", "web-browser "},
  };
  for (const auto& [exec, command] : cases) EXPECT_EQ(CommandFromExecLine(exec, facts), command) << exec;
  EXPECT_EQ(CommandFromExecLine("web-browser %i %u", {}), "web-browser  %1");  // no icon, no argument
}

// The first "%1" of the command is where the address goes: a value or a literal percent
// sign must never form one, yet split back as it was.
TEST(DesktopEntry, NeitherAValueNorAPercentSignFormsThePlaceholder) {
  const DesktopEntryFacts facts{"icon%1", "Web %1 Browser %", "/apps/%1/b.desktop"};
  const struct {
    const char* exec;
    std::vector<std::string> arguments;
  } cases[] = {
      {"web-browser --class=%c %u", {"web-browser", "--class=Web %1 Browser %", "%1"}},
      {"web-browser \"--title=%c\" %u", {"web-browser", "--title=Web %1 Browser %", "%1"}},
      {"web-browser %k %c1 \"%c1\" %u", {"web-browser", "/apps/%1/b.desktop", "Web %1 Browser %1", "Web %1 Browser %1", "%1"}},
      {"web-browser 100%%1 \"100%%1\" %u", {"web-browser", "100%1", "100%1", "%1"}},
      {"web-browser %i %u", {"web-browser", "--icon", "icon%1", "%1"}},
  };
  for (const auto& c : cases) {
    const std::string command = CommandFromExecLine(c.exec, facts);
    EXPECT_EQ(command.find("%1"), command.size() - 2) << command;
    EXPECT_EQ(SplitCommandLine(command), std::optional<std::vector<std::string>>{c.arguments}) << command;
  }
}

TEST(CommandLine, AQuotedArgumentComesBackWholeAndUnchanged) {
  const char* arguments[] = {
      "https://varnolix.example/",  "https://varnolix.example/a b", "it's", "\"quoted\"", "back\\slash",
      "$(touch x)",                 "`touch x`",                    "a;b|c&d>e", "#not a comment", "~",
      "\xE2\x82\xB9 1,00,000",     " leading and trailing ",       "tab\there", "line\nbreak",
  };
  for (const char* argument : arguments) {
    const std::string quoted = QuoteArgument(argument);
    EXPECT_EQ(SplitCommandLine("program " + quoted + " last"),
              (std::optional<std::vector<std::string>>{{"program", argument, "last"}}))
        << quoted;
  }
  EXPECT_EQ(QuoteArgument("https://varnolix.example/tax?year=2026&part=1"),
            "https://varnolix.example/tax?year=2026&part=1");
  EXPECT_EQ(SplitCommandLine(""), std::nullopt);
  EXPECT_EQ(SplitCommandLine("program 'open"), std::nullopt);
}

}  // namespace
}  // namespace varnolix
