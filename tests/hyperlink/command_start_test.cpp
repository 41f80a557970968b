// The browser's command line started for real: split into arguments by quoting rules
// and started directly, so an address reaches the program whole and nothing in it runs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "hyperlink/hyperlink.h"
#include "tests/gui_support/recorders.h"

namespace varnolix::test {
namespace {

QStringList LinesOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

TEST(StartingTheBrowser, TheAddressArrivesAsOneArgumentAndNoShellRuns) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString received = folder.filePath(QStringLiteral("received"));
  const QString planted = folder.filePath(QStringLiteral("planted"));
  const std::string address = "https://varnolix.example/a b;c$(touch " + planted.toStdString() + ")`touch " +
                              planted.toStdString() + "`'\"&|>x";

  // Only the opener and the key store are stand-ins; the command line is started for real.
  RecordingShell shell;
  shell.answer = SE_ERR_NOASSOC;
  RecordingKeyStore keys;
  keys.keys = {{".htm", "recorder.desktop"},
               {"recorder.desktop\\shell\\open\\command",
                "\"" VARNOLIX_RECORD_ARGUMENTS "\" '" + received.toStdString() + "' --new-window \"%1\""}};
  const ScopedService<Shell> shellInPlace(shell);
  const ScopedService<KeyStore> keysInPlace(keys);

  EXPECT_GT(CHyperLink::OpenAddress(address, SW_SHOW), 32);
  ASSERT_TRUE(QTest::qWaitFor([&] { return LinesOf(received).size() == 2; }, 10000));
  EXPECT_EQ(LinesOf(received), (QStringList{QStringLiteral("--new-window"), QString::fromStdString(address)}));
  EXPECT_FALSE(QFile::exists(planted)) << "something in the address was run";
}

// What keeps a command line from starting, in the codes the link explains.
TEST(StartingTheBrowser, AFailureToStartIsToldByItsCode) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const auto write = [&folder](const char* name, const QByteArray& content, QFileDevice::Permissions permissions) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    file.setPermissions(permissions);
    return file.fileName().toStdString();
  };
  const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
  const std::string notAllowed = write("not-allowed", "#!/bin/sh\n", owner);
  const std::string notAProgram = write("not-a-program", "plain words, no program", owner | QFileDevice::ExeOwner);
  const struct {
    std::string commandLine;
    unsigned code;
  } cases[] = {
      {folder.filePath(QStringLiteral("missing")).toStdString() + " x", 2},
      {"varnolix-no-such-program-anywhere x", 2},
      {"", 2},
      {"'open quote", 2},
      {notAllowed + " x", 5},
      {notAProgram + " x", 11},
  };
  for (const auto& c : cases) EXPECT_EQ(WinExec(c.commandLine, SW_SHOW), c.code) << c.commandLine;
}

}  // namespace
}  // namespace varnolix::test
