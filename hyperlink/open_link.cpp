// Opening a link's address: through the desktop's opener first, and when that refuses,
// with the command line of the program the desktop names for the address's scheme, or
// else for web pages.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "hyperlink/browser_command.h"
#include "hyperlink/hyperlink.h"
#include "platform/beep.h"
#include "platform/command_start.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace varnolix {
namespace {

// The longest value a key may hold, with its terminating NUL.
constexpr long kValueBufferSize = 260;

constexpr std::string_view kOpenCommandKey = "\\shell\\open\\command";

// "https" of "https://varnolix.example/"; empty for an address without a scheme.
std::string_view SchemeOf(std::string_view address) {
  const std::string_view scheme = address.substr(0, address.find(':'));
  return scheme.size() < address.size() && IsUriScheme(scheme) ? scheme : std::string_view();
}

struct OpenFailure {
  int code;
  std::string_view message;
};

constexpr OpenFailure kOpenFailures[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

}  // namespace

long CHyperLink::ReadKeyDefault(HKEY root, std::string_view subKey, std::string& out) {
  HKEY key{};
  if (const long error = RegOpenKeyEx(root, subKey, 0, KEY_QUERY_VALUE, &key); error != ERROR_SUCCESS) return error;
  // `subKey` has served its purpose; it may view `out`, which is written from here on.
  std::string value;
  long size = kValueBufferSize;
  if (const long error = RegQueryValue(key, value, &size); error != ERROR_SUCCESS) {
    RegCloseKey(key);
    return error;
  }
  out = std::move(value);
  RegCloseKey(key);
  return ERROR_SUCCESS;
}

int CHyperLink::OpenAddress(std::string_view address, int showCommand) {
  const std::intptr_t opened = ShellExecute("open", address, "", "", showCommand);
  if (static_cast<std::uintptr_t>(opened) > 32) return static_cast<int>(opened);

  // The program registered for the address's own scheme knows it best; web pages' next.
  std::string command;
  const std::string_view scheme = SchemeOf(address);
  if (scheme.empty() ||
      ReadKeyDefault(HKEY_CLASSES_ROOT, std::string(scheme) + std::string(kOpenCommandKey), command) != ERROR_SUCCESS) {
    if (ReadKeyDefault(HKEY_CLASSES_ROOT, ".htm", command) != ERROR_SUCCESS) return static_cast<int>(opened);
    command += kOpenCommandKey;
    if (ReadKeyDefault(HKEY_CLASSES_ROOT, command, command) != ERROR_SUCCESS) return static_cast<int>(opened);
  }

  return static_cast<int>(WinExec(BrowserCommandLine(std::move(command), address), showCommand));
}

void CHyperLink::ReportOpenFailure(int code) {
  std::string text = "Can't open link:\n\n";
  const auto* known = std::find_if(std::begin(kOpenFailures), std::end(kOpenFailures),
                                   [code](const OpenFailure& failure) { return failure.code == code; });
  if (known != std::end(kOpenFailures)) {
    text += known->message;
  } else {
    text += "Unknown Error (" + std::to_string(code) + ") occurred.";
  }
  AfxMessageBox(text, MB_ICONEXCLAMATION, 0);
}

void CHyperLink::OpenTarget() {
  const int result = OpenAddress(m_strTarget, SW_SHOW);
  if (result > 32) {
    m_bFollowed = true;
    Invalidate();
    return;
  }
  MessageBeep(MB_ICONEXCLAMATION);
  ReportOpenFailure(result);
}

}  // namespace varnolix
