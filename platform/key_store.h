// A read-only store of keys, each with a default value, found by a path below a root
// key; keys are opened, read and closed as handles. The program reads one thing from
// it: the command line that opens web pages.
//
// On the desktop the store answers three kinds of path below HKEY_CLASSES_ROOT, and
// never names an application that must run in a terminal:
//   ".htm"                         the desktop-entry id of the application for text/html
//                                  (the user's own choice counts first)
//   "<id>\shell\open\command"      that entry's Exec line as a command line, with %1
//                                  where the entry takes its address
//   "<scheme>\shell\open\command"  the same for the application that handles addresses
//                                  of that scheme (x-scheme-handler/<scheme>)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnolix {

enum class HKEY : std::uintptr_t {};
inline constexpr HKEY HKEY_CLASSES_ROOT{0x80000000u};

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_MORE_DATA = 234;

inline constexpr unsigned KEY_QUERY_VALUE = 1;

class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // The default value of the key at `path` below `root`, or nothing when there is none.
  virtual std::optional<std::string> DefaultValue(HKEY root, std::string_view path) = 0;
  static KeyStore& Production();
};

// Whether `text` is the scheme of an address, such as "https": a letter, then letters,
// digits, '+', '-' or '.'.
bool IsUriScheme(std::string_view text);

long RegOpenKeyEx(HKEY root, std::string_view subKey, unsigned options, unsigned access, HKEY* result);
// Reads the key's default value. It is copied into `value` only when it fits in `*size`
// bytes with a terminating NUL; otherwise the read fails with ERROR_MORE_DATA. Either
// way `*size` becomes the bytes it needs.
long RegQueryValue(HKEY key, std::string& value, long* size);
long RegCloseKey(HKEY key);

}  // namespace varnolix
