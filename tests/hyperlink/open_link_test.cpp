// Opening an address: the desktop's opener first, then the browser's own command line
// cut at its placeholder, and every failure told in words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hyperlink/hyperlink.h"
#include "tests/gui_support/recorders.h"

namespace varnolix::test {
namespace {

constexpr const char* kAddress = "https://varnolix.example/";
constexpr const char* kBrowserKey = "web-browser.desktop\\shell\\open\\command";

TEST(OpeningAnAddress, WhenTheOpenerOpensItNothingElseIsAsked) {
  RecordedServices recorded;
  recorded.shell.answer = kShellOpened;
  recorded.keyStore.keys = {{".htm", "web-browser.desktop"}, {kBrowserKey, "web-browser %1"}};
  EXPECT_EQ(CHyperLink::OpenAddress(kAddress, SW_SHOW), kShellOpened);
  ASSERT_EQ(recorded.shell.requests.size(), 1u);
  const ShellRequest& request = recorded.shell.requests.front();
  EXPECT_EQ(request.verb + "|" + request.file + "|" + request.parameters + "|" + request.directory,
            std::string("open|") + kAddress + "||");
  EXPECT_EQ(request.showCommand, SW_SHOW);
  EXPECT_TRUE(recorded.keyStore.reads.empty());
  EXPECT_TRUE(recorded.commands.commandLines.empty());
}

// The placeholder and all after it give way to a blank and the address.
TEST(OpeningAnAddress, AfterARefusalTheBrowsersCommandIsCutAtItsPlaceholder) {
  const struct {
    const char* registered;
    const char* address;
    const char* started;
  } cases[] = {
      {"web-browser --new-window \"%1\"", kAddress, "web-browser --new-window  https://varnolix.example/"},
      {"web-browser %1", kAddress, "web-browser  https://varnolix.example/"},
      {"web-browser", kAddress, "web-browser https://varnolix.example/"},
      {"web-browser \"%1\" --private-window", kAddress, "web-browser  https://varnolix.example/"},
      {"web-browser %1 --private-window", kAddress, "web-browser  https://varnolix.example/"},
      {"web-browser -a%1b \"%1\"", kAddress, "web-browser -a%1b  https://varnolix.example/"},  // quoted first
      {"web-browser %1", "https://varnolix.example/a b", "web-browser  'https://varnolix.example/a b'"},
      {"web-browser %1", "https://varnolix.example/it's", "web-browser  'https://varnolix.example/it'\\''s'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.registered);
    RecordedServices recorded;
    recorded.shell.answer = SE_ERR_NOASSOC;
    recorded.keyStore.keys = {{".htm", "web-browser.desktop"}, {kBrowserKey, c.registered}};
    EXPECT_EQ(CHyperLink::OpenAddress(c.address, SW_SHOW), static_cast<int>(kCommandStarted));
    EXPECT_EQ(recorded.keyStore.reads, (std::vector<std::string>{".htm", kBrowserKey}));
    EXPECT_EQ(recorded.commands.commandLines, std::vector<std::string>{c.started});
    EXPECT_EQ(recorded.commands.showCommands, std::vector<int>{SW_SHOW});
  }
}

// A key value must fit 260 bytes with its NUL; without a usable entry the opener's
// own code is the answer, and the store's codes never show.
TEST(OpeningAnAddress, WithoutAUsableBrowserEntryTheOpenersCodeIsTheAnswer) {
  const std::string longest(259, 'b');
  const struct {
    const char* name;
    std::map<std::string, std::string> keys;
    bool started;
  } cases[] = {
      {"no .htm key", {}, false},
      {"no command key", {{".htm", "web-browser.desktop"}}, false},
      {".htm value too long", {{".htm", longest + "b"}, {longest + "b\\shell\\open\\command", "web-browser"}}, false},
      {"command too long", {{".htm", "web-browser.desktop"}, {kBrowserKey, longest + "b"}}, false},
      {"command just fits", {{".htm", "web-browser.desktop"}, {kBrowserKey, longest}}, true},
  };
  for (std::intptr_t refusal : {SE_ERR_NOASSOC, SE_ERR_FNF}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      RecordedServices recorded;
      recorded.shell.answer = refusal;
      recorded.keyStore.keys = c.keys;
      recorded.commands.answer = 0;
      EXPECT_EQ(CHyperLink::OpenAddress(kAddress, SW_SHOW), c.started ? 0 : refusal);
      EXPECT_EQ(recorded.commands.commandLines.size(), c.started ? 1u : 0u);
    }
  }
}

// A command line of any length is started whole.
TEST(OpeningAnAddress, ALongCommandLineIsStartedWhole) {
  RecordedServices recorded;
  recorded.shell.answer = SE_ERR_NOASSOC;
  recorded.keyStore.keys = {{".htm", "web-browser.desktop"}, {kBrowserKey, std::string(250, 'b') + " %1"}};
  const std::string address = "https://varnolix.example/" + std::string(600, 'p');
  CHyperLink::OpenAddress(address, SW_SHOW);
  ASSERT_EQ(recorded.commands.commandLines.size(), 1u);
  EXPECT_EQ(recorded.commands.commandLines.front(), std::string(250, 'b') + "  " + address);
}

TEST(ReadingAKey, CopiesTheValueOnlyWhenEverythingSucceeds) {
  RecordedServices recorded;
  recorded.keyStore.keys = {{".htm", "web-browser.desktop"}, {"long", std::string(260, 'x')}};
  std::string out = "untouched";
  EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, "missing", out), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, "long", out), ERROR_MORE_DATA);
  EXPECT_EQ(out, "untouched");
  out = ".htm";
  EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, out, out), ERROR_SUCCESS);  // the key's name, then its value
  EXPECT_EQ(out, "web-browser.desktop");
}

TEST(ReportingAFailure, EveryCodeIsExplainedAfterTheSamePrefix) {
  const std::pair<int, const char*> known[] = {
      {0, "The operating system is out\nof memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied\naccess to the specified file."},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
      {26, "A sharing violation occurred. "},
      {27, "The filename association is\nincomplete or invalid."},
      {28, "The DDE transaction could not\nbe completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
      {31, "There is no application associated\nwith the given filename extension."},
      {32, "The specified dynamic-link library was not found."},
  };
  std::vector<std::pair<int, std::string>> cases(std::begin(known), std::end(known));
  for (int code : {1, 4, 6, 7, 9, 10, 12, 19, 25, 33, 1000, -1, -2147483647 - 1}) {
    cases.emplace_back(code, "Unknown Error (" + std::to_string(code) + ") occurred.");
  }
  for (const auto& [code, message] : cases) {
    RecordedServices recorded;
    CHyperLink::ReportOpenFailure(code);
    ASSERT_EQ(recorded.boxes.boxes.size(), 1u) << code;
    const RecordedBox& box = recorded.boxes.boxes.front();
    EXPECT_EQ(box.text, "Can't open link:\n\n" + message) << code;
    EXPECT_EQ(box.caption, "Varnolix");
    EXPECT_EQ(box.type, MB_ICONEXCLAMATION);
  }
}

}  // namespace
}  // namespace varnolix::test
