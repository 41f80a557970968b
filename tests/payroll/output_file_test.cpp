// An output file written whole: what the folder holds after a commit, a discard or a
// failed commit, the permissions the file gets, links followed to the file they name,
// and what is said when the folder or the path is at fault. The suite runs once as it
// is and once with unnamed files refused (tests/payroll/no_unnamed_files.cpp), so that
// both routes to the file are taken.
#include "payroll/output_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "payroll/byte_stream.h"
#include "payroll/saved_entries.h"
#include "tests/shared/files.h"

namespace varnolix::payroll {
namespace {

namespace fs = std::filesystem;
using test::FreshFolder;
using test::Listing;
using test::Read;

void Put(const std::string& path, const std::string& text, mode_t mode) {
  test::Write(path, text);
  ::chmod(path.c_str(), mode);
}

bool TakesUnnamedFiles(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd >= 0) ::close(fd);
  return fd >= 0;
}

// Set for the run with unnamed files refused, so that it fails if they were not.
bool UnnamedFilesMeantRefused() { return std::getenv("VARNOLIX_EXPECT_NO_UNNAMED_FILES") != nullptr; }

struct RestoredUmask {
  mode_t previous;
  ~RestoredUmask() { ::umask(previous); }
};

TEST(OutputFile, ReplacesTheFileWholeOrLeavesItAsItWas) {
  using Setup = std::function<void(const std::string& folder)>;
  const Setup nothing = [](const std::string&) {};
  const Setup oldFile = [](const std::string& folder) { Put(folder + "/out.csv", "old\n", 0640); };
  const struct {
    const char* name;
    Setup before;
    const char* written;  // the name opened, in the folder
    bool commit;
    mode_t umask;
    const char* looked;   // the file looked at afterwards; empty when none may be there
    const char* contents;
    mode_t mode;
    std::vector<std::string> listing;  // all the folder holds afterwards
    Setup meanwhile = nullptr;         // done between opening and committing
    bool committed = true;
  } cases[] = {
      {"NewFileAsUmaskAllows", nothing, "out.csv", true, 022, "out.csv", "new\n", 0644, {"out.csv"}},
      {"CommitReplacesAndKeepsPermissions", oldFile, "out.csv", true, 022, "out.csv", "new\n", 0640, {"out.csv"}},
      {"PermissionsKeptBeyondTheUmask",
       [](const std::string& folder) { Put(folder + "/out.csv", "old\n", 0666); }, "out.csv", true, 077, "out.csv",
       "new\n", 0666, {"out.csv"}},
      {"DiscardLeavesTheOldFile", oldFile, "out.csv", false, 022, "out.csv", "old\n", 0640, {"out.csv"}},
      {"DiscardLeavesNoNewFile", nothing, "out.csv", false, 022, "", "", 0, {}},
      {"LinkFollowedToItsFile",
       [](const std::string& folder) {
         Put(folder + "/real.csv", "old\n", 0600);
         fs::create_symlink("real.csv", folder + "/link.csv");
       },
       "link.csv", true, 022, "real.csv", "new\n", 0600, {"link.csv", "real.csv"}},
      // Written beside the file, not the link: else the rename would cross file systems.
      {"LinkIntoAnotherFolder",
       [](const std::string& folder) {
         fs::create_directory(folder + "/elsewhere");
         Put(folder + "/elsewhere/real.csv", "old\n", 0640);
         fs::create_symlink("elsewhere/real.csv", folder + "/link.csv");
       },
       "link.csv", true, 022, "elsewhere/real.csv", "new\n", 0640, {"elsewhere", "elsewhere/real.csv", "link.csv"}},
      // A folder put in the file's place meanwhile cannot be renamed over.
      {"FailedCommitLeavesNothingBeside", oldFile, "out.csv", true, 022, "", "", 0, {"out.csv", "out.csv/kept"},
       [](const std::string& folder) {
         fs::remove(folder + "/out.csv");
         fs::create_directory(folder + "/out.csv");
         Put(folder + "/out.csv/kept", "kept\n", 0600);
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = FreshFolder(c.name);
    const bool unnamed = TakesUnnamedFiles(folder);
    ASSERT_FALSE(unnamed && UnnamedFilesMeantRefused()) << "unnamed files were not refused";
    c.before(folder);
    const std::vector<std::string> before = Listing(folder);
    const RestoredUmask restored{::umask(c.umask)};
    {
      OutputFile file;
      ASSERT_TRUE(file.Open(folder + "/" + c.written)) << std::strerror(errno);
      ASSERT_TRUE(FdSink(file.fd()).Write("new\n"));
      // An unnamed file shows nowhere while it is written; a named one is hidden beside the file.
      std::vector<std::string> writing = Listing(folder);
      const auto visible = std::stable_partition(writing.begin(), writing.end(), [](const std::string& name) {
        return fs::path(name).filename().string().starts_with('.');
      });
      EXPECT_EQ(visible - writing.begin(), unnamed ? 0 : 1);
      EXPECT_EQ(std::vector<std::string>(visible, writing.end()), before);
      if (c.meanwhile) c.meanwhile(folder);
      if (c.commit) {
        EXPECT_EQ(file.Commit(), c.committed);
      } else {
        file.Discard();
      }
    }
    EXPECT_EQ(Listing(folder), c.listing);
    if (*c.looked == '\0') continue;
    const std::string looked = folder + "/" + c.looked;
    EXPECT_EQ(Read(looked), c.contents);
    struct stat status {};
    ASSERT_EQ(::lstat(looked.c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));
    EXPECT_EQ(status.st_mode & 07777, c.mode);
  }
}

// Never a test on /dev/null: a fault here would replace it for the whole machine.
TEST(OutputFile, WritesAPipeDirectly) {
  const std::string folder = FreshFolder("pipe");
  const std::string pipe = folder + "/out.csv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // so that opening to write never waits
  ASSERT_GE(reader, 0);
  {
    OutputFile file;
    ASSERT_TRUE(file.Open(pipe)) << std::strerror(errno);
    ASSERT_TRUE(FdSink(file.fd()).Write("new\n"));
    EXPECT_TRUE(file.Commit(Durability::kOnDisk)) << std::strerror(errno);
  }
  char read[8] = {};
  EXPECT_EQ(::read(reader, read, sizeof read), 4);
  EXPECT_STREQ(read, "new\n");
  ::close(reader);
  struct stat status {};
  ASSERT_EQ(::lstat(pipe.c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode)) << "the pipe was replaced";
  EXPECT_EQ(Listing(folder), std::vector<std::string>{"out.csv"});
}

// /proc and /sys refuse unnamed files, so both are reached through a named file.
TEST(OutputFile, SaysWhetherTheFolderOrThePathIsAtFault) {
  const struct {
    const char* path;
    const char* folder;  // the folder blamed, if any
    std::string text;    // the start of what is said
  } cases[] = {
      {"/sys/varnolix-out.csv", "/sys", "cannot write into the folder '/sys': "},
      {"/proc/varnolix-out.csv", "", "cannot open '/proc/varnolix-out.csv' for writing: No such file or directory"},
      {"/nonexistent/varnolix-out.csv", "",
       "cannot open '/nonexistent/varnolix-out.csv' for writing: No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    OutputFile file;
    EXPECT_FALSE(file.Open(c.path));
    EXPECT_EQ(file.failure().refusingFolder, c.folder);
    const std::string text = OutputFailureText(Message::kCannotOpenOutput, c.path, file.failure());
    EXPECT_EQ(text.substr(0, c.text.size()), c.text) << text;
    const WriteOutcome saved = WriteWholeFile(c.path, "x\n");
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.failure.refusingFolder, c.folder);
  }
}

}  // namespace
}  // namespace varnolix::payroll
