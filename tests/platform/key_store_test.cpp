// The key store on the desktop, over a desktop of the test's own: the user's choice of
// application for web pages and for https addresses, and their command lines. The
// choice for web pages is an editor that runs in a terminal, which is passed over.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "platform/key_store.h"

namespace varnolix {
namespace {

std::optional<std::string> Read(std::string_view path) {
  HKEY key{};
  if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  std::string value;
  long size = 260;
  const long read = RegQueryValue(key, value, &size);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  return read == ERROR_SUCCESS ? std::optional<std::string>(value) : std::nullopt;
}

TEST(DesktopKeyStore, NamesTheSchemesAndThePagesApplicationsButNoneThatNeedsATerminal) {
  const std::pair<const char*, std::optional<std::string>> keys[] = {
      {"https\\shell\\open\\command", "true --new-window \"%1\" --icon web-browser --class='Test Browser' %"},
      {".htm", "varnolix-other-browser.desktop"},
      {"varnolix-other-browser.desktop\\shell\\open\\command", "true %1"},
      {"varnolix-terminal-editor.desktop\\shell\\open\\command", std::nullopt},
      {"http\\shell\\open\\command", std::nullopt},  // nothing handles it
      {"no-such-browser.desktop\\shell\\open\\command", std::nullopt},
  };
  for (const auto& [path, value] : keys) EXPECT_EQ(Read(path), value) << path;
}

}  // namespace
}  // namespace varnolix

int main(int argc, char* argv[]) {
  ::testing::InitGoogleTest(&argc, argv);
  // Before anything asks the desktop: its folders are the test's alone.
  for (const auto& [variable, folder] : {std::pair{"XDG_DATA_HOME", "/data"}, std::pair{"XDG_DATA_DIRS", "/data"},
                                         std::pair{"XDG_CONFIG_HOME", "/config"},
                                         std::pair{"XDG_CONFIG_DIRS", "/config"}}) {
    setenv(variable, (std::string(VARNOLIX_TEST_DESKTOP) + folder).c_str(), 1);
  }
  return RUN_ALL_TESTS();
}
