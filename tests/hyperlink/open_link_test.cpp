// Opening an address: the desktop's opener first, then the command line of the program
// named for the address's scheme, else for web pages, cut at its placeholder, started
// for real so that the address reaches the program whole, nothing in it runs and the
// program gets no terminal of ours; and every failure told in words.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "hyperlink/hyperlink.h"
#include "tests/gui_support/recorders.h"

namespace varnolix::test {
namespace {

constexpr const char* kAddress = "https://varnolix.example/";
constexpr const char* kSchemeKey = "https\\shell\\open\\command";
constexpr const char* kBrowserKey = "web-browser.desktop\\shell\\open\\command";

// Nothing else is asked when the opener opens the address. After a refusal, the
// placeholder and all after it give way to a blank and the address, as one argument.
TEST(OpeningAnAddress, AfterARefusalTheSchemesOrTheBrowsersCommandIsCutAtItsPlaceholder) {
  const std::vector<std::string> browserReads{kSchemeKey, ".htm", kBrowserKey};
  const struct {
    std::intptr_t opener = SE_ERR_NOASSOC;
    const char* scheme;      // the scheme's command, or null for none
    const char* registered;  // the web pages' browser's
    const char* address;
    std::vector<std::string> reads;
    const char* started;
  } cases[] = {
      {kShellOpened, "scheme-browser %1", "web-browser %1", kAddress, {}, nullptr},
      {SE_ERR_NOASSOC, "scheme-browser \"%1\"", "web-browser %1", kAddress, {kSchemeKey},
       "scheme-browser  https://varnolix.example/"},
      {SE_ERR_NOASSOC, nullptr, "web-browser --new-window \"%1\"", kAddress, browserReads,
       "web-browser --new-window  https://varnolix.example/"},
      {SE_ERR_NOASSOC, nullptr, "web-browser %1 --private-window", kAddress, browserReads, "web-browser  https://varnolix.example/"},
      {SE_ERR_NOASSOC, nullptr, "web-browser", kAddress, browserReads, "web-browser https://varnolix.example/"},
      {SE_ERR_NOASSOC, nullptr, "web-browser -a%1b \"%1\"", kAddress, browserReads, "web-browser -a%1b  https://varnolix.example/"},
      {SE_ERR_NOASSOC, nullptr, "web-browser %1", "https://varnolix.example/it's a", browserReads,
       "web-browser  'https://varnolix.example/it'\\''s a'"},
      {SE_ERR_NOASSOC, nullptr, "web-browser %1", "varnolix.example", {".htm", kBrowserKey}, "web-browser  varnolix.example"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.registered);
    RecordedServices recorded;
    recorded.shell.answer = c.opener;
    recorded.keyStore.keys = {{".htm", "web-browser.desktop"}, {kBrowserKey, c.registered}};
    if (c.scheme != nullptr) recorded.keyStore.keys[kSchemeKey] = c.scheme;
    EXPECT_EQ(CHyperLink::OpenAddress(c.address, SW_SHOW), c.started ? kCommandStarted : kShellOpened);
    ASSERT_EQ(recorded.shell.requests.size(), 1u);
    EXPECT_EQ(recorded.shell.requests[0].verb + "|" + recorded.shell.requests[0].file, std::string("open|") + c.address);
    EXPECT_EQ(recorded.keyStore.reads, c.reads);
    EXPECT_EQ(recorded.commands.commandLines, c.started ? std::vector<std::string>{c.started} : std::vector<std::string>{});
  }
}

// A key value must fit 260 bytes with its NUL; without a usable entry the opener's own
// code is the answer, and the store's codes never show.
TEST(OpeningAnAddress, WithoutAUsableEntryTheOpenersCodeIsTheAnswer) {
  const std::string longest(259, 'b');
  const struct {
    const char* name;
    std::map<std::string, std::string> keys;
    bool started;
  } cases[] = {
      {"no .htm key", {}, false},
      {"no command key", {{".htm", "web-browser.desktop"}}, false},
      {"command too long", {{".htm", "web-browser.desktop"}, {kBrowserKey, longest + "b"}}, false},
      {"command just fits", {{".htm", "web-browser.desktop"}, {kBrowserKey, longest}}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordedServices recorded;
    recorded.shell.answer = SE_ERR_FNF;
    recorded.keyStore.keys = c.keys;
    recorded.commands.answer = 0;
    EXPECT_EQ(CHyperLink::OpenAddress(kAddress, SW_SHOW), c.started ? 0 : SE_ERR_FNF);
    EXPECT_EQ(recorded.commands.commandLines.size(), c.started ? 1u : 0u);
  }
}

// Known codes have their words, 0 among them; any other code is named by its number.
TEST(ReportingAFailure, EveryCodeIsExplainedAfterTheSamePrefix) {
  const std::pair<int, const char*> cases[] = {
      {0, "The operating system is out\nof memory or resources."},
      {31, "There is no application associated\nwith the given filename extension."},
      {1, "Unknown Error (1) occurred."},
      {33, "Unknown Error (33) occurred."},
      {-2147483647 - 1, "Unknown Error (-2147483648) occurred."},
  };
  for (const auto& [code, message] : cases) {
    RecordedServices recorded;
    CHyperLink::ReportOpenFailure(code);
    ASSERT_EQ(recorded.boxes.boxes.size(), 1u) << code;
    const RecordedBox& box = recorded.boxes.boxes.front();
    EXPECT_EQ(box.text, std::string("Can't open link:\n\n") + message) << code;
    EXPECT_EQ(box.caption, "Varnolix");
    EXPECT_EQ(box.type, MB_ICONEXCLAMATION);
  }
}

QStringList LinesOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

TEST(StartingTheBrowser, TheAddressArrivesAsOneArgumentNoShellRunsAndNoTerminalIsShared) {
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
  ASSERT_TRUE(QTest::qWaitFor([&] { return LinesOf(received).size() == 6; }, 10000));
  const QString null = QStringLiteral("/dev/null");
  EXPECT_EQ(LinesOf(received), (QStringList{null, null, null, QStringLiteral("own session"),
                                            QStringLiteral("--new-window"), QString::fromStdString(address)}));
  EXPECT_FALSE(QFile::exists(planted)) << "something in the address was run";
}

// What keeps a command line from starting, in the codes the link explains.
TEST(StartingTheBrowser, AFailureToStartIsToldByItsCode) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QFile notAProgram(folder.filePath(QStringLiteral("not-a-program")));
  ASSERT_TRUE(notAProgram.open(QIODevice::WriteOnly));
  notAProgram.write("plain words, no program");
  notAProgram.close();
  notAProgram.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const std::pair<std::string, unsigned> cases[] = {
      {"varnolix-no-such-program-anywhere x", 2},
      {"'open quote", 2},
      {notAProgram.fileName().toStdString() + " x", 11},
  };
  for (const auto& [commandLine, code] : cases) EXPECT_EQ(WinExec(commandLine, SW_SHOW), code) << commandLine;
}

}  // namespace
}  // namespace varnolix::test
