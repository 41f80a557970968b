#include "payroll/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace varnolix::payroll {
namespace {

// The permissions a new file gets from this process.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Open(const std::string& path) {
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    m_fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return m_fd >= 0;
  }
  m_target = path;
  if (char resolved[PATH_MAX]; exists && ::realpath(path.c_str(), resolved) != nullptr) m_target = resolved;
  const size_t slash = m_target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : m_target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
  std::string temporary = folder + (slash == std::string::npos ? "/." : ".") + name + ".XXXXXX";
  m_fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (m_fd < 0) return false;
  m_temporary = temporary;
  if (::fchmod(m_fd, exists ? existing.st_mode & 07777 : NewFileMode()) != 0) {
    const int error = errno;
    Discard();
    errno = error;
    return false;
  }
  return true;
}

bool OutputFile::Commit() {
  // A file system may report a failed write only when the file is closed.
  const bool closed = ::close(m_fd) == 0;
  m_fd = -1;
  if (m_temporary.empty()) return closed;
  int error = closed ? 0 : errno;
  if (closed && ::rename(m_temporary.c_str(), m_target.c_str()) == 0) {
    m_temporary.clear();
    return true;
  }
  if (error == 0) error = errno;
  Discard();
  errno = error;
  return false;
}

void OutputFile::Discard() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
  m_temporary.clear();
}

}  // namespace varnolix::payroll
