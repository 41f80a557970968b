#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "payroll/messages.h"
#include "payroll/system/input_file.h"

namespace varnolix::payroll::system {
namespace {

// What a file that is not a regular file is, as a person would name it.
std::string_view KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "a special file";
}

std::string NotRegular(const std::string& path, mode_t mode) {
  return MessageText(Message::kNotRegularFile, {path, KindOf(mode)});
}

}  // namespace

InputFile OpenInputFile(const std::string& path, bool regularOnly) {
  InputFile input;
  if (regularOnly) {
    // Looked at first, so that a device is never opened; then opened without waiting,
    // since a named pipe put in the file's place meanwhile would block the open itself.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
      input.problem = NotRegular(path, status.st_mode);
      return input;
    }
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
  if (fd < 0) {
    input.problem = MessageText(Message::kCannotOpenInput, {path, std::strerror(errno)});
    return input;
  }
  if (regularOnly) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
      input.problem = NotRegular(path, status.st_mode);
      ::close(fd);
      return input;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  }
  input.fd = fd;
  return input;
}

void CloseInputFile(int fd) {
  if (fd >= 0) ::close(fd);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

bool SameRegularFile(int fd, const std::string& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::stat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace varnolix::payroll::system
