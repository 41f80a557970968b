// The contents go to a file of their own beside the target, marked from the start to be
// deleted once closed, so that however the process ends (Ctrl+C, a closed window, a kill)
// nothing is left. The mark is lifted at the very end, for the instant before the file is
// moved over the target. A file replaced gets its folder's permissions, as almost every
// file on Windows has; a read-only file is refused, since Windows will not move over it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <vector>

#include "payroll/system/temporary_files.h"
#include "payroll/system/whole_file.h"
#include "payroll/system/windows_support.h"

namespace varnolix::payroll::system {
namespace {

constexpr int kNameAttempts = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A name as Windows gives it back (\\?\C:\..., \\?\UNC\server\...) as a person writes it.
std::wstring Plain(const std::wstring& name) {
  if (name.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + name.substr(8);
  if (name.starts_with(L"\\\\?\\")) return name.substr(4);
  return name;
}

std::wstring FullName(const std::wstring& name) {
  std::vector<wchar_t> full(MAX_PATH);
  DWORD size = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (size >= full.size()) {
    full.resize(size);
    size = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  return size == 0 || size >= full.size() ? name : std::wstring(full.data(), size);
}

// The file an open handle is, links followed.
std::wstring FinalName(HANDLE handle, const std::wstring& given) {
  std::vector<wchar_t> final(MAX_PATH);
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  DWORD size = GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), kFlags);
  if (size >= final.size()) {
    final.resize(size);
    size = GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), kFlags);
  }
  return size == 0 || size >= final.size() ? FullName(given) : Plain(std::wstring(final.data(), size));
}

std::wstring FolderOf(const std::wstring& path) {
  std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
  if (folder.empty() || folder.back() == L':') folder += L'\\';  // a drive's root keeps its backslash
  return folder;
}

std::uint64_t Mixed(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15u;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9u;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBu;
  return value ^ (value >> 31);
}

// ".NAME.XXXXXX" in the target's folder, named after the file it is to become.
std::wstring HiddenName(const std::wstring& target) {
  static std::atomic<std::uint64_t> drawn{0};
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  std::uint64_t random = Mixed(static_cast<std::uint64_t>(now.QuadPart) ^
                               (std::uint64_t{GetCurrentProcessId()} << 32) ^ drawn.fetch_add(1));
  static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::wstring suffix(6, L' ');
  for (wchar_t& letter : suffix) {
    letter = kLetters[random % (std::size(kLetters) - 1)];
    random /= std::size(kLetters) - 1;
  }
  const std::size_t slash = target.find_last_of(L"\\/");
  return target.substr(0, slash + 1) + L"." + target.substr(slash + 1) + L"." + suffix;
}

// Deleted when closed, or kept: the mark a killed process leaves nothing by.
bool MarkForDeletion(HANDLE handle, bool deleted) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = deleted;
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// A hidden file made beside the target, its name marked for removal before it exists.
HANDLE CreateBeside(const std::wstring& target, Replacement& replacement) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::wstring candidate = HiddenName(target);
    const int ticket = RemoveOnInterruption(Utf8(candidate));
    const HANDLE handle = CreateFileW(candidate.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      replacement.temporary = Utf8(candidate);
      replacement.ticket = ticket;
      return handle;
    }
    const DWORD error = GetLastError();
    ForgetOnInterruption(ticket);
    SetLastError(error);
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// The folder's own refusal of a new file, as against a path that leads nowhere.
bool FolderRefuses(int error) { return error == EACCES || error == EROFS; }

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

bool BeginReplacement(const std::string& path, Replacement& replacement, std::string& refusingFolder) {
  refusingFolder.clear();
  replacement = {};
  const std::wstring name = Utf16(path);
  std::wstring target;
  const HANDLE existing =
      CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (existing != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION information{};
    const bool disk = GetFileType(existing) == FILE_TYPE_DISK;
    const DWORD attributes = GetFileInformationByHandle(existing, &information) ? information.dwFileAttributes : 0;
    if (disk) target = FinalName(existing, name);
    CloseHandle(existing);
    if (!disk) {  // a device or a pipe, written straight
      replacement.fd = _wopen(name.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
      return replacement.fd >= 0;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
      errno = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EISDIR : EACCES;
      return false;
    }
  } else {
    target = FullName(name);
  }
  const HANDLE handle = CreateBeside(target, replacement);
  if (handle == INVALID_HANDLE_VALUE) {
    const int error = ErrnoOf(GetLastError());
    if (FolderRefuses(error)) refusingFolder = Utf8(FolderOf(target));
    replacement = {};
    errno = error;
    return false;
  }
  replacement.target = Utf8(target);
  // Refused only where the file system keeps no such mark; Ctrl+C still removes the file.
  (void)MarkForDeletion(handle, true);
  replacement.fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (replacement.fd < 0) {
    CloseHandle(handle);
    AbandonReplacement(replacement);
    errno = EMFILE;
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
  const bool replacing = !replacement.target.empty();
  const HANDLE handle = HandleOf(replacement.fd);
  int error = 0;
  // Only a file: flushing a pipe would wait for its reader.
  if (replacing && toDisk && !FlushFileBuffers(handle)) error = ErrnoOf(GetLastError());
  // Where this fails the file was never marked; were it marked, it would be gone once
  // closed, and the move below would say so.
  if (replacing && error == 0) (void)MarkForDeletion(handle, false);
  if (_close(replacement.fd) != 0 && error == 0) error = errno;
  replacement.fd = -1;
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | (toDisk ? MOVEFILE_WRITE_THROUGH : 0);
  if (replacing && error == 0 &&
      !MoveFileExW(Utf16(replacement.temporary).c_str(), Utf16(replacement.target).c_str(), flags)) {
    error = ErrnoOf(GetLastError());
  }
  if (error != 0) {
    AbandonReplacement(replacement);
    errno = error;
    return false;
  }
  ForgetOnInterruption(replacement.ticket);
  replacement = {};
  return true;
}

void AbandonReplacement(Replacement& replacement) {
  if (replacement.fd >= 0) _close(replacement.fd);
  if (!replacement.temporary.empty()) DeleteFileW(Utf16(replacement.temporary).c_str());
  ForgetOnInterruption(replacement.ticket);
  replacement = {};
}

}  // namespace varnolix::payroll::system
