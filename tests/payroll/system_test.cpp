// The operating system's part, through its interfaces alone, so that the same cases run
// on every system: names in Devanagari, a file written whole beside nothing, two names
// of one file told from two files, and what is refused as no file of rows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "payroll/byte_stream.h"
#include "payroll/output_file.h"
#include "payroll/system/input_file.h"
#include "tests/shared/files.h"

namespace varnolix::payroll {
namespace {

namespace fs = std::filesystem;
using test::FreshFolder;
using test::Listing;
using test::PathOf;
using test::Read;
using test::Utf8Of;
using test::Write;

const std::string kPayslips = "वेतन.csv";  // "salary"

TEST(System, WritesAFileWholeUnderAnyNameAndLeavesNothingBeside) {
  const struct {
    const char* name;
    const char* before;  // the file's contents beforehand; nullptr when there is none
    bool commit;
    const char* after;   // nullptr when there is no file afterwards
  } cases[] = {
      {"New", nullptr, true, "new\r\nrows\n"},
      {"Replaced", "old\n", true, "new\r\nrows\n"},
      {"DiscardedNew", nullptr, false, nullptr},
      {"DiscardedKeepsTheOld", "old\n", false, "old\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = FreshFolder(c.name);
    const std::string path = Utf8Of(PathOf(folder) / PathOf(kPayslips));
    if (c.before != nullptr) Write(path, c.before);
    {
      OutputFile file;
      ASSERT_TRUE(file.Open(path)) << OutputFailureText(Message::kCannotOpenOutput, path, file.failure());
      ASSERT_TRUE(FdSink(file.fd()).Write("new\r\nrows\n"));
      if (c.commit) {
        ASSERT_TRUE(file.Commit(Durability::kOnDisk));
      } else {
        file.Discard();
      }
    }
    EXPECT_EQ(Listing(folder), c.after == nullptr ? std::vector<std::string>{} : std::vector<std::string>{kPayslips});
    if (c.after != nullptr) {
      EXPECT_EQ(Read(path), c.after);
    }
  }
}

TEST(System, RefusesToWriteOverAFolder) {
  const std::string folder = FreshFolder("folder");
  OutputFile file;
  EXPECT_FALSE(file.Open(folder));
  EXPECT_EQ(Listing(folder), std::vector<std::string>{});
}

TEST(System, TellsTwoNamesOfOneFileFromTwoFiles) {
  const std::string folder = FreshFolder("same");
  const std::string file = Utf8Of(PathOf(folder) / PathOf(kPayslips));
  const std::string link = Utf8Of(PathOf(folder) / PathOf("link.csv"));
  const std::string other = Utf8Of(PathOf(folder) / PathOf("other.csv"));
  Write(file, "basic_pm\n");
  Write(other, "basic_pm\n");
  fs::create_hard_link(PathOf(file), PathOf(link));
  const struct {
    std::string a, b;
    bool same;
  } cases[] = {
      {file, file, true},   {file, link, true},   {file, other, false},
      {file, folder, false}, {file, folder + "/missing.csv", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(system::SameFile(c.a, c.b), c.same) << c.a << " " << c.b;
    const system::InputFile opened = system::OpenInputFile(c.a, true);
    ASSERT_GE(opened.fd, 0) << opened.problem;
    EXPECT_EQ(system::SameRegularFile(opened.fd, c.b), c.same) << c.a << " " << c.b;
    system::CloseInputFile(opened.fd);
  }
}

TEST(System, OpensOnlyWhatCanBeRead) {
  const std::string folder = FreshFolder("open");
  const std::string file = Utf8Of(PathOf(folder) / PathOf(kPayslips));
  Write(file, "basic_pm\r\n1000\r\n");
  const std::string missing = Utf8Of(PathOf(folder) / PathOf("नहीं.csv"));
  const struct {
    std::string path;
    bool regularOnly;
    std::string problem;  // the start of what is said; empty when the file opens
  } cases[] = {
      {file, true, ""},
      {file, false, ""},
      {missing, false, "cannot open '" + missing + "': No such file or directory"},
      {folder, true, "'" + folder + "' is a folder, not a file of rows"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const system::InputFile opened = system::OpenInputFile(c.path, c.regularOnly);
    EXPECT_EQ(opened.problem.substr(0, c.problem.size()), c.problem);
    EXPECT_EQ(opened.fd >= 0, c.problem.empty());
    if (opened.fd < 0) continue;
    FdSource source(opened.fd);
    char bytes[32];
    EXPECT_EQ(source.Read(bytes, sizeof bytes), 16);  // CRLF read as it is, never as "\n"
    system::CloseInputFile(opened.fd);
  }
}

}  // namespace
}  // namespace varnolix::payroll
