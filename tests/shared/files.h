// Files on disk for the tests: a fresh folder of the running test's own, whole files
// written and read as bytes, and all a folder holds. Names are UTF-8 on every system.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace varnolix::test {

inline long ProcessId() {
#ifdef _WIN32
  return _getpid();
#else
  return ::getpid();
#endif
}

inline std::filesystem::path PathOf(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return {name.begin(), name.end()};
}

// The folders of this process, removed when it ends.
inline const struct ProcessFolder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("varnolix-tests-" + std::to_string(ProcessId()));
  ~ProcessFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
} kProcessFolder;

// Empty, named after the running test, and after `name` for one of several.
inline std::string FreshFolder(const std::string& name = "") {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path folder = kProcessFolder.path / (std::string(test->test_suite_name()) + "." + test->name());
  if (!name.empty()) folder /= PathOf(name);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return Utf8Of(folder);
}

inline void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(PathOf(path), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string Read(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every name below `folder`, relative to it, sorted.
inline std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(PathOf(folder))) {
    names.push_back(Utf8Of(entry.path().lexically_relative(PathOf(folder))));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace varnolix::test
