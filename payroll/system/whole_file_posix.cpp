// Where the file system allows, the contents are written to an unnamed file, which
// nothing can leave behind, not even a kill: it gets a hidden name beside the file only
// at the end, for the instant before it is renamed over the file. Elsewhere the contents
// have the hidden name from the start, and an interruption removes it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "payroll/system/temporary_files.h"
#include "payroll/system/whole_file.h"

namespace varnolix::payroll::system {
namespace {

constexpr int kNameAttempts = 100;

// What an older kernel or a file system without unnamed files says to O_TMPFILE.
bool UnnamedFilesRefused(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT;
}

// The folder's own refusal of a new file, as against a path that leads nowhere.
bool FolderRefuses(int error) { return error == EACCES || error == EPERM || error == EROFS; }

std::string Joined(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + '/' + name;
}

struct Place {
  std::string path;  // the file's full name, links followed
  std::string folder;
  std::string name;
};

Place Split(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {path, ".", path};
  return {path, slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The file `path` names, through any links, and the folder it is in, named in full so
// that a message about the folder says which one.
Place PlaceOf(const std::string& path, bool exists) {
  char resolved[PATH_MAX];
  if (exists) return Split(::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path);
  const Place given = Split(path);
  if (::realpath(given.folder.c_str(), resolved) == nullptr) return given;
  return Split(Joined(resolved, given.name));
}

std::uint64_t Mixed(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15u;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9u;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBu;
  return value ^ (value >> 31);
}

// ".NAME.XXXXXX" in the folder: hidden, and named after the file it is to become.
std::string HiddenName(const Place& place) {
  static std::atomic<std::uint64_t> drawn{0};
  std::uint64_t random = 0;
  if (::getentropy(&random, sizeof random) != 0) {
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    random = Mixed(static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^
                   drawn.fetch_add(1));
  }
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix(6, ' ');
  for (char& letter : suffix) {
    letter = kLetters[random % (sizeof kLetters - 1)];
    random /= sizeof kLetters - 1;
  }
  return Joined(place.folder, "." + place.name + "." + suffix);
}

// A hidden file made beside the target, its name marked for removal before it exists.
int OpenNamed(const Place& place, mode_t mode, Replacement& replacement) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string candidate = HiddenName(place);
    const int ticket = RemoveOnInterruption(candidate);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      replacement.temporary = candidate;
      replacement.ticket = ticket;
      return fd;
    }
    const int error = errno;
    ForgetOnInterruption(ticket);
    errno = error;
    if (error != EEXIST) return -1;
  }
  return -1;
}

// Gives the unnamed contents a hidden name beside the target.
bool LinkUnnamed(Replacement& replacement) {
  const Place place = Split(replacement.target);
  const std::string opened = "/proc/self/fd/" + std::to_string(replacement.fd);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string candidate = HiddenName(place);
    const int ticket = RemoveOnInterruption(candidate);
    int linked = ::linkat(AT_FDCWD, opened.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW);
    // Without /proc, the descriptor itself, where the system permits it.
    if (linked != 0 && errno == ENOENT) linked = ::linkat(replacement.fd, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH);
    if (linked == 0) {
      replacement.temporary = candidate;
      replacement.ticket = ticket;
      return true;
    }
    const int error = errno;
    ForgetOnInterruption(ticket);
    errno = error;
    if (error != EEXIST) return false;
  }
  return false;
}

// So that the rename itself survives a crash. The contents are on the disk already, and
// the file is replaced whatever this says, so a failure here is no failure to write.
void SyncFolder(const std::string& target) {
  const int folder = ::open(Split(target).folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  (void)::fsync(folder);
  ::close(folder);
}

// On the disk before the rename: a rename that reached the disk first would leave an
// empty file after a crash. EINVAL: a device or a pipe keeps nothing to sync.
bool Synced(int fd) { return ::fdatasync(fd) == 0 || errno == EINVAL; }

}  // namespace

bool BeginReplacement(const std::string& path, Replacement& replacement, std::string& refusingFolder) {
  refusingFolder.clear();
  replacement = {};
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    replacement.fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return replacement.fd >= 0;
  }
  const Place place = PlaceOf(path, exists);
  replacement.target = place.path;
  // A new file is made as any new file is here (the umask applies); a replacement is made
  // private and then given the permissions of the file it replaces.
  const mode_t mode = exists ? 0600 : 0666;
  int fd = ::open(place.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd < 0 && UnnamedFilesRefused(errno)) fd = OpenNamed(place, mode, replacement);
  if (fd < 0) {
    const int error = errno;
    if (FolderRefuses(error)) refusingFolder = place.folder;
    replacement = {};
    errno = error;
    return false;
  }
  replacement.fd = fd;
  if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
    const int error = errno;
    AbandonReplacement(replacement);
    errno = error;
    return false;
  }
  return true;
}

bool FinishReplacement(Replacement& replacement, Durability durability) {
  if (replacement.fd < 0) {
    errno = EBADF;
    return false;
  }
  const bool toDisk = durability == Durability::kOnDisk;
  int error = 0;
  if (toDisk && !Synced(replacement.fd)) error = errno;
  if (error == 0 && !replacement.target.empty() && replacement.temporary.empty() && !LinkUnnamed(replacement)) {
    error = errno;
  }
  // A file system may report a failed write only when the file is closed.
  if (::close(replacement.fd) != 0 && error == 0) error = errno;
  replacement.fd = -1;
  if (error == 0 && !replacement.target.empty() &&
      ::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    AbandonReplacement(replacement);
    errno = error;
    return false;
  }
  ForgetOnInterruption(replacement.ticket);
  if (toDisk && !replacement.target.empty()) SyncFolder(replacement.target);
  replacement = {};
  return true;
}

void AbandonReplacement(Replacement& replacement) {
  if (replacement.fd >= 0) ::close(replacement.fd);
  if (!replacement.temporary.empty()) ::unlink(replacement.temporary.c_str());
  ForgetOnInterruption(replacement.ticket);
  replacement = {};
}

}  // namespace varnolix::payroll::system
