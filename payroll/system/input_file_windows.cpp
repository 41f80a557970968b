// Files are read through the C library's descriptors, as on other systems, opened from
// their UTF-16 names in binary mode; what a file is comes from the handle beneath.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

#include "payroll/messages.h"
#include "payroll/system/input_file.h"
#include "payroll/system/windows_support.h"

namespace varnolix::payroll::system {
namespace {

// What a file that is not a regular file is, as a person would name it.
std::string_view KindOf(DWORD type, bool folder) {
  if (folder) return "a folder";
  if (type == FILE_TYPE_PIPE) return "a named pipe";
  if (type == FILE_TYPE_CHAR) return "a device";
  return "a special file";
}

bool IsFolder(const std::wstring& name) {
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Which file on which volume: what two names of one file share.
struct Identity {
  ULONGLONG volume = 0;
  FILE_ID_128 file{};
  bool regular = false;
};

// A volume of serial 0 is one not known (Wine says so of a file handed over from Linux as
// standard input): it is taken to be either, since refusing a write is the safe mistake.
bool OneFile(const Identity& a, const Identity& b) {
  return std::memcmp(&a.file, &b.file, sizeof a.file) == 0 && (a.volume == b.volume || a.volume == 0 || b.volume == 0);
}

std::optional<Identity> IdentityOf(HANDLE handle) {
  FILE_ID_INFO id{};
  FILE_BASIC_INFO basic{};
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandleEx(handle, FileIdInfo, &id, sizeof id) ||
      !GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)) {
    return std::nullopt;
  }
  return Identity{id.VolumeSerialNumber, id.FileId,
                  GetFileType(handle) == FILE_TYPE_DISK && (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0};
}

// Looked at without being read, so that any file or folder opens, whoever has it open.
std::optional<Identity> IdentityOf(const std::string& path) {
  const HANDLE handle = CreateFileW(Utf16(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<Identity> identity = IdentityOf(handle);
  CloseHandle(handle);
  return identity;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

InputFile OpenInputFile(const std::string& path, bool regularOnly) {
  InputFile input;
  const std::wstring name = Utf16(path);
  if (regularOnly && IsFolder(name)) {
    input.problem = MessageText(Message::kNotRegularFile, {path, KindOf(FILE_TYPE_DISK, true)});
    return input;
  }
  const int fd = _wopen(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) {
    // Windows will not open a folder as a file at all; elsewhere it opens, and reading fails.
    const bool folder = errno == EACCES && IsFolder(name);
    input.problem = folder ? MessageText(Message::kCannotReadInput, {path, std::strerror(EISDIR)})
                           : MessageText(Message::kCannotOpenInput, {path, std::strerror(errno)});
    return input;
  }
  if (regularOnly) {
    const DWORD type = GetFileType(HandleOf(fd));
    if (type != FILE_TYPE_DISK) {
      input.problem = MessageText(Message::kNotRegularFile, {path, KindOf(type, false)});
      _close(fd);
      return input;
    }
  }
  input.fd = fd;
  return input;
}

void CloseInputFile(int fd) {
  if (fd >= 0) _close(fd);
}

bool SameFile(const std::string& a, const std::string& b) {
  const std::optional<Identity> first = IdentityOf(a);
  const std::optional<Identity> second = IdentityOf(b);
  return first && second && OneFile(*first, *second);
}

bool SameRegularFile(int fd, const std::string& path) {
  const std::optional<Identity> opened = IdentityOf(HandleOf(fd));
  const std::optional<Identity> named = IdentityOf(path);
  return opened && named && opened->regular && OneFile(*opened, *named);
}

}  // namespace varnolix::payroll::system
