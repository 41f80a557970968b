// The console's control handler runs on a thread of its own while the others go on, so,
// unlike a signal handler, it may take a lock: the names are kept under one, which an
// interruption holds to the end, so that no file is made once the others are removed.
// Ctrl+C ignored by whoever started the process never reaches the handler.
#include <windows.h>

#include <mutex>
#include <vector>

#include "payroll/system/temporary_files.h"
#include "payroll/system/windows_support.h"

namespace varnolix::payroll::system {
namespace {

std::mutex g_mutex;
std::vector<std::wstring> g_paths;  // by ticket; empty where none is to be removed

BOOL WINAPI RemoveAndEnd(DWORD event) {
  g_mutex.lock();
  for (const std::wstring& path : g_paths) {
    if (!path.empty()) DeleteFileW(path.c_str());  // an open file goes once the process has ended
  }
  // Ended as Windows' own handler ends it (Wine's would end it with 0: every row assessed).
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
  g_mutex.unlock();
  return FALSE;  // a closed console, a logoff, a shutdown: the system ends the process next
}

}  // namespace

int RemoveOnInterruption(const std::string& path) {
  static std::once_flag installed;
  std::call_once(installed, [] { SetConsoleCtrlHandler(&RemoveAndEnd, TRUE); });
  if (path.empty() || path.find('\0') != std::string::npos) return -1;
  const std::lock_guard lock(g_mutex);
  std::size_t ticket = 0;
  while (ticket < g_paths.size() && !g_paths[ticket].empty()) ++ticket;
  if (ticket == g_paths.size()) g_paths.emplace_back();
  g_paths[ticket] = Utf16(path);
  return static_cast<int>(ticket);
}

void ForgetOnInterruption(int ticket) {
  const std::lock_guard lock(g_mutex);
  if (ticket >= 0 && static_cast<std::size_t>(ticket) < g_paths.size()) g_paths[static_cast<std::size_t>(ticket)].clear();
}

}  // namespace varnolix::payroll::system
